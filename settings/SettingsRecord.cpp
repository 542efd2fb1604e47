#include "settings/SettingsRecord.h"

#include <new>

#include "settings/ScreenModeTable.h"
#include "settings/SettingNames.h"

CRegistry* SetupSettings = nullptr;

const char* const kNoProvider = "No Provider";

bool CRegistry::CrateInstance()
{
    if (SetupSettings != nullptr)
        return false;
    CRegistry* instance = new (std::nothrow) CRegistry;
    if (instance == nullptr)
        return false;
    SetupSettings = instance;
    return true;
}

void CRegistry::ReleaseInstance()
{
    delete SetupSettings;
    SetupSettings = nullptr;
}

void CRegistry::SetDefaults()
{
    origins.clear();
    ISFULLSCREENMODE = 0;
    WIDTH = kDefaultScreenMode.width;
    HEIGHT = kDefaultScreenMode.height;
    BITPERPIXEL = kDefaultScreenMode.bitsPerPixel;
    SPRITEMODE = 2;
    TEXTUREMODE = 2;
    SOUNDMODE = 1;
    SPEAKERTYPE = 0;
    DIGITALRATETYPE = 0;
    DIGITALBITSTYPE = 0;
    PROVIDERNAME = kNoProvider;
    ScreenModeTable.Store(0, kDefaultScreenMode.width, kDefaultScreenMode.height,
                          kDefaultScreenMode.bitsPerPixel);
}

int32_t& CRegistry::Setting(int keyIndex)
{
    switch (keyIndex) {
    case kBgm_Volume: return Bgm_Volume;
    case kEffect_Volume: return Effect_Volume;
    case kMouseExclusive: return MouseExclusive;
    case kISFULLSCREENMODE: return ISFULLSCREENMODE;
    case kWIDTH: return WIDTH;
    case kHEIGHT: return HEIGHT;
    case kBITPERPIXEL: return BITPERPIXEL;
    case kDEVICECNT: return DEVICECNT;
    case kMODECNT: return MODECNT;
    case kSPRITEMODE: return SPRITEMODE;
    case kTEXTUREMODE: return TEXTUREMODE;
    default: break;
    }
    if (keyIndex >= kFirstCmdOnOffKey && keyIndex <= kLastCmdOnOffKey)
        return CmdOnOff[keyIndex - kFirstCmdOnOffKey];
    noSetting_ = 0;
    return noSetting_;
}

SettingOrigin CRegistry::OriginOf(const char* key) const
{
    const auto found = origins.find(key);
    return found != origins.end() ? found->second : SettingOrigin::kDefault;
}

void CRegistry::NoteOrigin(const char* key, SettingOrigin origin)
{
    origins[key] = origin;
}
