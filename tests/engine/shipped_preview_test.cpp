// On a real system (Windows, or Wine in a fresh prefix) every wash item
// shipped in const\system.txt previews: its folder/file children and its
// registry children are collected through the engine without an error.

#include "engine/folder_targets.h"
#include "engine/registry_targets.h"
#include "model/wash_items.h"
#include "support/fake_run_seam.h"
#include "support/registry_env.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <exception>
#include <fstream>
#include <sstream>

namespace quill {
namespace {

TEST(ShippedItemsOnThisSystem, EveryItemPreviewsWithoutAnError) {
    std::unique_ptr<platform::SystemInfo> system = test::MakeRealSystemInfo();
    if (!system) {
        GTEST_SKIP() << "needs the real system";
    }
    std::unique_ptr<test::TestEnv> env = test::MakeTestEnv();
    std::unique_ptr<test::RegistryEnv> registry = test::MakeRegistryEnv();
    std::string shipped = "Z:" QUILL_SOURCE_DIR "/data/const/system.txt";
    for (char& c : shipped) {
        c = c == '/' ? '\\' : c;
    }
    std::ifstream in(shipped, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    ASSERT_FALSE(bytes.str().empty()) << shipped;
    env->Put("const\\system.txt", bytes.str());

    PathMacros macros(*system, registry->Registry(), env->Fs(), env->Root() + "wildcard.ini");
    test::FakeRunSeam seam;
    SearchCounters counters;
    TargetContext context{env->Fs(), registry->Registry(),        *system, macros, seam,
                          counters,  env->Root() + "wildcard.ini"};
    titem_list catalogue(env->Fs());
    LoadCatalogue(env->Fs(), env->Root(), catalogue);
    ASSERT_GT(catalogue.Count(), 10);
    int children = 0;
    for (const titem_property& entry : catalogue.Items) {
        tItemContent item(env->Fs(), entry.txtfilename, entry.ItemName);
        const ItemExclusions keep(item.Exclusions, macros);
        for (tChildFolder& child : item.Folders.Items) {
            std::vector<std::string> targets;
            try {
                CollectFolderTargets(child, targets, context, &keep);
            } catch (const std::exception& e) {
                ADD_FAILURE() << entry.ItemName << " / " << child.ChildItemName << ": " << e.what();
            }
            for (const std::string& target : targets) {
                EXPECT_EQ(target.find('{'), std::string::npos) << entry.ItemName << ": " << target;
            }
            ++children;
        }
        for (tChildRegister& child : item.Registers.Items) {
            std::vector<std::string> entries;
            try {
                CollectRegistryEntries(child, entries, macros, registry->Registry());
            } catch (const std::exception& e) {
                ADD_FAILURE() << entry.ItemName << " / " << child.ChildItemName << ": " << e.what();
            }
            ++children;
        }
    }
    EXPECT_GT(children, 20);
    EXPECT_FALSE(seam.cancel);
}

} // namespace
} // namespace quill
