#include "app/SetupSession.h"

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

SystemError SetDword(RegistryKey& key, const char* name, int32_t value)
{
    return key.Set(name, RegistryKey::kDword, &value, sizeof value);
}

// The first failure of a half's writes; the later writes are still tried.
void Keep(SystemError& first, SystemError error)
{
    if (first == kNoError)
        first = error;
}

SystemError SaveDeviceIdentity(const CRegistry& s)
{
    RegistryKey key = RegistryKey::Create(kProductKey);
    if (!key)
        return key.error();
    SystemError error = kNoError;
    Keep(error, key.Set("DEVICENAME", RegistryKey::kString, s.DEVICENAME, sizeof s.DEVICENAME));
    Keep(error, key.Set("GUIDDEVICE", RegistryKey::kBinary, &s.GUIDDEVICE, sizeof s.GUIDDEVICE));
    Keep(error, key.Set("GUIDDRIVER", RegistryKey::kBinary, &s.GUIDDRIVER, sizeof s.GUIDDRIVER));
    return error;
}

SystemError SaveSoundSettings(const CRegistry& s)
{
    RegistryKey key = RegistryKey::Create(kProductKey);
    if (!key)
        return key.error();
    SystemError error = kNoError;
    Keep(error, SetDword(key, "SOUNDMODE", s.SOUNDMODE));
    Keep(error, SetDword(key, "SPEAKERTYPE", s.SPEAKERTYPE));
    Keep(error, SetDword(key, "DIGITALRATETYPE", s.DIGITALRATETYPE));
    Keep(error, SetDword(key, "DIGITALBITSTYPE", s.DIGITALBITSTYPE));
    Keep(error, key.Set("PROVIDERNAME", RegistryKey::kString, s.PROVIDERNAME,
                        static_cast<uint32_t>(std::strlen(s.PROVIDERNAME) + 1)));
    return error;
}

}  // namespace

const char* const kProductKeyName = "HKEY_LOCAL_MACHINE\\Software\\Brindlecast\\Korvane";

void SetupSession::LoadRegistrySettings(Access access)
{
    CRegistry& s = *SetupSettings;
    s.SetDefaults();

    if (access == Access::kReadWrite)
        RegistryKey::Create(kSetupKey);

    if (!RegistryKey::OpenForQuery(kProductKey)) {
        // First run: store the defaults just applied. Nobody asked for this
        // write, so its outcome is not told.
        if (access == Access::kReadWrite)
            SaveRegistrySettings();
        return;
    }
    if (RegistryKey key = RegistryKey::OpenForQuery(kProductKey))
        LoadDeviceIdentity(key, s);
    if (RegistryKey key = RegistryKey::OpenForQuery(kProductKey))
        key.Query("SOUNDMODE", &s.SOUNDMODE, sizeof s.SOUNDMODE);
}

SetupSession::RegistryResult SetupSession::SaveRegistrySettings()
{
    const CRegistry& s = *SetupSettings;
    RegistryResult result;
    result.device = SaveDeviceIdentity(s);
    result.sound = SaveSoundSettings(s);
    return result;
}
