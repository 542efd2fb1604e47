#pragma once

// The 72 texts every part of the tool takes its keys, Lua table names, file
// names and message keys from. Filled once by InitSettingNames at start-up.

enum SettingNameIndex : int {
    // keys of OptionInfoList
    kBgm_Volume = 0,
    kEffect_Volume = 1,
    kMouseExclusive = 2,
    kISFULLSCREENMODE = 3,
    kWIDTH = 4,
    kHEIGHT = 5,
    kBITPERPIXEL = 6,
    kDEVICECNT = 7,
    kMODECNT = 8,
    kSPRITEMODE = 9,
    kTEXTUREMODE = 10,
    kFirstOptionKey = kBgm_Volume,
    kLastOptionKey = kTEXTUREMODE,

    // keys of CmdOnOffList: "/bgm", "/sound", then the 21 command switches
    kBgmSwitch = 11,
    kSoundSwitch = 12,
    kFirstCommandKey = 13,  // "/notrade"
    kLastCommandKey = 33,   // "/lightmap"
    kFirstCmdOnOffKey = kBgmSwitch,
    kLastCmdOnOffKey = kLastCommandKey,

    // Lua tables
    kSetupMSG = 34,
    kCmdOnOffList = 35,
    kOptionInfoList = 36,

    // scripts and files, without extension
    kMsgStringScript = 37,
    kOptionInfoScript = 38,
    kSavedOptionFile = 39,

    // message keys of the System page (40..50) and the Option page (51..71)
    kFirstSystemMessage = 40,
    kLastSystemMessage = 50,
    kFirstOptionMessage = 51,
    kLastOptionMessage = 71,

    kSettingNameCount = 72
};

// A command switch's tooltip key is its own entry plus this: "/fog" -> "fog".
constexpr int kCommandMessageOffset = kFirstOptionMessage - kFirstCommandKey;

extern const char* SettingNameTable[kSettingNameCount];

void InitSettingNames();

// The text at index; the index must lie in 0..71.
const char* SettingName(int index);
