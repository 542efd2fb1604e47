#include "session/SettingsCheck.h"

#include <cctype>
#include <cstring>
#include <string>

#include "display/ModeLine.h"
#include "optionfiles/OptionScript.h"
#include "optionfiles/PreservedLines.h"
#include "platform/FileBytes.h"
#include "platform/HostPath.h"
#include "session/ListedModes.h"
#include "session/SavedFileFindings.h"
#include "session/SetupSession.h"
#include "settings/SettingNames.h"
#include "settings/SettingRanges.h"
#include "settings/SettingsRecord.h"

namespace {

// The file a value came from, as the tool names it; where no file gave it,
// the place says so.
std::string PlaceOf(const CRegistry& s, const char* key)
{
    switch (s.OriginOf(key)) {
    case SettingOrigin::kSavedFile: return g_optionScript.FileUsedFor(SettingName(kSavedOptionFile));
    case SettingOrigin::kOptionScript: return g_optionScript.FileUsedFor(SettingName(kOptionInfoScript));
    case SettingOrigin::kRegistry: return "registry";
    case SettingOrigin::kDefault: break;
    }
    return "defaults";
}

bool IsNamePart(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Whether line gives key a value: it names it in quotes (["WIDTH"] = or
// ['WIDTH'] =) or as a field name of its own (WIDTH =).
bool Assigns(const std::string& line, const std::string& key)
{
    if (line.find('"' + key + '"') != std::string::npos || line.find('\'' + key + '\'') != std::string::npos)
        return true;
    const size_t at = line.find(key);
    if (at == std::string::npos || (at > 0 && IsNamePart(line[at - 1])))
        return false;
    const size_t next = line.find_first_not_of(" \t", at + key.size());
    return next != std::string::npos && line[next] == '=';
}

// The last line of a source file that assigns key: the one whose value the
// tool took. 0 when it cannot be told (a precompiled chunk, no such line).
int LineOf(const std::string& place, const std::string& key)
{
    const FileBytes file = ReadFileBytes(HostPath(place.c_str()));
    if (file.status != FileBytes::Status::kRead || (!file.bytes.empty() && file.bytes[0] == '\x1b'))
        return 0;
    int found = 0;
    int number = 0;
    for (const std::string& line : SplitLines(file.bytes)) {
        ++number;
        if (Assigns(line, key))
            found = number;
    }
    return found;
}

void NoteValue(Findings& findings, const CRegistry& s, const char* key, const std::string& what)
{
    const std::string place = PlaceOf(s, key);
    const bool isFile = place != "registry" && place != "defaults";
    findings.Add(place, isFile ? LineOf(place, key) : 0, what);
}

// A value the setting's control could not show.
void CheckRange(Findings& findings, const CRegistry& s, const EditedSetting& edited)
{
    const SettingRange& range = *edited.range;
    const int32_t value = edited.Value(s);
    if (value >= range.low && value <= range.high)
        return;
    const char* key = edited.Name();
    const std::string low = std::to_string(range.low);
    const std::string high = std::to_string(range.high);
    const std::string allowed = &range == &kSwitchRange
                                    ? std::string(range.control) + " is " + low + " or " + high
                                    : std::string(range.control) + " goes from " + low + " to " + high;
    NoteValue(findings, s, key, std::string(key) + " is " + std::to_string(value) + "; " + allowed);
}

void CheckRanges(Findings& findings, const CRegistry& s)
{
    for (const EditedSetting& edited : EditedSettings())
        CheckRange(findings, s, edited);
}

// The mode at MODECNT against the mode the three fields name, among the
// lines of the chosen device's Mode list.
void CheckMode(Findings& findings, const CRegistry& s, const DisplayDevice& device)
{
    ScreenMode listed[ScreenModeList::kSize];
    const int count = ListModes(device, listed);
    const ScreenMode fields{s.WIDTH, s.HEIGHT, s.BITPERPIXEL};
    const char* key = SettingName(kMODECNT);
    if (s.MODECNT < 0 || s.MODECNT >= count) {
        NoteValue(findings, s, key,
                  "MODECNT " + std::to_string(s.MODECNT) + " is not a line of the Mode list, which has " +
                      std::to_string(count));
        return;
    }
    if (listed[s.MODECNT] != fields)
        NoteValue(findings, s, key,
                  "MODECNT " + std::to_string(s.MODECNT) + " names " + ModeLineText(listed[s.MODECNT]) +
                      ", but WIDTH, HEIGHT and BITPERPIXEL name " + ModeLineText(fields));
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

void CheckDevice(Findings& findings, const CRegistry& s)
{
    const DisplayDevice* device = FindUsableDevice(s.DEVICECNT);
    if (device == nullptr) {
        int usable = 0;
        while (FindUsableDevice(usable) != nullptr)
            ++usable;
        findings.Add("display", 0,
                     "DEVICECNT " + std::to_string(s.DEVICECNT) + " is not a line of the Device list, which has " +
                         std::to_string(usable));
        return;
    }
    const std::string at = " is not the device at DEVICECNT " + std::to_string(s.DEVICECNT) + ", ";
    const std::string name(s.DEVICENAME, strnlen(s.DEVICENAME, sizeof s.DEVICENAME));
    const std::string deviceName(device->description, strnlen(device->description, sizeof device->description));
    if (name != deviceName)
        findings.Add("display", 0, "DEVICENAME " + Quoted(name) + at + Quoted(deviceName));
    if (std::memcmp(&s.GUIDDEVICE, &device->deviceGuid, sizeof s.GUIDDEVICE) != 0)
        findings.Add("display", 0, "GUIDDEVICE" + at + Quoted(deviceName) + ", by its device GUID");
    if (std::memcmp(&s.GUIDDRIVER, &device->driverGuid, sizeof s.GUIDDRIVER) != 0)
        findings.Add("display", 0, "GUIDDRIVER" + at + Quoted(deviceName) + ", by its driver GUID");
    CheckMode(findings, s, *device);
}

void LookUpEveryText()
{
    g_optionScript.GetMessageText("ISOK");
    g_optionScript.GetMessageText("SAVEFAIL");
    for (int key = kFirstSystemMessage; key <= kLastOptionMessage; ++key)
        g_optionScript.GetMessageText(SettingName(key));
}

}  // namespace

WatchedRead::WatchedRead(Findings& findings)
{
    g_optionScript.SetFindings(&findings);
}

WatchedRead::~WatchedRead()
{
    g_optionScript.SetFindings(nullptr);
}

void CheckSettings(Findings& findings)
{
    const CRegistry& s = *SetupSettings;
    LookUpEveryText();
    SetupSession::CheckRegistryValues(findings);
    CheckSavedFileLines(findings);
    CheckRanges(findings, s);
    // Only where the platform lists displays can the device and mode be told.
    if (GetKeptDeviceCount() > 0 && FindUsableDevice(0) != nullptr)
        CheckDevice(findings, s);
}
