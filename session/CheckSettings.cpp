#include "session/SessionSteps.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "display/ModeLine.h"
#include "optionfiles/OptionScript.h"
#include "session/AssignmentLine.h"
#include "session/ClientSavedFile.h"
#include "session/DroppedLines.h"
#include "session/PerUserCopies.h"
#include "session/StoredRegistryValue.h"
#include "session/FolderChecks.h"
#include "session/ListedModes.h"
#include "session/SaveFolder.h"
#include "session/SavedFileFindings.h"
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
    case SettingOrigin::kPerUserFile:
    case SettingOrigin::kPerUserRegistry: return PerUserCopyPlace(s.OriginOf(key));
    case SettingOrigin::kDefault: break;
    }
    return "defaults";
}

bool IsFile(const std::string& place)
{
    return place != "registry" && place != "defaults" && place != "display" && place != PerUserProductKeyName();
}

// The value as the line that gave it writes it, and how the tool took it
// where the two differ; the value alone where no line gave it.
std::string WrittenValue(const SourceLine& line, int32_t value)
{
    if (line.number == 0 || WrittenAs(line.value, value))
        return std::to_string(value);
    return line.value + " (taken as " + std::to_string(value) + ")";
}

// Where a value was given: the file and its line; line 0 where no line gave it.
struct ValuePlace {
    std::string place;
    SourceLine line;
};

ValuePlace PlaceOfValue(const CRegistry& s, const char* key)
{
    ValuePlace at{PlaceOf(s, key), {}};
    if (IsFile(at.place))
        at.line = FindAssignment(at.place, key);
    return at;
}

void NoteAt(Findings& findings, const ValuePlace& at, const std::string& what)
{
    findings.Add(at.place, at.line.number, what);
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
    const ValuePlace at = PlaceOfValue(s, key);
    NoteAt(findings, at, std::string(key) + " is " + WrittenValue(at.line, value) + "; " + allowed);
}

void CheckRanges(Findings& findings, const CRegistry& s)
{
    for (const EditedSetting& edited : EditedSettings())
        CheckRange(findings, s, edited);
}

// The mode is given by four values: the finding goes where the first of
// them that a file gave was given, MODECNT (at modeCountAt) before the others.
ValuePlace PlaceOfMode(const CRegistry& s, const ValuePlace& modeCountAt)
{
    if (modeCountAt.line.number > 0)
        return modeCountAt;
    for (int key : {kWIDTH, kHEIGHT, kBITPERPIXEL}) {
        const ValuePlace at = PlaceOfValue(s, SettingName(key));
        if (at.line.number > 0)
            return at;
    }
    return modeCountAt;
}

// The mode at MODECNT against the mode the three fields name, among the
// lines of the chosen device's Mode list.
void CheckMode(Findings& findings, const CRegistry& s, const DisplayDevice& device)
{
    ScreenMode listed[ScreenModeList::kSize];
    const int count = ListModes(device, listed);
    const ScreenMode fields{s.WIDTH, s.HEIGHT, s.BITPERPIXEL};
    const bool isListed = s.MODECNT >= 0 && s.MODECNT < count;
    // The usual case: nothing to tell, so no file is read for a place.
    if (isListed && listed[s.MODECNT] == fields)
        return;
    const ValuePlace modeCountAt = PlaceOfValue(s, SettingName(kMODECNT));
    const ValuePlace at = PlaceOfMode(s, modeCountAt);
    const std::string modeCount = "MODECNT " + WrittenValue(modeCountAt.line, s.MODECNT);
    if (!isListed) {
        NoteAt(findings, at, modeCount + " is not a line of the Mode list, which has " + std::to_string(count));
        return;
    }
    NoteAt(findings, at,
           modeCount + " names " + CompactModeText(listed[s.MODECNT]) +
               ", but WIDTH, HEIGHT and BITPERPIXEL name " + CompactModeText(fields));
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
        ValuePlace at = PlaceOfValue(s, SettingName(kDEVICECNT));
        if (!IsFile(at.place))
            at.place = "display";
        NoteAt(findings, at,
               "DEVICECNT " + WrittenValue(at.line, s.DEVICECNT) + " is not a line of the Device list, which has " +
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

// One run of the message script answers them all: a client's message
// script holds thousands of texts besides the tool's.
void LookUpEveryText()
{
    ScriptBatch batch(g_optionScript);
    g_optionScript.GetMessageText("ISOK");
    g_optionScript.GetMessageText("SAVEFAIL");
    for (int key = kFirstSystemMessage; key <= kLastOptionMessage; ++key)
        g_optionScript.GetMessageText(SettingName(key));
}

bool SameIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The tool's key that name spells in another letter case; null when none.
const char* KeySpeltOtherwise(const std::string& name)
{
    for (int key = kFirstOptionKey; key <= kLastCmdOnOffKey; ++key)
        if (name != SettingName(key) && SameIgnoringCase(name, SettingName(key)))
            return SettingName(key);
    return nullptr;
}

// Keys the client looks up in their exact case only.
void CheckKeyCase(Findings& findings, const std::string& file)
{
    ForEachAssignment(file, [&](int number, const Assignment& a) {
        if (const char* key = KeySpeltOtherwise(a.key))
            findings.Add(file, number,
                         Quoted(a.key) + " is not " + key + ": keys are read in their exact letter case, so "
                                                           "the client ignores this one");
    });
}

void CheckDroppedLines(Findings& findings)
{
    for (const DroppedLine& line : LinesASaveDrops())
        findings.Add(SetupSession::SavedFileName(), line.number,
                     "a save drops this line, because it mentions " + line.mentioned + ": " + Quoted(line.text));
}

void CheckSaveFolder(Findings& findings)
{
    const std::string why = WhySaveFolderCannotBeMade();
    if (!why.empty())
        findings.Add(kSaveFolder, 0, why);
}

// A finding a script reader made without a line, about a value of a key
// ("TABLE[\"KEY\"] holds a string"): the line that gives the key its value.
int LineOfKeyNamedIn(const Finding& finding)
{
    const size_t open = finding.message.find("[\"");
    const size_t close = open == std::string::npos ? open : finding.message.find("\"]", open + 2);
    if (close == std::string::npos || !IsFile(finding.place))
        return 0;
    return FindAssignment(finding.place, finding.message.substr(open + 2, close - open - 2)).number;
}

// In file order, and in line order within a file, line-less ones first.
Findings InPlaceOrder(const Findings& findings)
{
    std::vector<Finding> all = findings.all();
    for (Finding& finding : all)
        if (finding.line == 0)
            finding.line = LineOfKeyNamedIn(finding);
    std::stable_sort(all.begin(), all.end(), [](const Finding& a, const Finding& b) {
        return a.place != b.place ? a.place < b.place : a.line < b.line;
    });
    Findings sorted;
    for (Finding& finding : all)
        sorted.Add(std::move(finding.place), finding.line, std::move(finding.message));
    return sorted;
}

}  // namespace

void SetupSession::CheckSettings(Findings& findings)
{
    const CRegistry& s = *SetupSettings;
    const ClientSavedFile client;  // the saved file's lines from where the client reads them
    LookUpEveryText();
    CheckRegistryValues(findings);
    CheckPerUserCopies(findings);
    CheckSavedFileLines(findings);
    CheckRanges(findings, s);
    // Only where the platform lists displays can the device and mode be told.
    if (GetKeptDeviceCount() > 0 && FindUsableDevice(0) != nullptr)
        CheckDevice(findings, s);
    CheckKeyCase(findings, g_optionScript.FileUsedFor(SettingName(kOptionInfoScript)));
    CheckKeyCase(findings, g_optionScript.FileUsedFor(SettingName(kSavedOptionFile)));
    CheckDroppedLines(findings);
    CheckSaveFolder(findings);
    findings = InPlaceOrder(findings);
}
