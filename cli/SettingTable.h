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
};

// Every setting, in the order show lists them.
std::vector<NamedSetting> SettingsOf(const CRegistry& s);

// A value as text: numbers in decimal, texts as they are.
std::string ValueText(const SettingValue& value);

// "default", "option script", "registry", "saved file".
const char* OriginName(SettingOrigin origin);

// A GUID in its registry form: {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
std::string GuidText(const RawGuid& guid);
