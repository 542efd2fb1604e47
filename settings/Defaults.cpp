#include "settings/SettingsRecord.h"

#include "optionfiles/OptionScript.h"
#include "settings/ScreenModeTable.h"
#include "settings/SettingNames.h"

namespace {

void ApplyFixedDefaults(CRegistry& s)
{
    s.ISFULLSCREENMODE = 0;
    s.WIDTH = 640;
    s.HEIGHT = 480;
    s.BITPERPIXEL = 16;
    s.SPRITEMODE = 2;
    s.TEXTUREMODE = 2;
    s.SOUNDMODE = 1;
    s.SPEAKERTYPE = 0;
    s.DIGITALRATETYPE = 0;
    s.DIGITALBITSTYPE = 0;
    s.PROVIDERNAME = kNoProvider;
}

// Volumes and switches as the client's option script sets them; 0 where
// it does not.
void ApplyScriptDefaults(CRegistry& s)
{
    auto option = [&s](int key) {
        s.Setting(key) = g_optionScript.GetDefaultOption(SettingName(key));
    };
    auto command = [&s](int key) {
        s.Setting(key) = g_optionScript.GetDefaultCommand(SettingName(key));
    };
    option(kBgm_Volume);
    option(kEffect_Volume);
    command(kBgmSwitch);
    command(kSoundSwitch);
    option(kMouseExclusive);
    for (int key = kFirstCommandKey; key <= kLastCommandKey; ++key)
        command(key);
}

}  // namespace

void CRegistry::SetDefaults()
{
    ApplyFixedDefaults(*this);
    ApplyScriptDefaults(*this);
    ScreenModeTable.Store(0, 640, 480, 16);
}
