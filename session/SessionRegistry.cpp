#include "session/SessionSteps.h"

#include "platform/FileBytes.h"
#include "platform/RegistryKey.h"
#include "session/Defaults.h"
#include "settings/Findings.h"
#include "settings/RegistryValues.h"
#include "session/StoredRegistryValue.h"
#include "settings/SettingsRecord.h"

namespace {

const char* const kProductKey = kProductKeyPath;
const char kSetupKey[] = "Software\\Brindlecast\\TamselSetup";

using Half = RegistryValue::Half;

// Reads the half's values that the tool reads back, each into its field,
// noting where the field's value came from: like the client, from the
// per-user copy of the product key where it holds the value.
void LoadHalf(Half half, CRegistry& s)
{
    const RegistryKey perUser = RegistryKey::OpenPerUserForQuery(kProductKey);
    const RegistryKey key = RegistryKey::OpenForQuery(kProductKey);
    if (!key && !perUser)
        return;
    for (const RegistryValue& value : RegistryValues()) {
        if (value.half != half || value.readInto == nullptr)
            continue;
        void* field = value.readInto(s);
        if (perUser && perUser.Query(value.name, field, value.size))
            s.NoteOrigin(value.name, SettingOrigin::kPerUserRegistry);
        else if (key && key.Query(value.name, field, value.size))
            s.NoteOrigin(value.name, SettingOrigin::kRegistry);
        // A stored text may lack its NUL; the field is used as text everywhere.
        if (value.type == RegistryKey::kString)
            static_cast<char*>(field)[value.size - 1] = '\0';
    }
}

// The first failure of a half's writes; the later writes are still tried.
void Keep(SystemError& first, SystemError error)
{
    if (first == kNoError)
        first = error;
}

SystemError SaveHalf(Half half, const CRegistry& s)
{
    RegistryKey key = RegistryKey::Create(kProductKey);
    if (!key)
        return key.error();
    SystemError error = kNoError;
    for (const RegistryValue& value : RegistryValues()) {
        if (value.half != half)
            continue;
        const ValueBytes bytes = value.written(s);
        Keep(error, key.Set(value.name, value.type, bytes.data, bytes.size));
    }
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
    ApplyDefaults();

    if (access == Access::kReadWrite)
        CreateSetupKey();

    const bool firstRun = !RegistryKey::OpenForQuery(kProductKey);
    // First run: store the defaults just applied. Nobody asked for this
    // write, so its outcome is not told.
    if (firstRun && access == Access::kReadWrite)
        SaveRegistrySettings();
    if (firstRun && !RegistryKey::OpenPerUserForQuery(kProductKey))
        return;
    LoadHalf(Half::kDevice, s);
    LoadHalf(Half::kSound, s);
}

void SetupSession::CheckRegistryValues(Findings& findings)
{
    RegistryKey key = RegistryKey::OpenForQuery(kProductKey);
    if (!key)
        return;
    for (const RegistryValue& value : RegistryValues()) {
        const RegistryKey::ValueInfo info = key.QueryInfo(value.name);
        const std::string name = value.name;
        const bool isText = value.type == RegistryKey::kString;
        if (!info.exists)
            findings.Add("registry", 0, name + " is missing");
        else if (info.type != value.type)
            findings.Add("registry", 0,
                         name + " is " + TypeName(info.type) + ", not " + TypeName(value.type));
        else if (!isText && info.size != value.size)
            findings.Add("registry", 0,
                         name + " holds " + std::to_string(info.size) + " bytes, not " +
                             std::to_string(value.size));
        else if (isText && value.size != 0 && info.size > value.size)
            findings.Add("registry", 0,
                         name + " holds " + std::to_string(info.size) + " bytes, more than the " +
                             std::to_string(value.size) + " the tool reads");
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
    result.device = SaveHalf(Half::kDevice, s);
    result.sound = SaveHalf(Half::kSound, s);
    return result;
}

namespace {

StoredRegistryValue ReadStoredValue(const RegistryKey& key, const char* name)
{
    StoredRegistryValue stored;
    if (!key)
        return stored;
    const RegistryKey::ValueInfo info = key.QueryInfo(name);
    stored.exists = info.exists;
    stored.type = info.type;
    if (info.exists && info.size <= kMaxStoredValueBytes) {
        std::string bytes(info.size, '\0');
        if (key.Query(name, bytes.data(), info.size))
            stored.bytes = std::move(bytes);
    }
    return stored;
}

}  // namespace

StoredRegistryValue ReadStoredRegistryValue(const char* name)
{
    return ReadStoredValue(RegistryKey::OpenForQuery(kProductKey), name);
}

StoredRegistryValue ReadClientRegistryValue(const char* name)
{
    StoredRegistryValue stored = ReadPerUserRegistryValue(name);
    return stored.exists ? stored : ReadStoredRegistryValue(name);
}

StoredRegistryValue ReadPerUserRegistryValue(const char* name)
{
    StoredRegistryValue stored = ReadStoredValue(RegistryKey::OpenPerUserForQuery(kProductKey), name);
    stored.perUser = stored.exists;
    return stored;
}

std::string PerUserProductKeyName()
{
    return RegistryKey::PerUserKeyName(kProductKey);
}

SystemError RemovePerUserRegistryValue(const char* name)
{
    RegistryKey perUser = RegistryKey::OpenPerUserForChange(kProductKey);
    if (!perUser)
        return IsMissingFileError(perUser.error()) ? kNoError : perUser.error();
    return perUser.Remove(name);
}
