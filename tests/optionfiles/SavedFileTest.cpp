#include <gtest/gtest.h>

#include <filesystem>

#include "ClientFolder.h"
#include "optionfiles/OptionScript.h"
#include "optionfiles/PreservedLines.h"
#include "optionfiles/SettingLineValues.h"
#include "platform/HostPath.h"
#include "session/SessionSteps.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"
#include "support/SaveSteps.h"
#include "support/TempFolder.h"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

using namespace client;
using Lines = TextLines;

const char kSaved[] = "SaveData/OptionInfo.lua";

// The bytes a save writes for the settings below after the given lines.
std::string ExpectedFile(const std::string& preserved)
{
    return preserved +
           "OptionInfoList[\"Bgm_Volume\"] = 100\r\n"
           "OptionInfoList[\"Effect_Volume\"] = 90\r\n"
           "OptionInfoList[\"MouseExclusive\"] = 1\r\n"
           "OptionInfoList[\"ISFULLSCREENMODE\"] = 0\r\n"
           "OptionInfoList[\"WIDTH\"] = 1024\r\n"
           "OptionInfoList[\"HEIGHT\"] = 768\r\n"
           "OptionInfoList[\"BITPERPIXEL\"] = 16\r\n"
           "OptionInfoList[\"DEVICECNT\"] = -1\r\n"
           "OptionInfoList[\"MODECNT\"] = 2147483647\r\n"
           "OptionInfoList[\"SPRITEMODE\"] = -2147483648\r\n"
           "OptionInfoList[\"TEXTUREMODE\"] = 2\r\n"
           "\r\n"
           "CmdOnOffList[\"/bgm\"] = 1\r\n"
           "CmdOnOffList[\"/sound\"] = 0\r\n"
           "CmdOnOffList[\"/notrade\"] = 1\r\n"
           "CmdOnOffList[\"/noshift\"] = 0\r\n"
           "CmdOnOffList[\"/noctrl\"] = 0\r\n"
           "CmdOnOffList[\"/skillfail\"] = 0\r\n"
           "CmdOnOffList[\"/notalkmsg\"] = 0\r\n"
           "CmdOnOffList[\"/notalkmsg2\"] = 0\r\n"
           "CmdOnOffList[\"/showname\"] = 0\r\n"
           "CmdOnOffList[\"/fog\"] = 1\r\n"
           "CmdOnOffList[\"/aura\"] = 0\r\n"
           "CmdOnOffList[\"/window\"] = 0\r\n"
           "CmdOnOffList[\"/miss\"] = 0\r\n"
           "CmdOnOffList[\"/effect\"] = 0\r\n"
           "CmdOnOffList[\"/shopping\"] = 0\r\n"
           "CmdOnOffList[\"/stateinfo\"] = 0\r\n"
           "CmdOnOffList[\"/loginout\"] = 0\r\n"
           "CmdOnOffList[\"/snap\"] = 0\r\n"
           "CmdOnOffList[\"/itemsnap\"] = 0\r\n"
           "CmdOnOffList[\"/camera\"] = 0\r\n"
           "CmdOnOffList[\"/hoai\"] = 0\r\n"
           "CmdOnOffList[\"/merai\"] = 0\r\n"
           "CmdOnOffList[\"/lightmap\"] = 1\r\n";
}

class SavedFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitSettingNames();
        ASSERT_TRUE(CRegistry::CrateInstance());
        CRegistry& s = *SetupSettings;
        const int32_t options[] = {100, 90, 1, 0, 1024, 768, 16, -1, INT32_MAX, INT32_MIN, 2};
        for (int key = kFirstOptionKey; key <= kLastOptionKey; ++key)
            s.Setting(key) = options[key];
        for (int32_t& flag : s.CmdOnOff)
            flag = 0;
        s.Setting(kBgmSwitch) = 1;
        s.Setting(kFirstCommandKey) = 1;
        s.Setting(20) = 1;  // "/fog"
        s.Setting(kLastCommandKey) = 1;
    }
    void TearDown() override { CRegistry::ReleaseInstance(); }

    static void Save()
    {
        SaveSteps steps;
        SetupSession::WritePreservedLines(steps.file);
        SetupSession::AppendSavedOptions(steps.file);
    }
    static void LoadAndSave()
    {
        SetupSettings->preservedLines.clear();
        SetupSession::LoadPreservedLines();
        Save();
    }

    TempFolder folder;
};

TEST(PreservedLines, SplitAndFilter)
{
    InitSettingNames();
    const struct { const char* name; std::string text; Lines kept; } cases[] = {
        {"empty file", "", {}},
        {"unix ends", "-- a\nb = 1\n", {"-- a", "b = 1"}},
        {"windows ends", "-- a\r\nb = 1\r\n", {"-- a", "b = 1"}},
        {"last line without LF", "-- a\r\nb = 1", {"-- a", "b = 1"}},
        {"lone CR stays", "a\rb\r\r\nc\r", {"a\rb\r", "c\r"}},
        {"blank lines dropped", "\r\n\n-- a\r\n\r\n", {"-- a"}},
        {"foreign OptionInfoList key kept, in order",
         "-- mine\r\nOptionInfoList[\"Zoom\"] = 3\r\nOptionInfoList[\"WIDTH\"] = 1\r\n-- end\r\n",
         {"-- mine", "OptionInfoList[\"Zoom\"] = 3", "-- end"}},
        {"any mention of a key drops the line",
         "-- WIDTH of the screen\r\nx = 'HEIGHT'\r\nCmdOnOffList = {}\r\ny = 'TEXTUREMODE'\r\n", {}},
        {"case-sensitive", "-- width\r\ncmdonofflist = 1\r\n", {"-- width", "cmdonofflist = 1"}},
        {"NUL bytes are kept", std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
        {"byte-order mark left out", "\xEF\xBB\xBF-- a\r\n", {"-- a"}},
        {"only the first kept line's marks", "-- a\r\n\xEF\xBB\xBF-- b", {"-- a", "\xEF\xBB\xBF-- b"}},
        {"a first line of many marks, all left out",
         [] { std::string marks; for (int i = 0; i < 1000; ++i) marks += "\xEF\xBB\xBF"; return marks + "-- a"; }(),
         {"-- a"}},
        {"no mark leads what is written",
         "CmdOnOffList = {}\r\n\xEF\xBB\xBF\xEF\xBB\xBF-- b", {"-- b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PreservedLinesOf(c.text), c.kept) << c.name;
}

// Only lines of exactly the form the tool writes give a value; the last wins.
TEST(SettingLineValues, OnlyTheToolsOwnFormCounts)
{
    InitSettingNames();
    const struct { const char* text; int key; bool found; int32_t value; } cases[] = {
        {"OptionInfoList[\"WIDTH\"] = 800\r\n", kWIDTH, true, 800},
        {"CmdOnOffList[\"/fog\"] = 1\n", 20, true, 1},
        {"OptionInfoList[\"WIDTH\"] = 1\nOptionInfoList[\"WIDTH\"] = 2\n", kWIDTH, true, 2},
        {"OptionInfoList[\"DEVICECNT\"] = -2147483648\n", kDEVICECNT, true, INT32_MIN},
        {"OptionInfoList[\"DEVICECNT\"] = 2147483648\n", kDEVICECNT, false, 0},
        {"OptionInfoList[\"WIDTH\"] = 800", kWIDTH, false, 0},  // cut off: no line end
        {"OptionInfoList[\"width\"] = 800\n", kWIDTH, false, 0},
        {"CmdOnOffList[\"WIDTH\"] = 800\n", kWIDTH, false, 0},
        {"OptionInfoList[\"WIDTH\"]  = 800\n", kWIDTH, false, 0},
        {"OptionInfoList[\"WIDTH\"] = 8e2\n", kWIDTH, false, 0},
        {"OptionInfoList[\"WIDTH\"] = 800 -- x\n", kWIDTH, false, 0},
        {"CmdOnOffList[\"/notalkmsg2\"] = 1\n", 18, true, 1},
    };
    for (const auto& c : cases) {
        const SettingLineValue found = ReadSettingLineValues(c.text)[c.key];
        EXPECT_EQ(found.found, c.found) << c.text;
        EXPECT_EQ(found.value, c.value) << c.text;
    }
}

TEST_F(SavedFile, FirstSaveWritesOnlyTheBlocks)
{
    std::filesystem::create_directory("savedata");
    Save();
    EXPECT_EQ(Read(HostPath("SaveData\\OptionInfo.lua")), ExpectedFile(""));
}

TEST_F(SavedFile, ForeignLinesGoFirstAndTwoSavesGiveTheSameBytes)
{
    Write(kSaved,
          "-- player's notes\n"
          "OptionInfoList[\"WIDTH\"] = 800\n"
          "OptionInfoList[\"Zoom\"] = 3\n"
          "\n"
          "CmdOnOffList[\"/fog\"] = 0\n"
          "-- a WIDTH note\n"
          "last = 1");
    LoadAndSave();
    const std::string once = Read(kSaved);
    EXPECT_EQ(once, ExpectedFile("-- player's notes\r\nOptionInfoList[\"Zoom\"] = 3\r\nlast = 1\r\n"));
    LoadAndSave();
    EXPECT_EQ(Read(kSaved), once);
    EXPECT_FALSE(SideFileLeft("SaveData"));
}

TEST_F(SavedFile, WhatASaveWritesReadsBack)
{
    Write(kSaved, "");
    Save();
    OptionScript script;
    for (int key = kFirstOptionKey; key <= kLastOptionKey; ++key)
        EXPECT_EQ(script.GetSavedOption(SettingName(key), 12345), SetupSettings->Setting(key));
    for (int key = kFirstCmdOnOffKey; key <= kLastCmdOnOffKey; ++key)
        EXPECT_EQ(script.GetSavedCommand(SettingName(key), 12345), SetupSettings->Setting(key));
}

TEST_F(SavedFile, AByteOrderMarkIsReadPastAndNotWrittenBack)
{
    Write(kSaved, "\xEF\xBB\xBF-- notes\r\nOptionInfoList[\"WIDTH\"] = 1280\r\n");
    SetupSession::ApplySavedOptions();
    EXPECT_EQ(SetupSettings->WIDTH, 1280);
    SetupSettings->WIDTH = 1024;
    LoadAndSave();
    EXPECT_EQ(Read(kSaved), ExpectedFile("-- notes\r\n"));
}

TEST_F(SavedFile, ApplyKeepsFieldsTheFileDoesNotGive)
{
    Write(kSaved, "OptionInfoList[\"WIDTH\"] = 1280\r\nCmdOnOffList[\"/fog\"] = 0\r\n"
                  "OptionInfoList[\"HEIGHT\"] = \"960\"\r\n");
    SetupSession::ApplySavedOptions();
    EXPECT_EQ(SetupSettings->WIDTH, 1280);
    EXPECT_EQ(SetupSettings->HEIGHT, 768);
    EXPECT_EQ(SetupSettings->Setting(20), 0);
    EXPECT_EQ(SetupSettings->Setting(kLastCommandKey), 1);
}

TEST_F(SavedFile, NoFolderNoSave)
{
    SetupSettings->preservedLines = {"-- kept"};
    Save();
    EXPECT_TRUE(std::filesystem::is_empty("."));
}

// The second step adds to the side file of the first, or to nothing: a
// file made anew by name could be one that others put in its place.
TEST_F(SavedFile, WithoutTheFirstStepNothingIsWritten)
{
    Write(kSaved, "OptionInfoList[\"WIDTH\"] = 800\r\n");
    SaveSteps steps;
    EXPECT_NE(SetupSession::AppendSavedOptions(steps.file), kNoError);
    EXPECT_EQ(Read(kSaved), "OptionInfoList[\"WIDTH\"] = 800\r\n");
    EXPECT_FALSE(SideFileLeft("SaveData"));
}

TEST_F(SavedFile, UntilTheSaveEndsTheOldFileStays)
{
    Write(kSaved, "-- old\r\n");
    SetupSettings->preservedLines = {"-- new"};
    SaveSteps steps;
    SetupSession::WritePreservedLines(steps.file);
    EXPECT_EQ(Read(kSaved), "-- old\r\n");
    SetupSession::AppendSavedOptions(steps.file);
    EXPECT_EQ(Read(kSaved), ExpectedFile("-- new\r\n"));
}

#ifndef _WIN32
TEST(HostPathTest, BackslashNamesFindTheFolderInAnyCase)
{
    TempFolder folder;
    std::filesystem::create_directories("savedata");
    EXPECT_EQ(HostPath("SaveData\\OptionInfo.lua"), "savedata/OptionInfo.lua");
    EXPECT_EQ(HostPath("savedata"), "savedata");
    Write("savedata/optioninfo.LUA", "");
    EXPECT_EQ(HostPath("SaveData\\OptionInfo.lua"), "savedata/optioninfo.LUA");
    EXPECT_EQ(HostPath("System\\LuaFiles514\\MsgString.lua"), "System/LuaFiles514/MsgString.lua");
    std::filesystem::create_directories("SaveData");  // exact spelling goes first
    EXPECT_EQ(HostPath("SaveData\\x"), "SaveData/x");
}

// A full disk: writes past the limit fail, as they do on a full device.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(SavedFile, AFullDiskLeavesTheOldFileWhole)
{
    const std::string old = "-- old\r\n" + std::string(200, '-') + "\r\n";
    Write(kSaved, old);
    SetupSession::LoadPreservedLines();
    for (rlim_t limit : {rlim_t{0}, rlim_t{100}, rlim_t{300}, rlim_t{1000}}) {
        {
            FileSizeLimit full(limit);
            Save();
        }
        EXPECT_EQ(Read(kSaved), old) << limit;
        EXPECT_FALSE(SideFileLeft("SaveData")) << limit;
    }
    Save();
    EXPECT_EQ(Read(kSaved), ExpectedFile(old));
}
#endif

}  // namespace
