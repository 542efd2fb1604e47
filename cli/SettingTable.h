#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "settings/RawGuid.h"
#include "settings/SettingsRecord.h"

// The settings of the record as setupctl names them: by the keys they are
// stored under, in the saved option file (the 11 option keys and the 23
// switch keys) or in the registry (its 8 values).
struct SettingValue {
    bool isText = false;
    int32_t number = 0;
    std::string text;

    bool operator==(const SettingValue& other) const
    {
        return isText == other.isText && number == other.number && text == other.text;
    }
    bool operator!=(const SettingValue& other) const { return !(*this == other); }
};

struct NamedSetting {
    std::string name;
    SettingValue value;
    SettingOrigin origin;
    // For a value the tool writes but never reads, when the registry holds
    // another: what every save writes over it.
    bool resetBySave = false;
    SettingValue saveWrites;
};

struct RegistryValue;
struct StoredRegistryValue;

// What a save writes under the registry value, as show gives it.
SettingValue WrittenValue(const RegistryValue& stored, const CRegistry& s);
// What the registry holds, as show gives it; its type and size where it is
// not of the type the tool writes.
SettingValue HeldValue(const RegistryValue& stored, const StoredRegistryValue& held);

// The values the tool writes but never reads, as the registry holds them,
// each marked with what a save writes over it.
void TakeWrittenOnlyValues(std::vector<NamedSetting>& settings, const CRegistry& s);

// Every setting, in the order show lists them.
std::vector<NamedSetting> SettingsOf(const CRegistry& s);

// A value as text: numbers in decimal, texts as they are.
std::string ValueText(const SettingValue& value);

class JsonWriter;
// A value in JSON: a number, or a string.
void AddValue(JsonWriter& json, const SettingValue& value);

// "default", "option script", "registry", "saved file", "per-user copy"
// (whose place session/PerUserCopies.h gives).
const char* OriginName(SettingOrigin origin);

// A GUID in its registry form: {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
std::string GuidText(const RawGuid& guid);
