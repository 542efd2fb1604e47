// The confirmed save as one sequence: every step is tried, and each one that
// fails is reported with where and why, while the old file stays whole.
#include <gtest/gtest.h>

#include <filesystem>

#include "optionfiles/ClientFolder.h"
#include "platform/FileBytes.h"
#include "session/SessionSteps.h"
#include "session/StoredRegistryValue.h"
#include "session/WatchedRead.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"
#include "support/RegistryProbe.h"
#include "support/SaveSteps.h"
#include "support/TempFolder.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

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

    // Reads the client folder anew, as the next start of the tool does.
    static void Restart()
    {
        CRegistry::ReleaseInstance();
        ASSERT_TRUE(CRegistry::CrateInstance());
        SetupSession::ReadStartupSettings(SetupSession::Access::kReadOnly);
    }

    static bool Compiles(const std::string& text)
    {
        lua_State* state = luaL_newstate();
        const bool compiles = luaL_loadbuffer(state, text.data(), text.size(), "saved") == 0;
        lua_close(state);
        return compiles;
    }

    static constexpr const char* kSaved = "SaveData/OptionInfo.lua";
    TempFolder folder_;
};

// A broken line costs at most its own value; the save sets aside the kept
// lines that break the file, and what it writes compiles and reads back.
TEST_F(SaveSequence, ABrokenSavedFileGivesItsOtherValuesAndSavesAFileLuaCompiles)
{
    const int32_t sprite = SetupSettings->SPRITEMODE;
    const std::string own = "OptionInfoList[\"WIDTH\"] = 800\r\nCmdOnOffList[\"/fog\"] = 1\r\n";
    const struct { const char* name; std::string text; const char* setAside; } cases[] = {
        {"the first line", "x = = 1\r\n" + own + "-- end\r\n", "line 1,"},
        {"a foreign line in the middle", "-- a\r\n" + own + "y = )\n-- end", "line 4,"},  // as check numbers it
        {"one of the tool's own", "-- a\r\nOptionInfoList[\"SPRITEMODE\"] = = 1\r\n" + own, ""},
        {"a table Lua reports lines later", "t = {\r\n" + own + "u = 1\r\n", "line 1,"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Write(kSaved, c.text);
        for (int start = 0; start < 2; ++start) {  // as written by hand, then as saved
            Restart();
            EXPECT_EQ(SetupSettings->WIDTH, 800);
            EXPECT_EQ(SetupSettings->Setting(20), 1);  // "/fog"
            EXPECT_EQ(SetupSettings->SPRITEMODE, sprite);
            const SaveReport report = SetupSession::SaveSettings();
            EXPECT_TRUE(report.Saved());
            const std::string told = report.notes.empty() ? "" : report.notes[0];
            if (start == 0 && c.setAside[0] != '\0')
                EXPECT_NE(told.find(std::string(": ") + c.setAside), std::string::npos) << told;
            else
                EXPECT_EQ(told, "");
            EXPECT_TRUE(Compiles(Read(kSaved))) << Read(kSaved);
        }
    }
}

TEST_F(SaveSequence, LinesAddedWhileTheSheetIsOpenAreKeptAndTheSettingsWin)
{
    Write(kSaved, "-- a\r\n");
    Restart();
    SetupSettings->WIDTH = 1280;
    Write(kSaved, "-- a\r\n-- b\r\nOptionInfoList[\"WIDTH\"] = 1\r\n");
    ASSERT_TRUE(SetupSession::SaveSettings().Saved());
    const std::string saved = Read(kSaved);
    EXPECT_EQ(saved.rfind("-- a\r\n-- b\r\nOptionInfoList[\"Bgm_Volume\"]", 0), 0u) << saved;
    EXPECT_NE(saved.find("OptionInfoList[\"WIDTH\"] = 1280\r\n"), std::string::npos) << saved;
}

// Every kept line gains a CR and the blocks follow: a file that would pass
// the read bound is not written, and the old one stays.
TEST_F(SaveSequence, ASaveThatWouldPassTheReadBoundIsRefusedAndTheFileKept)
{
    const std::size_t blocks = SetupSession::SettingBlocks().size();
    for (const std::size_t over : {0u, 1u}) {
        const std::string file = "--" + std::string(kMaxSavedFileBytes + over - blocks - 4, 'x') + "\n";
        Write(kSaved, file);
        Restart();
        const SaveReport report = SetupSession::SaveSettings();
        EXPECT_EQ(report.Saved(), over == 0);
        EXPECT_EQ(Read(kSaved).size(), over == 0 ? kMaxSavedFileBytes : file.size());
        EXPECT_EQ(SaveFailureText(report, "").find("past the 1 MiB") != std::string::npos, over == 1);
    }
}

TEST_F(SaveSequence, AWorkingSaveReportsNothing)
{
    const SaveReport report = SetupSession::SaveSettings();
    EXPECT_TRUE(report.Saved());
    EXPECT_TRUE(fs::is_directory("savedata"));
    EXPECT_EQ(probe::ValueCount(probe::kProductKey), 8);
}

// A save is all or nothing: without its file, the registry is not written.
TEST_F(SaveSequence, APlainFileNamedSavedataIsReportedAndNothingWritten)
{
    Write("savedata", "not a folder");
    const SaveReport report = SetupSession::SaveSettings();
    EXPECT_EQ(Places(report), (std::vector<std::string>{"savedata", "SaveData\\OptionInfo.lua"}));
    EXPECT_FALSE(report.failures[1].previousFileKept);  // there was no file to keep
    EXPECT_EQ(Read("savedata"), "not a folder");
    EXPECT_EQ(probe::ValueCount(probe::kProductKey), -1);

    const std::string text = SaveFailureText(report, "");
    EXPECT_NE(text.find(kSaveFailedHeading), std::string::npos);
    EXPECT_NE(text.find("The folder savedata could not be created."), std::string::npos);
    EXPECT_NE(text.find(report.failures[0].reason), std::string::npos);
    EXPECT_EQ(SaveFailureText(report, "Not saved!").rfind("Not saved!", 0), 0u);
}

TEST_F(SaveSequence, AFileThatCouldNotBeReadAtStartIsNeverReplaced)
{
    const std::string large(kMaxSavedFileBytes + 1, '-');
    Write("SaveData/OptionInfo.lua", large);
    SetupSession::LoadPreservedLines();
    ASSERT_FALSE(SetupSettings->unreadSavedFile.empty());

    const SaveReport report = SetupSession::SaveSettings();
    ASSERT_EQ(Places(report), std::vector<std::string>{"SaveData\\OptionInfo.lua"});
    EXPECT_TRUE(report.failures[0].previousFileKept);
    EXPECT_NE(report.failures[0].reason.find("1 MiB"), std::string::npos);
    EXPECT_EQ(Read("SaveData/OptionInfo.lua"), large);
    EXPECT_EQ(probe::ValueCount(probe::kProductKey), -1);
}

// Precompiled code under the source's name is refused by its bytes, with
// or without what Lua's loader reads past first; a line of the tool's form
// after it gives no value either.
TEST_F(SaveSequence, PrecompiledCodeInTheSaveFolderIsNeitherRunNorWritten)
{
    const std::string chunk = client::Precompiled("OptionInfoList = { WIDTH = 1280 }") +
                              "\r\nOptionInfoList[\"WIDTH\"] = 1280\r\n";
    for (const std::string lead : {"", "\xEF\xBB\xBF", "#!/bin/lua\n", "\xEF\xBB\xBF#\n"}) {
        Write(kSaved, lead + chunk);
        Restart();
        EXPECT_NE(SetupSettings->WIDTH, 1280) << lead;
        EXPECT_NE(SetupSettings->unreadSavedFile.find("precompiled"), std::string::npos) << lead;

        Findings findings;
        {
            WatchedRead watch(findings);
            SetupSession::CheckSettings(findings);
        }
        bool said = false;
        for (const Finding& finding : findings.all())
            said = said || finding.message.find("precompiled Lua code") != std::string::npos;
        EXPECT_TRUE(said) << lead;

        const SaveReport report = SetupSession::SaveSettings();
        ASSERT_EQ(Places(report), std::vector<std::string>{"SaveData\\OptionInfo.lua"}) << lead;
        EXPECT_TRUE(report.failures[0].previousFileKept) << lead;
        EXPECT_EQ(Read(kSaved), lead + chunk) << lead;
    }
}

#ifndef _WIN32
// Without the registry, the file waiting in its side file is not put in place.
TEST_F(SaveSequence, AStoreThatCannotBeWrittenFailsBothRegistryHalvesAndTheFile)
{
    Write("savedata/OptionInfo.lua", "-- old\r\n");
    SetupSession::LoadPreservedLines();
    fs::remove("HKEY_LOCAL_MACHINE.reg");
    fs::create_directory("HKEY_LOCAL_MACHINE.reg");  // where the host keeps the registry
    const SaveReport report = SetupSession::SaveSettings();
    EXPECT_EQ(Places(report),
              (std::vector<std::string>{kProductKeyName, kProductKeyName, "SaveData\\OptionInfo.lua"}));
    EXPECT_TRUE(report.failures[2].previousFileKept);
    EXPECT_EQ(Read("savedata/OptionInfo.lua"), "-- old\r\n");
    EXPECT_FALSE(SideFileLeft("savedata"));
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

// Between the two steps the side file is swapped for a link to a file of
// the machine's: the second step writes only through the handle of the
// first, and the name it would rename is no longer its file.
TEST_F(SaveSequence, ASideFileSwappedBetweenTheStepsIsNotFollowed)
{
    Write("savedata/OptionInfo.lua", "-- old\r\n");
    Write("victim", "the machine's\r\n");
    SaveSteps steps;
    ASSERT_EQ(SetupSession::WritePreservedLines(steps.file), kNoError);
    const fs::path side = fs::path("savedata") / steps.file.SideName();
    fs::rename(side, "savedata/taken");
    fs::create_symlink(fs::absolute("victim"), side);
    EXPECT_NE(SetupSession::AppendSavedOptions(steps.file), kNoError);
    EXPECT_EQ(Read("victim"), "the machine's\r\n");
    EXPECT_EQ(Read("savedata/OptionInfo.lua"), "-- old\r\n");
    EXPECT_TRUE(fs::is_symlink(side));  // not the save's to remove
}

// Links that a user of the save folder plants before an elevated save: none
// is followed, and where the file is not saved, neither is the registry. A side file's name
// is cleared as a dead save's leftover; any other link stops the file's save.
TEST_F(SaveSequence, LinksPlantedInTheSaveFolderAreNotFollowed)
{
    const std::string side = "savedata/" + SideFileName("OptionInfo.lua");
    const struct { const char* name; std::string link; const char* target; bool saved; } cases[] = {
        {"side file to a file", side, "elsewhere/OptionInfo.lua", true},
        {"side file to a missing file", side, "elsewhere/made", true},
        {"saved file to a file", "savedata/OptionInfo.lua", "elsewhere/OptionInfo.lua", false},
        {"folder to a folder", "savedata", "elsewhere", false},
    };
    for (const auto& c : cases) {
        fs::remove_all("savedata");
        fs::remove_all("elsewhere");
        Write("elsewhere/OptionInfo.lua", "-- the machine's\r\n");
        fs::permissions("elsewhere/OptionInfo.lua", fs::perms::owner_read | fs::perms::owner_write);
        if (c.link != "savedata")
            fs::create_directory("savedata");
        fs::create_symlink(fs::absolute(c.target), c.link);
        probe::ClearVendorKey();
        SetupSettings->unreadSavedFile.clear();
        SetupSession::LoadPreservedLines();
        EXPECT_TRUE(SetupSettings->preservedLines.empty()) << c.name;

        EXPECT_EQ(SetupSession::SaveSettings().Saved(), c.saved) << c.name;
        EXPECT_EQ(Read("elsewhere/OptionInfo.lua"), "-- the machine's\r\n") << c.name;
        EXPECT_EQ(fs::status("elsewhere/OptionInfo.lua").permissions(),
                  fs::perms::owner_read | fs::perms::owner_write) << c.name;
        EXPECT_FALSE(fs::exists("elsewhere/made")) << c.name;
        EXPECT_EQ(fs::is_symlink(c.link), !c.saved) << c.name;
        EXPECT_EQ(probe::ValueCount(probe::kProductKey), c.saved ? 8 : -1) << c.name;
    }
}

// A pipe would stop the start waiting for a writer; a second name would
// let a save write a file elsewhere. Both are treated as unreadable.
TEST_F(SaveSequence, APipeOrAHardLinkedSavedFileIsNeitherUsedNorWritten)
{
    const char* const kinds[] = {"pipe", "hard link"};
    for (const std::string kind : kinds) {
        fs::remove_all("savedata");
        fs::create_directory("savedata");
        Write("other", "OptionInfoList[\"WIDTH\"] = 1280\r\n");
        if (kind == "pipe")
            ASSERT_EQ(mkfifo("savedata/OptionInfo.lua", 0666), 0);
        else
            fs::create_hard_link("other", "savedata/OptionInfo.lua");
        SetupSession::LoadPreservedLines();
        SetupSession::ApplySavedOptions();
        EXPECT_NE(SetupSettings->WIDTH, 1280) << kind;
        ASSERT_FALSE(SetupSettings->unreadSavedFile.empty()) << kind;

        const SaveReport report = SetupSession::SaveSettings();
        ASSERT_EQ(Places(report), std::vector<std::string>{"SaveData\\OptionInfo.lua"}) << kind;
        EXPECT_TRUE(report.failures[0].previousFileKept) << kind;
        EXPECT_EQ(Read("other"), "OptionInfoList[\"WIDTH\"] = 1280\r\n") << kind;
        SetupSettings->unreadSavedFile.clear();
    }
}
#endif

// What a save that cannot finish puts back: each value as it was read, a
// value of another type as it was, and no value that was not there.
TEST_F(SaveSequence, TheRegistryIsPutBackAsItWasRead)
{
    probe::Write(probe::kProductKey, "SOUNDMODE", 1, {'1', 0});
    probe::Write(probe::kProductKey, "SPEAKERTYPE", 4, probe::Dword(3));
    const RegistryBeforeSave before = RegistryBeforeSave::Read();
    ASSERT_FALSE(RegistryHoldsWhatASaveWrites(*SetupSettings));
    SetupSession::SaveRegistrySettings();
    ASSERT_TRUE(RegistryHoldsWhatASaveWrites(*SetupSettings));

    EXPECT_TRUE(before.PutBack().empty());
    EXPECT_EQ(probe::ValueCount(probe::kProductKey), 2);
    EXPECT_EQ(probe::Read(probe::kProductKey, "SOUNDMODE").type, 1u);
    EXPECT_EQ(probe::Read(probe::kProductKey, "SOUNDMODE").bytes, (std::vector<uint8_t>{'1', 0}));
    EXPECT_EQ(probe::Read(probe::kProductKey, "SPEAKERTYPE").bytes, probe::Dword(3));
    EXPECT_TRUE(RegistryBeforeSave::Read().PutBack().empty());  // nothing changed since: nothing to do
}

}  // namespace
