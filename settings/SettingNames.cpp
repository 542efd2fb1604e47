#include "settings/SettingNames.h"

const char* SettingNameTable[kSettingNameCount];

namespace {

const char* const kNames[kSettingNameCount] = {
    // 0-10: OptionInfoList keys
    "Bgm_Volume", "Effect_Volume", "MouseExclusive", "ISFULLSCREENMODE", "WIDTH", "HEIGHT",
    "BITPERPIXEL", "DEVICECNT", "MODECNT", "SPRITEMODE", "TEXTUREMODE",
    // 11-33: CmdOnOffList keys
    "/bgm", "/sound", "/notrade", "/noshift", "/noctrl", "/skillfail", "/notalkmsg",
    "/notalkmsg2", "/showname", "/fog", "/aura", "/window", "/miss", "/effect", "/shopping",
    "/stateinfo", "/loginout", "/snap", "/itemsnap", "/camera", "/hoai", "/merai", "/lightmap",
    // 34-36: Lua tables
    "SetupMSG", "CmdOnOffList", "OptionInfoList",
    // 37-39: scripts and files
    "System\\LuaFiles514\\MsgString", "System\\LuaFiles514\\OptionInfo", "SaveData\\OptionInfo",
    // 40-50: System page message keys
    "Device", "Mode", "FullScreen", "MouseExclusive", "Sprite", "Texture", "Bgm_Volume",
    "Effect_Volume", "bgm", "sound", "NoSound",
    // 51-71: Option page message keys
    "notrade", "noshift", "noctrl", "skillfail", "notalkmsg", "notalkmsg2", "showname", "fog",
    "aura", "window", "miss", "effect", "shopping", "stateinfo", "loginout", "snap", "itemsnap",
    "camera", "hoai", "merai", "lightmap",
};

}  // namespace

void InitSettingNames()
{
    for (int i = 0; i < kSettingNameCount; ++i)
        SettingNameTable[i] = kNames[i];
}

const char* SettingName(int index)
{
    return SettingNameTable[index];
}
