#include "cli/SettingTable.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/RegistryKey.h"
#include "settings/RegistryValues.h"
#include "settings/SettingNames.h"

namespace {

SettingValue Number(int32_t number)
{
    SettingValue value;
    value.number = number;
    return value;
}

SettingValue Text(std::string text)
{
    SettingValue value;
    value.isText = true;
    value.text = std::move(text);
    return value;
}

// A registry value's field as show gives it: texts and GUIDs as text, DWORDs
// as numbers.
SettingValue StoredValue(const RegistryValue& stored, const CRegistry& s)
{
    const ValueBytes bytes = stored.written(s);
    const char* data = static_cast<const char*>(bytes.data);
    if (stored.type == RegistryKey::kString)
        return Text(std::string(data, strnlen(data, bytes.size)));
    if (stored.type == RegistryKey::kBinary) {
        RawGuid guid = {};
        std::memcpy(&guid, data, std::min<size_t>(bytes.size, sizeof guid));
        return Text(GuidText(guid));
    }
    int32_t number = 0;
    std::memcpy(&number, data, std::min<size_t>(bytes.size, sizeof number));
    return Number(number);
}

}  // namespace

std::string GuidText(const RawGuid& guid)
{
    const uint8_t* b = guid.bytes;
    char text[40];
    // The first three fields are stored little-endian, the last eight bytes in order.
    std::snprintf(text, sizeof text,
                  "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", b[3],
                  b[2], b[1], b[0], b[5], b[4], b[7], b[6], b[8], b[9], b[10], b[11], b[12], b[13],
                  b[14], b[15]);
    return text;
}

std::vector<NamedSetting> SettingsOf(const CRegistry& s)
{
    std::vector<NamedSetting> settings;
    auto add = [&](const char* name, SettingValue value) {
        settings.push_back(NamedSetting{name, std::move(value), s.OriginOf(name)});
    };
    for (int key = kFirstOptionKey; key <= kLastCmdOnOffKey; ++key)
        add(SettingName(key), Number(s.Setting(key)));
    for (const RegistryValue& stored : RegistryValues())
        add(stored.name, StoredValue(stored, s));
    return settings;
}

std::string ValueText(const SettingValue& value)
{
    return value.isText ? value.text : std::to_string(value.number);
}

const char* OriginName(SettingOrigin origin)
{
    switch (origin) {
    case SettingOrigin::kOptionScript: return "option script";
    case SettingOrigin::kRegistry: return "registry";
    case SettingOrigin::kSavedFile: return "saved file";
    case SettingOrigin::kDefault: break;
    }
    return "default";
}
