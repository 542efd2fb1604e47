#include "settings/SettingsRecord.h"

#include "settings/ScreenModeTable.h"

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

}  // namespace

void CRegistry::SetDefaults()
{
    ApplyFixedDefaults(*this);
    ScreenModeTable.Store(0, 640, 480, 16);
}
