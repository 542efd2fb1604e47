#pragma once

// A client folder for Setup.exe, started as a player starts it: its own
// process in that folder, its sheet worked through its windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "RemoteSheet.h"
#include "res/resource.h"
#include "support/RegistryProbe.h"
#include "support/RunProgram.h"
#include "support/TempFolder.h"

namespace e2e {

namespace fs = std::filesystem;

inline const std::string kSetupExe = run::WinePath(SETUP_EXE);
constexpr DWORD kTimeoutMs = 60000;

inline std::string ReadBytes(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string Text(const probe::Stored& stored)
{
    return std::string(stored.bytes.begin(), stored.bytes.end());
}

// A client folder with the demo scripts and a saved option file that holds
// somebody else's lines around stale ones of the tool's.
class SetupRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        probe::ClearVendorKey();
        fs::copy(run::WinePath(DEMO_DIR) + "\\System", folder_.path() / "System",
                 fs::copy_options::recursive);
        WriteBytes(SavedFile(), kSavedBefore);
    }
    void TearDown() override { probe::ClearVendorKey(); }

    fs::path SavedFile() const { return folder_.path() / "SaveData" / "OptionInfo.lua"; }

    // Starts Setup.exe and waits for its sheet on the System page.
    void Start()
    {
        setup_ = std::make_unique<remote::Process>(kSetupExe, folder_.path().string());
        ASSERT_TRUE(setup_->started());
        sheet_ = remote::WaitForWindow(setup_->id(), nullptr, "Korvane Setup", kTimeoutMs);
        ASSERT_NE(sheet_, nullptr);
        systemPage_ = remote::CurrentPage(sheet_);
        ASSERT_NE(systemPage_, nullptr);
    }

    HWND SheetItem(int id) const { return GetDlgItem(sheet_, id); }
    HWND SystemItem(int id) const { return GetDlgItem(systemPage_, id); }

    // Picks 800 x 600 x 16 in the mode list; returns its line.
    int Choose800x600()
    {
        std::vector<std::string> lines = remote::ComboLines(SystemItem(IDC_MODE_LIST));
        auto found = std::find(lines.begin(), lines.end(), "800 x 600 x 16");
        if (found == lines.end()) {
            ADD_FAILURE() << "no 800 x 600 x 16 line among " << lines.size() << " modes";
            return -1;
        }
        int line = static_cast<int>(found - lines.begin());
        remote::Choose(SystemItem(IDC_MODE_LIST), line);
        return line;
    }

    void PressOkAndAnswer(int button)
    {
        remote::PostClick(SheetItem(IDOK));
        EXPECT_TRUE(remote::AnswerSetupQuestion(setup_->id(), button, kTimeoutMs));
        EXPECT_EQ(setup_->Wait(kTimeoutMs), 0);
    }

    // Confirms a save that cannot work: reads the box that tells it, and
    // expects the run to end with exit code 1.
    remote::MessageBoxSeen ConfirmFailingSave()
    {
        remote::PostClick(SheetItem(IDOK));
        EXPECT_TRUE(remote::AnswerSetupQuestion(setup_->id(), IDOK, kTimeoutMs));
        remote::MessageBoxSeen seen = remote::ReadAndCloseSetupBox(setup_->id(), kTimeoutMs);
        EXPECT_TRUE(seen.found);
        EXPECT_TRUE(seen.hasIcon);
        EXPECT_FALSE(seen.hasCancel);
        EXPECT_EQ(setup_->Wait(kTimeoutMs), 1);
        return seen;
    }

    void PressCancel()
    {
        remote::PostClick(SheetItem(IDCANCEL));
        EXPECT_EQ(setup_->Wait(kTimeoutMs), 0);
    }

    // Puts registry values of a previous run there, so that the first-run
    // write does not happen and any later write shows.
    static void StoreEarlierRun()
    {
        probe::Write(probe::kProductKey, "DEVICENAME", REG_SZ, {'o', 'l', 'd', 0});
        probe::Write(probe::kProductKey, "SOUNDMODE", REG_DWORD, probe::Dword(0));
    }

    static void ExpectEarlierRunUntouched()
    {
        EXPECT_EQ(Text(probe::Read(probe::kProductKey, "DEVICENAME")), std::string("old", 4));
        EXPECT_EQ(probe::Read(probe::kProductKey, "SOUNDMODE").bytes, probe::Dword(0));
        EXPECT_EQ(probe::ValueCount(probe::kProductKey), 2);
    }

    static inline const std::string kSavedBefore =
        "-- launcher notes\r\n"
        "OptionInfoList[\"WIDTH\"] = 1024\r\n"
        "\r\n"
        "LauncherVersion = 7\r\n"
        "CmdOnOffList[\"/fog\"] = 0\r\n";

    TempFolder folder_;
    std::unique_ptr<remote::Process> setup_;
    HWND sheet_ = nullptr;
    HWND systemPage_ = nullptr;
};

}  // namespace e2e
