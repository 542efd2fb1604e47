#include "app/SetupSession.h"

#include <cstring>

#include "settings/Findings.h"
#include "settings/RegistryKey.h"
#include "settings/SettingsRecord.h"

namespace {

const char kProductKey[] = "Software\\Brindlecast\\Korvane";
const char kSetupKey[] = "Software\\Brindlecast\\TamselSetup";

// Reads one value into its field, noting where the field's value came from.
void Load(const RegistryKey& key, const char* name, void* field, uint32_t size, CRegistry& s)
{
    if (key.Query(name, field, size))
        s.NoteOrigin(name, SettingOrigin::kRegistry);
}

void LoadDeviceIdentity(const RegistryKey& key, CRegistry& s)
{
    Load(key, "DEVICENAME", s.DEVICENAME, sizeof s.DEVICENAME, s);
    // A stored name may lack its NUL; the field is used as text everywhere.
    s.DEVICENAME[sizeof s.DEVICENAME - 1] = '\0';
    Load(key, "GUIDDEVICE", &s.GUIDDEVICE, sizeof s.GUIDDEVICE, s);
    Load(key, "GUIDDRIVER", &s.GUIDDRIVER, sizeof s.GUIDDRIVER, s);
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

const char* TypeName(uint32_t type)
{
    const char* const names[] = {"REG_NONE", "REG_SZ", "REG_EXPAND_SZ", "REG_BINARY", "REG_DWORD",
                                 "REG_DWORD_BIG_ENDIAN", "REG_LINK", "REG_MULTI_SZ"};
    return type < sizeof names / sizeof names[0] ? names[type] : "of another type";
}

}  // namespace

const char* const kProductKeyName = "HKEY_LOCAL_MACHINE\\Software\\Brindlecast\\Korvane";

void SetupSession::LoadRegistrySettings(Access access)
{
    CRegistry& s = *SetupSettings;
    s.SetDefaults();

    if (access == Access::kReadWrite)
        CreateSetupKey();

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
        Load(key, "SOUNDMODE", &s.SOUNDMODE, sizeof s.SOUNDMODE, s);
}

void SetupSession::CheckRegistryValues(Findings& findings)
{
    RegistryKey key = RegistryKey::OpenForQuery(kProductKey);
    if (!key)
        return;
    // Each value as the tool stores it: its type, and its size where the
    // reader needs exactly that (0: any size up to the bound).
    const struct { const char* name; uint32_t type; uint32_t size; uint32_t bound; } stored[] = {
        {"DEVICENAME", RegistryKey::kString, 0, sizeof CRegistry::DEVICENAME},
        {"GUIDDEVICE", RegistryKey::kBinary, sizeof(RawGuid), 0},
        {"GUIDDRIVER", RegistryKey::kBinary, sizeof(RawGuid), 0},
        {"SOUNDMODE", RegistryKey::kDword, 4, 0},
        {"SPEAKERTYPE", RegistryKey::kDword, 4, 0},
        {"DIGITALRATETYPE", RegistryKey::kDword, 4, 0},
        {"DIGITALBITSTYPE", RegistryKey::kDword, 4, 0},
        {"PROVIDERNAME", RegistryKey::kString, 0, 0},
    };
    for (const auto& value : stored) {
        const RegistryKey::ValueInfo info = key.QueryInfo(value.name);
        const std::string name = value.name;
        if (!info.exists)
            findings.Add("registry", 0, name + " is missing");
        else if (info.type != value.type)
            findings.Add("registry", 0,
                         name + " is " + TypeName(info.type) + ", not " + TypeName(value.type));
        else if (value.size != 0 && info.size != value.size)
            findings.Add("registry", 0,
                         name + " holds " + std::to_string(info.size) + " bytes, not " +
                             std::to_string(value.size));
        else if (value.bound != 0 && info.size > value.bound)
            findings.Add("registry", 0,
                         name + " holds " + std::to_string(info.size) + " bytes, more than the " +
                             std::to_string(value.bound) + " the tool reads");
    }
}

void SetupSession::CreateSetupKey()
{
    RegistryKey::Create(kSetupKey);
}

SetupSession::RegistryResult SetupSession::SaveRegistrySettings()
{
    const CRegistry& s = *SetupSettings;
    RegistryResult result;
    result.device = SaveDeviceIdentity(s);
    result.sound = SaveSoundSettings(s);
    return result;
}
