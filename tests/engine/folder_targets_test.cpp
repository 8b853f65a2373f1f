// Folder/file children turned into target files.

#include "engine/folder_targets.h"
#include "platform/ini_file.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_system_info.h"
#include "platform/registry_error.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

using Strings = std::vector<std::string>;

// A run seam that counts pumps and raises the cancel flag at a chosen one.
class CountingSeam final : public RunSeam {
public:
    void ProcessMessages() override {
        if (++pumps == cancelAtPump) {
            cancel = true;
        }
    }
    bool CancelRequested() const override { return cancel; }
    bool StopRequested() const override { return stop; }
    void SetStopRequested(bool value) override { stop = value; }
    void ShowSearchCounters(const std::string& a, const std::string& b) override {
        l2 = a;
        l4 = b;
    }
    void SetProgressMax(std::int32_t max) override { progressMax = max; }
    std::int32_t ProgressMax() const override { return progressMax; }
    void StepProgress() override { ++steps; }
    void SetStatusMode(StatusMode) override {}
    void ShowMainCancel(bool) override {}
    void Repaint() override {}

    int pumps = 0;
    int cancelAtPump = -1;
    bool cancel = false;
    bool stop = false;
    std::string l2, l4;
    std::int32_t progressMax = 0;
    int steps = 0;
};

class FolderTargetsTest : public ::testing::Test {
protected:
    platform::MemoryFileSystem fs;
    platform::MemoryRegistry registry;
    platform::MemorySystemInfo system;
    PathMacros macros{system, registry, fs, "C:\\app\\wildcard.ini"};
    CountingSeam seam;
    SearchCounters counters;
    TargetContext context{fs, registry, system, macros, seam, counters, "C:\\app\\wildcard.ini"};

    void SetUp() override {
        fs.AddFolder("C:\\app");
        fs.AddFile("C:\\Temp\\a.tmp", std::string(5000, 'x'));
        fs.AddFile("C:\\Temp\\b.TMP", "");
        fs.AddFile("C:\\Temp\\report.tmpl", "");
        fs.AddFile("C:\\Temp\\readme", "");
        fs.AddFile("C:\\Temp\\sub\\c.tmp", "");
        fs.AddFile("C:\\Temp\\sub\\index.dat", "");
        fs.AddFile("C:\\Temp\\sub\\deeper\\d.tmp", "");
    }

    tChildFolder Child(bycategory kind, const std::string& path, bool subfolders = false) {
        tChildFolder c(fs, "C:\\app\\none.txt", "Item", 0);
        c.bycategory = kind;
        c.IsIncludeSubfolder = subfolders;
        (kind == bySingle ? c.deletefilename : c.deletepath) = path;
        return c;
    }

    Strings Collect(tChildFolder& child) {
        Strings out{"stale"};
        CollectFolderTargets(child, out, context);
        EXPECT_EQ(child.FoundFiles, nullptr);
        return out;
    }
};

TEST_F(FolderTargetsTest, MaskInOneFolderOrTheWholeTree) {
    auto flat = Child(byFolder, "C:\\Temp\\*.tmp");
    EXPECT_EQ(Collect(flat), (Strings{"C:\\Temp\\a.tmp", "C:\\Temp\\b.TMP"}));
    auto deep = Child(byFolder, "C:\\Temp\\*.tmp", true);
    EXPECT_EQ(Collect(deep), (Strings{"C:\\Temp\\a.tmp", "C:\\Temp\\b.TMP", "C:\\Temp\\sub\\c.tmp",
                                      "C:\\Temp\\sub\\deeper\\d.tmp"}));
}

TEST_F(FolderTargetsTest, CountersAndLabelsAccumulateAcrossChildren) {
    auto flat = Child(byFolder, "C:\\Temp\\*.tmp");
    Collect(flat);
    EXPECT_EQ(counters.FoundCount, 2);
    EXPECT_EQ(counters.FoundSizeKB, 4 + 1); // 5000 bytes and an empty file
    auto single = Child(bySingle, "C:\\Temp\\readme");
    EXPECT_EQ(Collect(single), (Strings{"C:\\Temp\\readme"}));
    EXPECT_EQ(counters.FoundCount, 3);
    EXPECT_EQ(seam.l2, "3");
    EXPECT_EQ(seam.l4, "6KB");
    EXPECT_EQ(SizeInKB(2047), 1);
    EXPECT_EQ(SizeInKB(2048), 2);
    EXPECT_EQ(SizeInKB(5ull << 30), 5ll << 20); // 5 GB counted whole
}

TEST_F(FolderTargetsTest, RegistryFolderWithOrWithoutBackslash) {
    const std::string key = "Software\\App";
    registry.PutValue(platform::RootKey::CurrentUser, key, "Dir",
                      platform::StringValue("C:\\Temp"));
    tChildFolder child(fs, "C:\\app\\none.txt", "Item", 0);
    child.bycategory = byRegister;
    child.RegisterName = "  HKEY_CURRENT_USER\\Software\\App ";
    child.RegisterValueofName = "Dir";
    EXPECT_EQ(ResolveChildPath(child, context), "C:\\Temp\\*.*");
    EXPECT_EQ(Collect(child), (Strings{"C:\\Temp\\a.tmp", "C:\\Temp\\b.TMP", "C:\\Temp\\readme",
                                       "C:\\Temp\\report.tmpl"}));
    registry.PutValue(platform::RootKey::CurrentUser, key, "Dir",
                      platform::StringValue("C:\\Temp\\"));
    EXPECT_EQ(ResolveChildPath(child, context), "C:\\Temp\\*.*");
    registry.PutValue(platform::RootKey::CurrentUser, key, "Dir", platform::DwordValue(1));
    EXPECT_THROW(ResolveChildPath(child, context), ERegistryException);
}

TEST_F(FolderTargetsTest, NoFolderPartNeverFallsBackToTheCurrentFolder) {
    tChildFolder child(fs, "C:\\app\\none.txt", "Item", 0);
    child.bycategory = byRegister;
    child.RegisterName = "HKEY_CURRENT_USER\\Software\\Missing";
    child.RegisterValueofName = "Dir";
    EXPECT_EQ(ResolveChildPath(child, context), "*.*");
    EXPECT_TRUE(Collect(child).empty());
    auto relative = Child(byFolder, "Temp\\*.tmp", true);
    EXPECT_TRUE(Collect(relative).empty());
    auto missing = Child(bySingle, "C:\\Temp\\missing.txt");
    EXPECT_TRUE(Collect(missing).empty());
}

TEST_F(FolderTargetsTest, AnyDriveSearchesFixedAndNetworkDrivesInOrder) {
    system.SetDrive("D:\\", platform::DriveType::CdRom);
    system.SetDrive("Z:\\", platform::DriveType::Remote);
    fs.AddFile("D:\\x.tmp", "");
    fs.AddFile("Z:\\y.tmp", "");
    fs.AddFile("C:\\z.tmp", "");
    EXPECT_EQ(ListSearchDrives(system), "CZ");
    auto any = Child(byFolder, "{anydrive}:\\*.tmp");
    EXPECT_EQ(Collect(any), (Strings{"C:\\z.tmp", "Z:\\y.tmp"}));
    auto notAtStart = Child(byFolder, "C:\\{AnyDrive}\\*.tmp");
    EXPECT_TRUE(Collect(notAtStart).empty());
    system.RemoveAllDrives();
    auto none = Child(byFolder, "{AnyDrive}:\\*.tmp");
    EXPECT_TRUE(Collect(none).empty());
}

TEST_F(FolderTargetsTest, ExclusionListIsReadForEveryChild) {
    IniFile ini(fs, "C:\\app\\wildcard.ini");
    ini.WriteInteger("Exclude Files", "Count", 2);
    ini.WriteString("Exclude Files", "Record0", " INDEX.DAT ");
    ini.WriteString("Exclude Files", "Record1", "Temp\\*.tmp");
    auto all = Child(byFolder, "C:\\Temp\\*.*", true);
    EXPECT_EQ(Collect(all), (Strings{"C:\\Temp\\readme", "C:\\Temp\\report.tmpl",
                                     "C:\\Temp\\sub\\c.tmp", "C:\\Temp\\sub\\deeper\\d.tmp"}));
    ini.WriteInteger("Exclude Files", "Count", 0);
    EXPECT_EQ(Collect(all).size(), 7u);
}

TEST_F(FolderTargetsTest, WildcardFolderNamesSearchEveryMatchingFolderButNoLink) {
    const std::string data = "C:\\Users\\u\\Chrome\\User Data\\";
    fs.AddFile(data + "Default\\Cache\\f_1", "");
    fs.AddFile(data + "Default\\Cache\\keep.dat", "");
    fs.AddFile(data + "Profile 1\\Cache\\f_2", "");
    fs.AddFile(data + "Profile 1\\Cache\\old\\f_3", "");
    fs.AddFile(data + "Profile 2\\Other\\f_4", "");       // no Cache folder
    fs.AddFile(data + "Local State", "");                 // a file, never a folder
    fs.AddFile("C:\\Elsewhere\\Cache\\precious.doc", ""); // reached through a link only
    fs.AddFolderLink(data + "Linked", "C:\\Elsewhere");
    IniFile ini(fs, "C:\\app\\wildcard.ini");
    ini.WriteInteger("Exclude Files", "Count", 1);
    ini.WriteString("Exclude Files", "Record0", "keep.dat");

    auto flat = Child(byFolder, data + "*\\Cache\\*.*");
    EXPECT_EQ(Collect(flat),
              (Strings{data + "Default\\Cache\\f_1", data + "Profile 1\\Cache\\f_2"}));
    auto deep = Child(byFolder, data + "Pro?ile*\\Cache\\*.*", true);
    EXPECT_EQ(Collect(deep),
              (Strings{data + "Profile 1\\Cache\\f_2", data + "Profile 1\\Cache\\old\\f_3"}));
    // What was found is recorded folder by folder for the removal's check.
    EXPECT_NE(seam.Collected().Find(data + "Profile 1\\Cache"), nullptr);
    EXPECT_NE(seam.Collected().Find(data + "Profile 1\\Cache\\old"), nullptr);
    EXPECT_EQ(seam.Collected().Find("C:\\Elsewhere\\Cache"), nullptr);

    auto single = Child(bySingle, "C:\\Users\\*\\Chrome\\User Data\\*\\Cache\\f_?");
    EXPECT_EQ(Collect(single),
              (Strings{data + "Default\\Cache\\f_1", data + "Profile 1\\Cache\\f_2"}));
    auto none = Child(byFolder, "C:\\Nowhere\\*\\Cache\\*.*");
    EXPECT_TRUE(Collect(none).empty());
    // Wildcards in the mask alone search one folder, as before.
    auto plain = Child(byFolder, data + "Default\\Cache\\f_*");
    EXPECT_EQ(Collect(plain), (Strings{data + "Default\\Cache\\f_1"}));
}

TEST_F(FolderTargetsTest, WhatTheItemKeepsIsNeverListed) {
    const ItemExclusions keep({"FILE|C:\\Temp\\|a.tmp", "PATH|C:\\Temp\\sub\\|*.tmp"}, macros);
    auto deep = Child(byFolder, "C:\\Temp\\*.tmp", true);
    std::vector<std::string> out;
    CollectFolderTargets(deep, out, context, &keep);
    EXPECT_EQ(out, (Strings{"C:\\Temp\\b.TMP"}));
    EXPECT_EQ(counters.FoundCount, 1);
    // Without the item's rules, as before.
    EXPECT_EQ(Collect(deep).size(), 4u);
}

TEST_F(FolderTargetsTest, ChildrenThatRemoveEmptiedFoldersHaveTheirFoldersRecorded) {
    fs.AddFile("C:\\P\\One\\Cache\\x", "");
    fs.AddFile("C:\\P\\Two\\Cache\\y", "");
    auto plain = Child(byFolder, "C:\\Temp\\*.tmp", true);
    Collect(plain);
    EXPECT_TRUE(seam.Emptied().Folders().empty());
    auto self = Child(byFolder, "C:\\P\\*\\Cache\\*.*", true);
    self.RemoveEmptyFolders = true;
    Collect(self);
    EXPECT_EQ(seam.Emptied().Folders(), (Strings{"C:\\P\\One\\Cache", "C:\\P\\Two\\Cache"}));
}

TEST_F(FolderTargetsTest, CancelReturnsWhatWasFoundSoFar) {
    auto deep = Child(byFolder, "C:\\Temp\\*.tmp", true);
    // Pumps: new folder C:\Temp (1), a.tmp (2), b.TMP (3) raises the flag.
    seam.cancelAtPump = 3;
    EXPECT_EQ(Collect(deep), (Strings{"C:\\Temp\\a.tmp"}));
    EXPECT_EQ(counters.FoundCount, 1);
    seam.cancel = false;
    seam.pumps = 0;
    seam.cancelAtPump = 4; // at the new-folder event of C:\Temp\sub
    EXPECT_EQ(Collect(deep), (Strings{"C:\\Temp\\a.tmp", "C:\\Temp\\b.TMP"}));
}

} // namespace
} // namespace quill
