#pragma once

// setupctl's tests: a client folder of the demo's scripts, setupctl run in
// it as its own process, and what it left there.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli/JsonReader.h"
#include "optionfiles/ClientFolder.h"
#include "settings/RegistryValues.h"
#include "settings/SettingNames.h"
#include "support/Command.h"
#include "support/RegistryProbe.h"
#include "support/TempFolder.h"

#ifdef _WIN32
#include "support/RunProgram.h"
#endif

namespace setupctl_test {

namespace fs = std::filesystem;

#ifdef _WIN32
const std::string kSetupctl = run::WinePath(SETUPCTL);
#else
const std::string kSetupctl = SETUPCTL;
#endif

const char kSaved[] = "SaveData/OptionInfo.lua";
const char kForeign[] = "-- mine\r\n";

inline bool Contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// The demo's option script values, as a save writes them, with changes.
inline std::string SavedBlocks(const std::map<std::string, int>& changes)
{
    InitSettingNames();
    const int demo[] = {100, 100, 0, 0, 640, 480, 16, 0, 0, 2, 2, 1, 1, 0, 0, 0, 1, 0, 0, 1, 1,
                        1, 0, 1, 1, 0, 1, 1, 0, 0, 0, 0, 0, 1};
    std::string text;
    for (int key = kFirstOptionKey; key <= kLastCmdOnOffKey; ++key) {
        const auto changed = changes.find(SettingName(key));
        const int value = changed != changes.end() ? changed->second : demo[key];
        if (key == kFirstCmdOnOffKey)
            text += "\r\n";
        text += std::string(key < kFirstCmdOnOffKey ? "OptionInfoList" : "CmdOnOffList") + "[\"" +
                SettingName(key) + "\"] = " + std::to_string(value) + "\r\n";
    }
    return text;
}

// A client folder with the demo scripts, a saved file of somebody else's
// line and one of the tool's, and a registry that remembers no sound.
class Setupctl : public ::testing::Test {
protected:
    void SetUp() override
    {
        probe::ClearVendorKey();
        fs::copy(SETUP_DEMO_FOLDER "/System", folder_.path() / "System", fs::copy_options::recursive);
        client::Write(kSaved, std::string(kForeign) + "OptionInfoList[\"WIDTH\"] = 800\r\n");
        probe::Write(probe::kProductKey, "SOUNDMODE", 4, probe::Dword(0));
    }
    void TearDown() override { probe::ClearVendorKey(); }

    static command::Result Run(const std::vector<std::string>& arguments)
    {
        return command::Run(kSetupctl, arguments, fs::current_path().string());
    }

    // Every file of the folder with its bytes, and the vendor key's values.
    // The save lock's file (natively) holds nothing and stays once made.
    static std::map<std::string, std::string> Snapshot()
    {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(".")) {
            if (entry.path() == fs::path(".") / "setup.lock")
                continue;
            files[entry.path().string()] = entry.is_regular_file() ? client::Read(entry.path().string()) : "";
        }
        files["registry values"] = std::to_string(probe::ValueCount(probe::kProductKey));
        for (const RegistryValue& stored : RegistryValues()) {
            const probe::Stored held = probe::Read(probe::kProductKey, stored.name);
            files[std::string("registry: ") + stored.name] =
                std::to_string(held.type) + ":" + std::string(held.bytes.begin(), held.bytes.end());
        }
        files["setup key"] = probe::KeyExists(probe::kSetupKey) ? "yes" : "no";
        return files;
    }

    TempFolder folder_;
};

}  // namespace setupctl_test
