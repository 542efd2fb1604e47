#include "cli/Profile.h"

#include "cli/DeviceNames.h"
#include "cli/Failure.h"
#include "cli/Json.h"
#include "cli/JsonReader.h"
#include "display/ModeLine.h"
#include "settings/SettingRanges.h"
#include "settings/SettingsRecord.h"

namespace {

const char kFormat[] = "setupctl-profile";
constexpr long long kVersion = 1;

// The fields of a profile, and of its device.
const char* const kFields[] = {"format", "version", "settings", "mode", "device", "replacedBytes"};
const char* const kDeviceFields[] = {"driver", "name", "type"};

template <size_t N>
bool Knows(const char* const (&fields)[N], const std::string& key)
{
    for (const char* field : fields)
        if (key == field)
            return true;
    return false;
}

// Refuses, with why, any member of object that fields does not name.
template <size_t N>
bool OnlyKnown(const JsonValue& object, const char* const (&fields)[N], const std::string& where, std::string& why)
{
    for (const std::string& key : object.keys)
        if (!Knows(fields, key)) {
            why = "unknown field \"" + where + Echo(key) + "\"";
            return false;
        }
    return true;
}

// The member of object named key when it is of kind; null, with why, when it
// is of another; null when it is missing and not required.
const JsonValue* Field(const JsonValue& object, const std::string& key, JsonValue::Kind kind,
                       const std::string& where, bool required, std::string& why)
{
    const JsonValue* value = object.Member(key);
    if (value == nullptr) {
        if (required)
            why = "\"" + where + key + "\" is missing";
        return nullptr;
    }
    if (value->kind != kind) {
        why = "\"" + where + key + "\" is " + JsonKindName(value->kind) + ", not " + JsonKindName(kind);
        return nullptr;
    }
    return value;
}

// A profile of another format or of a later version is told as such, before
// any field it may have that this one does not know.
bool ReadHeader(const JsonValue& profile, std::string& why)
{
    const JsonValue* format = Field(profile, "format", JsonValue::Kind::kString, "", true, why);
    if (format == nullptr)
        return false;
    if (format->text != kFormat) {
        why = "format \"" + Echo(format->text) + "\" is not " + kFormat;
        return false;
    }
    const JsonValue* version = Field(profile, "version", JsonValue::Kind::kNumber, "", true, why);
    if (version == nullptr)
        return false;
    if (!version->isInteger || version->integer < 1 || version->integer > kVersion) {
        why = "version " + Echo(version->text) + " is not one this setupctl reads (1 to " + std::to_string(kVersion) + ")";
        return false;
    }
    return OnlyKnown(profile, kFields, "", why);
}

// Told on export only; an import has nothing to do with it.
bool ReadCount(const JsonValue& profile, std::string& why)
{
    Field(profile, "replacedBytes", JsonValue::Kind::kNumber, "", false, why);
    return why.empty();
}

bool ReadSettings(const JsonValue& profile, std::vector<Pair>& pairs, std::string& why)
{
    const JsonValue* settings = Field(profile, "settings", JsonValue::Kind::kObject, "", false, why);
    if (settings == nullptr)
        return why.empty();
    for (size_t i = 0; i < settings->keys.size(); ++i) {
        const std::string& name = settings->keys[i];
        const JsonValue& value = settings->items[i];
        EditedSetting edited;
        if (!FindEditedSetting(name, edited)) {
            why = "unknown field \"settings." + Echo(name) + "\"";
            return false;
        }
        if (!value.isInteger) {
            why = "\"settings." + name + "\" is " + JsonKindName(value.kind) + ", not a whole number";
            return false;
        }
        pairs.push_back(Pair{name + "=" + std::to_string(value.integer), name, "", edited, value.integer});
    }
    return true;
}

bool ReadMode(const JsonValue& profile, std::vector<Pair>& pairs, std::string& why)
{
    const JsonValue* mode = Field(profile, "mode", JsonValue::Kind::kString, "", false, why);
    if (mode != nullptr)
        pairs.push_back(Pair{"mode=" + mode->text, "mode", mode->text});
    return why.empty();
}

bool ReadDevice(const JsonValue& profile, std::vector<Pair>& pairs, std::string& why)
{
    const JsonValue* device = Field(profile, "device", JsonValue::Kind::kObject, "", false, why);
    if (device == nullptr)
        return why.empty();
    if (!OnlyKnown(*device, kDeviceFields, "device.", why))
        return false;
    const JsonValue* driver = Field(*device, "driver", JsonValue::Kind::kString, "device.", true, why);
    const JsonValue* type = driver != nullptr ? Field(*device, "type", JsonValue::Kind::kString, "device.", true, why)
                                              : nullptr;
    if (type == nullptr || (device->Member("name") != nullptr &&
                            Field(*device, "name", JsonValue::Kind::kString, "device.", true, why) == nullptr))
        return false;
    if (type->text.empty() || type->text[0] != '{') {
        why = "\"device.type\" is not a {GUID}";
        return false;
    }
    const std::string named = driver->text + "/" + type->text;
    pairs.push_back(Pair{"device=" + named, "device", named});
    return true;
}

// PowerShell 5.1 writes UTF-8 with a byte-order mark, and its > writes
// UTF-16: the first is read, the second named rather than taken for
// broken JSON.
bool PassByteOrderMark(std::string_view& text, std::string& why)
{
    const std::string_view utf8Mark = "\xEF\xBB\xBF";
    if (text.substr(0, utf8Mark.size()) == utf8Mark) {
        text.remove_prefix(utf8Mark.size());
        return true;
    }
    const bool utf16Mark = text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF";
    const bool utf16Text = text.size() >= 2 && (text[0] == '\0') != (text[1] == '\0');
    if (!utf16Mark && !utf16Text)
        return true;
    why = "the profile is UTF-16, not UTF-8 (PowerShell's > writes UTF-16; "
          "write it with Out-File -Encoding utf8, or with setupctl export FILE)";
    return false;
}

}  // namespace

ProfileContents WholeProfile(bool withDisplay)
{
    ProfileContents contents;
    for (const EditedSetting& edited : EditedSettings())
        contents.settings.push_back(edited.Name());
    contents.mode = contents.device = withDisplay;
    return contents;
}

bool ProfileNamed(const std::vector<std::string>& names, ProfileContents& contents, std::string& unknown)
{
    contents = ProfileContents{{}, false, false};
    EditedSetting edited;
    for (const std::string& name : names) {
        if (name == "mode")
            contents.mode = true;
        else if (name == "device")
            contents.device = true;
        else if (FindEditedSetting(name, edited))
            contents.settings.push_back(name);
        else {
            unknown = name;
            return false;
        }
    }
    return true;
}

std::string ProfileText(const CRegistry& s, unsigned codePage, const ProfileContents& contents)
{
    JsonWriter json(codePage);
    json.BeginObject().Key("format").String(kFormat).Key("version").Number(kVersion);
    EditedSetting edited;
    if (!contents.settings.empty()) {
        json.Key("settings").BeginObject();
        for (const std::string& name : contents.settings)
            if (FindEditedSetting(name, edited))
                json.Key(edited.Name()).Number(edited.Value(s));
        json.EndObject();
    }
    if (contents.mode)
        json.Key("mode").String(CompactModeText(ScreenMode{s.WIDTH, s.HEIGHT, s.BITPERPIXEL}));
    if (contents.device) {
        const DeviceIdentity device = ChosenIdentity(s);
        json.Key("device").BeginObject();
        json.Key("driver").String(device.driver).Key("name").String(device.name).Key("type").String(device.type);
        json.EndObject();
    }
    const std::string line = json.EndObject().Line();
    return line.substr(0, line.size() - 1);
}

bool ReadProfile(std::string_view text, std::vector<Pair>& pairs, std::string& why)
{
    pairs.clear();
    why.clear();
    if (!PassByteOrderMark(text, why))
        return false;
    JsonValue profile;
    if (!ReadJson(text, profile, why))
        return false;
    if (profile.kind != JsonValue::Kind::kObject) {
        why = std::string("the profile is ") + JsonKindName(profile.kind) + ", not an object";
        return false;
    }
    return ReadHeader(profile, why) && ReadCount(profile, why) && ReadSettings(profile, pairs, why) &&
           ReadMode(profile, pairs, why) && ReadDevice(profile, pairs, why);
}
