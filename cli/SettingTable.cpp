#include "cli/SettingTable.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "cli/Json.h"
#include "platform/RegistryKey.h"
#include "session/StoredRegistryValue.h"
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

// Bytes of a registry value as show gives them: texts and GUIDs as text,
// DWORDs as numbers.
SettingValue FromBytes(uint32_t type, const char* data, size_t size)
{
    if (type == RegistryKey::kString)
        return Text(std::string(data, strnlen(data, size)));
    if (type == RegistryKey::kBinary) {
        RawGuid guid = {};
        std::memcpy(&guid, data, std::min<size_t>(size, sizeof guid));
        return Text(GuidText(guid));
    }
    int32_t number = 0;
    std::memcpy(&number, data, std::min<size_t>(size, sizeof number));
    return Number(number);
}

SettingValue StoredValue(const RegistryValue& stored, const CRegistry& s)
{
    const ValueBytes bytes = stored.written(s);
    return FromBytes(stored.type, static_cast<const char*>(bytes.data), bytes.size);
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
        settings.push_back(NamedSetting{name, std::move(value), s.OriginOf(name), false, {}});
    };
    for (int key = kFirstOptionKey; key <= kLastCmdOnOffKey; ++key)
        add(SettingName(key), Number(s.Setting(key)));
    for (const RegistryValue& stored : RegistryValues())
        add(stored.name, StoredValue(stored, s));
    return settings;
}

SettingValue WrittenValue(const RegistryValue& stored, const CRegistry& s)
{
    return StoredValue(stored, s);
}

SettingValue HeldValue(const RegistryValue& stored, const StoredRegistryValue& held)
{
    const bool fixedSize = stored.type != RegistryKey::kString;
    if (held.type != stored.type || (fixedSize && held.bytes.size() != stored.size))
        return Text("(" + std::to_string(held.bytes.size()) + " bytes of type " + std::to_string(held.type) + ")");
    return FromBytes(held.type, held.bytes.data(), held.bytes.size());
}

void TakeWrittenOnlyValues(std::vector<NamedSetting>& settings, const CRegistry& s)
{
    for (const RegistryValue& stored : RegistryValues()) {
        if (stored.readInto != nullptr)
            continue;
        const StoredRegistryValue held = ReadClientRegistryValue(stored.name);
        for (NamedSetting& setting : settings) {
            if (setting.name != stored.name || !held.exists)
                continue;
            setting.origin = held.perUser ? SettingOrigin::kPerUserRegistry : SettingOrigin::kRegistry;
            setting.saveWrites = WrittenValue(stored, s);
            setting.value = HeldValue(stored, held);
            setting.resetBySave = setting.value != setting.saveWrites;
        }
    }
}

std::string ValueText(const SettingValue& value)
{
    return value.isText ? value.text : std::to_string(value.number);
}

void AddValue(JsonWriter& json, const SettingValue& value)
{
    if (value.isText)
        json.String(value.text);
    else
        json.Number(value.number);
}

const char* OriginName(SettingOrigin origin)
{
    switch (origin) {
    case SettingOrigin::kOptionScript: return "option script";
    case SettingOrigin::kRegistry: return "registry";
    case SettingOrigin::kSavedFile: return "saved file";
    case SettingOrigin::kPerUserRegistry:
    case SettingOrigin::kPerUserFile: return "per-user copy";
    case SettingOrigin::kDefault: break;
    }
    return "default";
}
