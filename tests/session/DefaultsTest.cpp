#include <algorithm>
#include <iterator>

#include <gtest/gtest.h>

#include "settings/ScreenModeTable.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"

namespace {

class Defaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitSettingNames();
        ASSERT_TRUE(CRegistry::CrateInstance());
    }
    void TearDown() override { CRegistry::ReleaseInstance(); }
};

TEST_F(Defaults, FixedValuesAndTheFirstScreenMode)
{
    CRegistry& s = *SetupSettings;
    s.ISFULLSCREENMODE = 1;
    s.WIDTH = 1024;
    s.SOUNDMODE = 0;
    s.SPRITEMODE = 0;
    s.preservedLines = {"-- kept"};
    ScreenModeTable.Store(0, 800, 600, 16);

    s.SetDefaults();

    EXPECT_EQ(s.ISFULLSCREENMODE, 0);
    EXPECT_EQ(s.WIDTH, 640);
    EXPECT_EQ(s.HEIGHT, 480);
    EXPECT_EQ(s.BITPERPIXEL, 16);
    EXPECT_EQ(s.SPRITEMODE, 2);
    EXPECT_EQ(s.TEXTUREMODE, 2);
    EXPECT_EQ(s.SOUNDMODE, 1);
    EXPECT_EQ(s.SPEAKERTYPE, 0);
    EXPECT_EQ(s.DIGITALRATETYPE, 0);
    EXPECT_EQ(s.DIGITALBITSTYPE, 0);
    EXPECT_STREQ(s.PROVIDERNAME, "No Provider");
    const ScreenMode* first = ScreenModeTable.At(0);
    EXPECT_EQ(first->width, 640);
    EXPECT_EQ(first->height, 480);
    EXPECT_EQ(first->bitsPerPixel, 16);
    EXPECT_EQ(s.preservedLines, TextLines{"-- kept"});
}

TEST_F(Defaults, SettingReachesTheFieldOfEachKey)
{
    CRegistry& s = *SetupSettings;
    EXPECT_EQ(&s.Setting(kBgm_Volume), &s.Bgm_Volume);
    EXPECT_EQ(&s.Setting(kMouseExclusive), &s.MouseExclusive);
    EXPECT_EQ(&s.Setting(kWIDTH), &s.WIDTH);
    EXPECT_EQ(&s.Setting(kTEXTUREMODE), &s.TEXTUREMODE);
    EXPECT_EQ(&s.Setting(kBgmSwitch), &s.CmdOnOff[0]);
    EXPECT_EQ(&s.Setting(kLastCommandKey), &s.CmdOnOff[22]);
}

TEST_F(Defaults, SettingOutsideTheKeysChangesNoSettingAndReadsZero)
{
    CRegistry& s = *SetupSettings;
    s.SetDefaults();
    const int32_t switches[23] = {1, 2, 3};
    std::copy(std::begin(switches), std::end(switches), std::begin(s.CmdOnOff));
    for (int outside : {-1, kLastCommandKey + 1, 1000}) {
        s.Setting(outside) = 77;
        EXPECT_EQ(s.Setting(outside), 0) << outside;
    }
    EXPECT_TRUE(std::equal(std::begin(switches), std::end(switches), std::begin(s.CmdOnOff)));
    EXPECT_EQ(s.Bgm_Volume, 0);
    EXPECT_EQ(s.WIDTH, 640);
}

TEST(ScreenModeTableTest, HoldsFortyEntriesAndRefusesPositionsOutside)
{
    ScreenModeList table;
    for (int i = 0; i < ScreenModeList::kSize; ++i) {
        ASSERT_NE(table.At(i), nullptr);
        EXPECT_EQ(table.At(i)->width, 640);
    }
    EXPECT_EQ(table.At(40), nullptr);
    EXPECT_EQ(table.At(-1), nullptr);
    EXPECT_TRUE(table.Store(39, 1, 2, 3));
    EXPECT_FALSE(table.Store(40, 1, 2, 3));
    EXPECT_FALSE(table.Store(-1, 1, 2, 3));
    EXPECT_EQ(table.At(39)->bitsPerPixel, 3);
}

}  // namespace
