// The start-up read on the demo client folder: defaults from its option
// script, then the player's saved file over them; and its message texts.
#include <gtest/gtest.h>

#include <filesystem>

#include "optionfiles/ClientFolder.h"
#include "optionfiles/OptionScript.h"
#include "session/Defaults.h"
#include "session/SessionSteps.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"
#include "support/TempFolder.h"

namespace {

using namespace client;

class DemoFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::copy(SETUP_DEMO_FOLDER, folder.path(),
                              std::filesystem::copy_options::recursive);
        InitSettingNames();
        ASSERT_TRUE(CRegistry::CrateInstance());
    }
    void TearDown() override { CRegistry::ReleaseInstance(); }

    TempFolder folder;
};

TEST_F(DemoFolder, DefaultsComeFromTheOptionScript)
{
    CRegistry& s = *SetupSettings;
    ApplyDefaults();
    EXPECT_EQ(s.Bgm_Volume, 100);
    EXPECT_EQ(s.Effect_Volume, 100);
    EXPECT_EQ(s.MouseExclusive, 0);
    EXPECT_EQ(s.Setting(kBgmSwitch), 1);
    EXPECT_EQ(s.Setting(kSoundSwitch), 1);
    EXPECT_EQ(s.Setting(kFirstCommandKey), 0);  // "/notrade"
    EXPECT_EQ(s.Setting(20), 1);                // "/fog"
    EXPECT_EQ(s.Setting(kLastCommandKey), 1);   // "/lightmap"
    EXPECT_EQ(s.WIDTH, 640);                    // not taken from the script
}

TEST_F(DemoFolder, DefaultsWithoutCmdOnOffListAreZero)
{
    Write(std::string(kOptionScript) + ".lua", "OptionInfoList = { Bgm_Volume = 7 }");
    OptionScript fresh;  // the tables of earlier runs stay in a used state
    EXPECT_EQ(fresh.GetDefaultOption("Bgm_Volume"), 7);
    for (int key = kFirstCmdOnOffKey; key <= kLastCmdOnOffKey; ++key)
        EXPECT_EQ(fresh.GetDefaultCommand(SettingName(key)), 0) << SettingName(key);
}

TEST_F(DemoFolder, SavedValuesApplyOverTheDefaults)
{
    Write("SaveData/OptionInfo.lua",
          "-- kept\r\nOptionInfoList[\"Bgm_Volume\"] = 30\r\nOptionInfoList[\"WIDTH\"] = 1024\r\n"
          "CmdOnOffList[\"/fog\"] = 0\r\n");
    CRegistry& s = *SetupSettings;
    ApplyDefaults();
    SetupSession::LoadPreservedLines();
    SetupSession::ApplySavedOptions();
    EXPECT_EQ(s.preservedLines, TextLines{"-- kept"});
    EXPECT_EQ(s.Bgm_Volume, 30);
    EXPECT_EQ(s.Effect_Volume, 100);  // not in the file: the default stays
    EXPECT_EQ(s.WIDTH, 1024);
    EXPECT_EQ(s.HEIGHT, 480);
    EXPECT_EQ(s.Setting(20), 0);
    EXPECT_EQ(s.Setting(kLastCommandKey), 1);
}

TEST_F(DemoFolder, EveryControlHasATooltipAndTheQuestionIsThere)
{
    EXPECT_STREQ(g_optionScript.GetMessageText("ISOK"), "Save the settings and close Setup?");
    for (int key = kFirstSystemMessage; key <= kLastOptionMessage; ++key)
        EXPECT_STRNE(g_optionScript.GetMessageText(SettingName(key)), "") << SettingName(key);
}

}  // namespace
