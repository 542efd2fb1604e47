#include "settings/RegistryValues.h"

#include <cstring>
#include <iterator>

#include "platform/RegistryKey.h"
#include "settings/SettingsRecord.h"

namespace {

using Half = RegistryValue::Half;

template <class Field>
ValueBytes BytesOf(const Field& field)
{
    return ValueBytes{&field, static_cast<uint32_t>(sizeof field)};
}

// A text the record points to, with its NUL.
ValueBytes TextBytes(const char* text)
{
    if (text == nullptr)
        text = "";
    return ValueBytes{text, static_cast<uint32_t>(std::strlen(text) + 1)};
}

// The device name goes whole, all 40 bytes of its field.
const RegistryValue kValues[] = {
    {"DEVICENAME", RegistryKey::kString, sizeof CRegistry::DEVICENAME, Half::kDevice,
     [](CRegistry& s) -> void* { return s.DEVICENAME; },
     [](const CRegistry& s) { return BytesOf(s.DEVICENAME); }},
    {"GUIDDEVICE", RegistryKey::kBinary, sizeof(RawGuid), Half::kDevice,
     [](CRegistry& s) -> void* { return &s.GUIDDEVICE; },
     [](const CRegistry& s) { return BytesOf(s.GUIDDEVICE); }},
    {"GUIDDRIVER", RegistryKey::kBinary, sizeof(RawGuid), Half::kDevice,
     [](CRegistry& s) -> void* { return &s.GUIDDRIVER; },
     [](const CRegistry& s) { return BytesOf(s.GUIDDRIVER); }},
    {"SOUNDMODE", RegistryKey::kDword, sizeof(int32_t), Half::kSound,
     [](CRegistry& s) -> void* { return &s.SOUNDMODE; },
     [](const CRegistry& s) { return BytesOf(s.SOUNDMODE); }},
    {"SPEAKERTYPE", RegistryKey::kDword, sizeof(int32_t), Half::kSound, nullptr,
     [](const CRegistry& s) { return BytesOf(s.SPEAKERTYPE); }},
    {"DIGITALRATETYPE", RegistryKey::kDword, sizeof(int32_t), Half::kSound, nullptr,
     [](const CRegistry& s) { return BytesOf(s.DIGITALRATETYPE); }},
    {"DIGITALBITSTYPE", RegistryKey::kDword, sizeof(int32_t), Half::kSound, nullptr,
     [](const CRegistry& s) { return BytesOf(s.DIGITALBITSTYPE); }},
    {"PROVIDERNAME", RegistryKey::kString, 0, Half::kSound, nullptr,
     [](const CRegistry& s) { return TextBytes(s.PROVIDERNAME); }},
};

}  // namespace

RegistryValueList RegistryValues()
{
    return RegistryValueList{std::begin(kValues), std::end(kValues)};
}
