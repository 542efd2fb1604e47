#include "app/SetupApp.h"

#include <cstring>

#include "settings/RegistryKey.h"
#include "settings/SettingsRecord.h"

namespace {

const char kProductKey[] = "Software\\Brindlecast\\Korvane";
const char kSetupKey[] = "Software\\Brindlecast\\TamselSetup";

void LoadDeviceIdentity(const RegistryKey& key, CRegistry& s)
{
    key.Query("DEVICENAME", s.DEVICENAME, sizeof s.DEVICENAME);
    // A stored name may lack its NUL; the field is used as text everywhere.
    s.DEVICENAME[sizeof s.DEVICENAME - 1] = '\0';
    key.Query("GUIDDEVICE", &s.GUIDDEVICE, sizeof s.GUIDDEVICE);
    key.Query("GUIDDRIVER", &s.GUIDDRIVER, sizeof s.GUIDDRIVER);
}

void SetDword(RegistryKey& key, const char* name, int32_t value)
{
    key.Set(name, RegistryKey::kDword, &value, sizeof value);
}

}  // namespace

void CSetupApp::LoadRegistrySettings()
{
    CRegistry& s = *SetupSettings;
    s.SetDefaults();

    RegistryKey::Create(kSetupKey);

    if (!RegistryKey::OpenForQuery(kProductKey)) {
        SaveRegistrySettings();  // first run: store the defaults just applied
        return;
    }
    if (RegistryKey key = RegistryKey::OpenForQuery(kProductKey))
        LoadDeviceIdentity(key, s);
    if (RegistryKey key = RegistryKey::OpenForQuery(kProductKey))
        key.Query("SOUNDMODE", &s.SOUNDMODE, sizeof s.SOUNDMODE);
}

void CSetupApp::SaveRegistrySettings()
{
    const CRegistry& s = *SetupSettings;
    if (RegistryKey key = RegistryKey::Create(kProductKey)) {
        key.Set("DEVICENAME", RegistryKey::kString, s.DEVICENAME, sizeof s.DEVICENAME);
        key.Set("GUIDDEVICE", RegistryKey::kBinary, &s.GUIDDEVICE, sizeof s.GUIDDEVICE);
        key.Set("GUIDDRIVER", RegistryKey::kBinary, &s.GUIDDRIVER, sizeof s.GUIDDRIVER);
    }
    RegistryKey key = RegistryKey::Create(kProductKey);
    if (!key)
        return;
    SetDword(key, "SOUNDMODE", s.SOUNDMODE);
    SetDword(key, "SPEAKERTYPE", s.SPEAKERTYPE);
    SetDword(key, "DIGITALRATETYPE", s.DIGITALRATETYPE);
    SetDword(key, "DIGITALBITSTYPE", s.DIGITALBITSTYPE);
    key.Set("PROVIDERNAME", RegistryKey::kString, s.PROVIDERNAME,
            static_cast<uint32_t>(std::strlen(s.PROVIDERNAME) + 1));
}
