#pragma once

#include "app/preview_dialogs.h"
#include "platform/registry.h"
#include "support/registry_env.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// What the run tests wash: junk\a.tmp (5,000 bytes), junk\b.tmp and
// other\c.tmp in the test folder, the value "last" = "notepad" in the test
// key's subkey Run, and the sections of the wash items that name them.

namespace quill::test {

class WashScene {
public:
    WashScene(TestEnv& env, RegistryEnv& reg)
        : env_(env), reg_(reg), key_("HKEY_CURRENT_USER\\" + reg.Base() + "\\Run") {
        std::unique_ptr<platform::RegistryKey> k;
        EXPECT_TRUE(Succeeded(reg.Registry().CreateKey(reg.Root(), reg.Base() + "\\Run", k)));
        if (k) {
            EXPECT_TRUE(Succeeded(k->SetValue("last", platform::StringValue("notepad"))));
        }
        env.Put("junk\\b.tmp", "bb");
        env.Put("junk\\a.tmp", std::string(5000, 'a'));
        env.Put("other\\c.tmp", "c");
    }

    // The full name of the key that holds the value.
    const std::string& Key() const { return key_; }

    bool ValueExists() const {
        std::unique_ptr<platform::RegistryKey> k;
        if (!Succeeded(reg_.Registry().OpenKey(reg_.Root(), reg_.Base() + "\\Run", k))) {
            return false;
        }
        platform::RegistryValue v;
        return Succeeded(k->QueryValue("last", v));
    }

    // The checked item "Temp": its folder/file children "Temp files"
    // (junk\*.tmp) and, when otherFiles, "Other files" (other\*.tmp); its
    // registry child "Last run" (the value).
    std::string TempSection(bool otherFiles = true) const {
        const std::string& app = env_.Root();
        std::string s = "[Temp]\r\nIsActive=1\r\ntFolder.Total=";
        s += otherFiles ? "2" : "1";
        s += "\r\ntFolder0.ChildItemName=Temp files\r\ntFolder0.isactive=1\r\n"
             "tFolder0.bycategory=1\r\ntFolder0.deletepath=";
        s += app;
        s += "junk\\*.tmp\r\n";
        if (otherFiles) {
            s += "tFolder1.ChildItemName=Other files\r\ntFolder1.isactive=1\r\n"
                 "tFolder1.bycategory=1\r\ntFolder1.deletepath=";
            s += app;
            s += "other\\*.tmp\r\n";
        }
        s += "tRegister.Total=1\r\ntRegister0.ChildItemName=Last run\r\n"
             "tRegister0.isactive=1\r\ntRegister0.CleanRegisterType=2\r\n"
             "tRegister0.RegisterKeyName=";
        s += key_;
        s += "\r\ntRegister0.RegisterSingleValue=last\r\n";
        return s;
    }

    // An unchecked item of that name with one child for other\*.*.
    std::string OtherSection(const std::string& name) const {
        std::string s = "[";
        s += name;
        s += "]\r\nIsActive=0\r\ntFolder.Total=1\r\n"
             "tFolder0.ChildItemName=All\r\ntFolder0.isactive=1\r\n"
             "tFolder0.bycategory=1\r\ntFolder0.deletepath=";
        s += env_.Root();
        s += "other\\*.*\r\n";
        return s;
    }

    // A preview list as "text+;" (ticked) and "text-;" (not) lines.
    static std::string Texts(const CheckedList& lines) {
        std::string out;
        for (const auto& l : lines) {
            out += l.Text + (l.Checked ? "+" : "-") + ";";
        }
        return out;
    }

private:
    TestEnv& env_;
    RegistryEnv& reg_;
    std::string key_;
};

} // namespace quill::test
