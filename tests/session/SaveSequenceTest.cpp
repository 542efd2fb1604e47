// The confirmed save as one sequence: every step is tried, and each one that
// fails is reported with where and why, while the old file stays whole.
#include <gtest/gtest.h>

#include <filesystem>

#include "optionfiles/ClientFolder.h"
#include "platform/FileBytes.h"
#include "platform/PendingFile.h"
#include "session/SetupSession.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"
#include "support/RegistryProbe.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using client::Read;
using client::Write;

class SaveSequence : public ::testing::Test {
protected:
    void SetUp() override
    {
        probe::ClearVendorKey();
        InitSettingNames();
        ASSERT_TRUE(CRegistry::CrateInstance());
        SetupSession::ReadStartupSettings(SetupSession::Access::kReadOnly);
    }
    void TearDown() override
    {
        CRegistry::ReleaseInstance();
        probe::ClearVendorKey();
    }

    static std::vector<std::string> Places(const SaveReport& report)
    {
        std::vector<std::string> places;
        for (const SaveFailure& failure : report.failures)
            places.push_back(failure.place);
        return places;
    }

    TempFolder folder_;
};

TEST_F(SaveSequence, AWorkingSaveReportsNothing)
{
    const SaveReport report = SetupSession::SaveSettings();
    EXPECT_TRUE(report.Saved());
    EXPECT_TRUE(fs::is_directory("savedata"));
    EXPECT_EQ(probe::ValueCount(probe::kProductKey), 8);
}

TEST_F(SaveSequence, APlainFileNamedSavedataIsReportedAndTheRegistryStillWritten)
{
    Write("savedata", "not a folder");
    const SaveReport report = SetupSession::SaveSettings();
    EXPECT_EQ(Places(report), (std::vector<std::string>{"savedata", "SaveData\\OptionInfo.lua"}));
    EXPECT_FALSE(report.failures[1].previousFileKept);  // there was no file to keep
    EXPECT_EQ(Read("savedata"), "not a folder");
    EXPECT_EQ(probe::ValueCount(probe::kProductKey), 8);

    const std::string text = SaveFailureText(report, "");
    EXPECT_NE(text.find(kSaveFailedHeading), std::string::npos);
    EXPECT_NE(text.find("The folder savedata could not be created."), std::string::npos);
    EXPECT_NE(text.find(report.failures[0].reason), std::string::npos);
    EXPECT_EQ(SaveFailureText(report, "Not saved!").rfind("Not saved!", 0), 0u);
}

TEST_F(SaveSequence, AFileThatCouldNotBeReadAtStartIsNeverReplaced)
{
    const std::string large(kMaxFileBytes + 1, '-');
    Write("SaveData/OptionInfo.lua", large);
    SetupSession::LoadPreservedLines();
    ASSERT_FALSE(SetupSettings->unreadSavedFile.empty());

    const SaveReport report = SetupSession::SaveSettings();
    ASSERT_EQ(Places(report), std::vector<std::string>{"SaveData\\OptionInfo.lua"});
    EXPECT_TRUE(report.failures[0].previousFileKept);
    EXPECT_NE(report.failures[0].reason.find("16 MiB"), std::string::npos);
    EXPECT_EQ(Read("SaveData/OptionInfo.lua"), large);
    EXPECT_EQ(probe::ValueCount(probe::kProductKey), 8);
}

#ifndef _WIN32
TEST_F(SaveSequence, AStoreThatCannotBeWrittenFailsBothRegistryHalvesButNotTheFile)
{
    fs::remove("HKEY_LOCAL_MACHINE.reg");
    fs::create_directory("HKEY_LOCAL_MACHINE.reg");  // where the host keeps the registry
    const SaveReport report = SetupSession::SaveSettings();
    EXPECT_EQ(Places(report), (std::vector<std::string>{kProductKeyName, kProductKeyName}));
    EXPECT_TRUE(fs::is_regular_file("savedata/OptionInfo.lua"));
    fs::remove("HKEY_LOCAL_MACHINE.reg");
}

// Where names are case-sensitive both spellings of the folder can exist; the
// save must write the one file the start-up read, and leave no side file.
TEST_F(SaveSequence, BothSpellingsOfTheFolderGiveOneFile)
{
    Write("SaveData/OptionInfo.lua", "-- mine\r\n");
    fs::create_directory("savedata");
    SetupSession::LoadPreservedLines();
    EXPECT_TRUE(SetupSession::SaveSettings().Saved());
    EXPECT_EQ(Read("SaveData/OptionInfo.lua").rfind("-- mine\r\nOptionInfoList", 0), 0u);
    EXPECT_FALSE(fs::exists("SaveData/OptionInfo.lua.new"));
    EXPECT_TRUE(fs::is_empty("savedata"));
}

TEST_F(SaveSequence, ASideFileThatCannotBeReopenedIsNotLeftBehind)
{
    Write("savedata/OptionInfo.lua", "-- old\r\n");
    const std::string saved = SetupSession::SavedFileHostPath();
    ASSERT_EQ(SetupSession::WritePreservedLines(saved), kNoError);
    fs::remove(PendingName(saved));
    fs::create_directory(PendingName(saved));  // neither reopened nor made anew
    EXPECT_NE(SetupSession::AppendSavedOptions(saved), kNoError);
    EXPECT_FALSE(fs::exists(PendingName(saved)));
    EXPECT_EQ(Read(saved), "-- old\r\n");
}
#endif

}  // namespace
