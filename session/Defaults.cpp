#include "session/Defaults.h"

#include "optionfiles/OptionScript.h"
#include "session/ListedModes.h"
#include "settings/ScreenModeTable.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"

namespace {

// The option script's number under key in table, as GetDefaultOption and
// GetDefaultCommand answer (0 where it has none), noting where it came from.
void TakeScriptValue(CRegistry& s, int table, int key)
{
    const IntegerLookup found = g_optionScript.LookUpInteger(SettingName(kOptionInfoScript),
                                                             SettingName(table), SettingName(key));
    s.Setting(key) = found.found ? found.value : 0;
    if (found.found)
        s.NoteOrigin(SettingName(key), SettingOrigin::kOptionScript);
}

// Volumes and switches as the client's option script sets them; 0 where
// it does not.
void ApplyScriptDefaults(CRegistry& s)
{
    ScriptBatch batch(g_optionScript);
    auto option = [&s](int key) { TakeScriptValue(s, kOptionInfoList, key); };
    auto command = [&s](int key) { TakeScriptValue(s, kCmdOnOffList, key); };
    option(kBgm_Volume);
    option(kEffect_Volume);
    command(kBgmSwitch);
    command(kSoundSwitch);
    option(kMouseExclusive);
    for (int key = kFirstCommandKey; key <= kLastCommandKey; ++key)
        command(key);
}

// The first usable device, its identity and its listed modes; MODECNT at its
// line of the default mode. Without a usable device nothing changes.
void TakeFirstUsableDevice(CRegistry& s)
{
    const DisplayDevice* device = FindUsableDevice(0);
    if (!device)
        return;
    s.DEVICECNT = 0;
    ScreenMode listed[ScreenModeList::kSize];
    const int count = TakeDevice(*device, listed);
    for (int i = 0; i < count; ++i)
        if (listed[i] == kDefaultScreenMode)
            s.MODECNT = i;
}

}  // namespace

void ApplyDefaults()
{
    CRegistry& s = *SetupSettings;
    s.SetDefaults();
    ApplyScriptDefaults(s);
    TakeFirstUsableDevice(s);
}
