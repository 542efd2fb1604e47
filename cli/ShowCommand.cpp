// setupctl show: every setting, its value and where the value came from.
#include <algorithm>
#include <cstdio>

#include "cli/ClientSettings.h"
#include "cli/Commands.h"
#include "cli/DeviceNames.h"
#include "cli/Failure.h"
#include "cli/Json.h"
#include "cli/SettingTable.h"
#include "display/ModeLine.h"
#include "session/PerUserCopies.h"
#include "settings/SettingsRecord.h"

namespace {

// The settings named, in the order asked; all when none are named.
bool Select(const std::vector<NamedSetting>& all, const std::vector<std::string>& names,
            std::vector<NamedSetting>& selected, std::string& unknown)
{
    if (names.empty()) {
        selected = all;
        return true;
    }
    for (const std::string& name : names) {
        const auto found = std::find_if(all.begin(), all.end(),
                                        [&](const NamedSetting& s) { return s.name == name; });
        if (found == all.end()) {
            unknown = name;
            return false;
        }
        selected.push_back(*found);
    }
    return true;
}

// The mode and the device as set and profiles name them.
void AddModeAndDevice(std::vector<NamedSetting>& settings, const CRegistry& s)
{
    SettingValue mode;
    mode.isText = true;
    mode.text = CompactModeText(ScreenMode{s.WIDTH, s.HEIGHT, s.BITPERPIXEL});
    settings.push_back(NamedSetting{"mode", mode, s.OriginOf("WIDTH"), false, {}});
    SettingValue device;
    device.isText = true;
    device.text = IdentityText(ChosenIdentity(s));
    settings.push_back(NamedSetting{"device", device, s.OriginOf("DEVICENAME"), false, {}});
}

void PrintText(const std::vector<NamedSetting>& settings, size_t foreignLines)
{
    for (const NamedSetting& s : settings) {
        std::printf("%-17s %-40s %s", s.name.c_str(), ValueText(s.value).c_str(), OriginName(s.origin));
        const std::string place = PerUserCopyPlace(s.origin);
        if (!place.empty())
            std::printf(" %s", place.c_str());
        if (s.resetBySave)
            std::printf(", a save resets it to %s", ValueText(s.saveWrites).c_str());
        std::printf("\n");
    }
    std::printf("foreign lines: %zu\n", foreignLines);
}

void PrintValues(const std::vector<NamedSetting>& settings)
{
    for (const NamedSetting& s : settings)
        std::printf("%s\n", ValueText(s.value).c_str());
}

void PrintJson(const std::vector<NamedSetting>& settings, size_t foreignLines, unsigned codePage)
{
    JsonWriter json(codePage);
    json.BeginObject().Key("settings").BeginObject();
    for (const NamedSetting& s : settings) {
        json.Key(s.name).BeginObject().Key("value");
        AddValue(json, s.value);
        json.Key("source").String(OriginName(s.origin));
        const std::string place = PerUserCopyPlace(s.origin);
        if (!place.empty())
            json.Key("place").String(place);
        if (s.resetBySave)
            AddValue(json.Key("aSaveResetsItTo"), s.saveWrites);
        json.EndObject();
    }
    json.EndObject().Key("foreignLines").Number(static_cast<long long>(foreignLines)).EndObject();
    PrintJsonDocument(json.Line());
}

}  // namespace

int RunShow(const Arguments& arguments)
{
    ClientSettings client;
    if (const int failed = ReadClientSettings(client))
        return failed;

    std::vector<NamedSetting> settings;
    std::string unknown;
    std::vector<NamedSetting> all = SettingsOf(*SetupSettings);
    TakeWrittenOnlyValues(all, *SetupSettings);
    AddModeAndDevice(all, *SetupSettings);
    if (!Select(all, arguments.operands, settings, unknown))
        return Fail(kExitUsage, "no setting is named " + Echo(unknown));
    const size_t foreignLines = SetupSettings->preservedLines.size();
    if (arguments.valueOnly)
        PrintValues(settings);
    else if (arguments.json)
        PrintJson(settings, foreignLines, arguments.codePage);
    else
        PrintText(settings, foreignLines);
    return kExitDone;
}
