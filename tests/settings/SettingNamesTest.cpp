#include <gtest/gtest.h>

#include "settings/SettingNames.h"

namespace {

TEST(SettingNames, AllSeventyTwoTextsByIndex)
{
    static const char* const expected[kSettingNameCount] = {
        "Bgm_Volume", "Effect_Volume", "MouseExclusive", "ISFULLSCREENMODE", "WIDTH",
        "HEIGHT", "BITPERPIXEL", "DEVICECNT", "MODECNT", "SPRITEMODE", "TEXTUREMODE",
        "/bgm", "/sound", "/notrade", "/noshift", "/noctrl", "/skillfail", "/notalkmsg",
        "/notalkmsg2", "/showname", "/fog", "/aura", "/window", "/miss", "/effect",
        "/shopping", "/stateinfo", "/loginout", "/snap", "/itemsnap", "/camera", "/hoai",
        "/merai", "/lightmap",
        "SetupMSG", "CmdOnOffList", "OptionInfoList",
        "System\\LuaFiles514\\MsgString", "System\\LuaFiles514\\OptionInfo",
        "SaveData\\OptionInfo",
        "Device", "Mode", "FullScreen", "MouseExclusive", "Sprite", "Texture", "Bgm_Volume",
        "Effect_Volume", "bgm", "sound", "NoSound",
        "notrade", "noshift", "noctrl", "skillfail", "notalkmsg", "notalkmsg2", "showname",
        "fog", "aura", "window", "miss", "effect", "shopping", "stateinfo", "loginout", "snap",
        "itemsnap", "camera", "hoai", "merai", "lightmap",
    };
    InitSettingNames();
    for (int i = 0; i < kSettingNameCount; ++i)
        EXPECT_STREQ(SettingName(i), expected[i]) << "index " << i;

    // Each command switch's tooltip key is its key without the slash.
    for (int i = kFirstCommandKey; i <= kLastCommandKey; ++i)
        EXPECT_STREQ(SettingName(i) + 1, SettingName(i + kCommandMessageOffset));
}

}  // namespace
