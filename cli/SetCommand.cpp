// setupctl set and reset: change settings as the pages do, then save them as
// a confirmed OK does.
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "cli/ChangeReport.h"
#include "cli/ClientSettings.h"
#include "cli/Commands.h"
#include "cli/DeviceNames.h"
#include "cli/Failure.h"
#include "cli/SetPairs.h"
#include "cli/SettingTable.h"
#include "cli/Verbs.h"
#include "display/ModeLine.h"
#include "session/Defaults.h"
#include "session/FolderChecks.h"
#include "platform/SaveLock.h"
#include "session/ListedModes.h"
#include "session/PerUserCopies.h"
#include "session/SetupSession.h"
#include "settings/RegistryValues.h"
#include "settings/SettingNames.h"
#include "settings/SettingRanges.h"
#include "settings/SettingsRecord.h"

namespace {

bool Is(const std::string& name, int keyIndex)
{
    return name == SettingName(keyIndex);
}

// Why a name that set does not take is refused: the option keys of the
// mode and the device, the registry values that go with the device and
// those the tool writes but never reads.
std::string WhyNotSettable(const std::string& name)
{
    const std::string byDevice = name + " follows the device: use device=N, device=NAME or device=DRIVER/{GUID}";
    for (int key : {kWIDTH, kHEIGHT, kBITPERPIXEL, kMODECNT})
        if (Is(name, key))
            return name + " is set together with the mode: use mode=WxHxB";
    if (Is(name, kDEVICECNT))
        return byDevice;
    for (const RegistryValue& value : RegistryValues()) {
        if (name != value.name)
            continue;
        if (value.half == RegistryValue::Half::kDevice)
            return byDevice;
        if (value.readInto == nullptr)
            return name + " is not edited by Setup";
    }
    return "no setting is named " + Echo(name);
}

// A decimal integer of at most 12 characters: digits, a minus sign at most,
// nothing else.
std::optional<long long> ParseInteger(const std::string& text)
{
    const size_t digits = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() == digits || text.size() > 12 ||
        !std::isdigit(static_cast<unsigned char>(text[digits])))
        return std::nullopt;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    return *end == '\0' ? std::optional<long long>(value) : std::nullopt;
}

// "800x600x16" or "800 x 600 x 16".
bool ParseMode(std::string text, ScreenMode& mode)
{
    std::string compact;
    for (char c : text)
        if (c != ' ')
            compact += c == 'X' ? 'x' : c;
    int width = 0, height = 0, bits = 0, used = 0;
    if (std::sscanf(compact.c_str(), "%5dx%5dx%2d%n", &width, &height, &bits, &used) != 3 ||
        used != static_cast<int>(compact.size()))
        return false;
    mode = ScreenMode{width, height, bits};
    return true;
}

int Refuse(const Pair& pair, const std::string& why)
{
    return Fail(kExitUsage, Echo(pair.text) + ": " + why + "; nothing was written");
}

// The Device list's line, taken as the page takes a choice: the device's
// identity and its modes; MODECNT follows the mode where the new list has it.
int ChooseDevice(const Pair& pair, unsigned codePage, Applied& applied)
{
    std::string why;
    int position = FindDeviceLine(pair.value, codePage, why);
    if (position < 0 && applied.defaultDevice) {
        const bool listed = FindUsableDevice(0) != nullptr;
        applied.notes.push_back("device: " + pair.value + " is not here; " +
                                (listed ? "the first line of the Device list is taken"
                                        : "the device is left as it was: this seat lists no display device"));
        if (!listed)
            return kExitDone;
        position = 0;
    }
    if (position < 0)
        return Refuse(pair, why);
    SetupSettings->DEVICECNT = static_cast<int32_t>(position);
    TakeChosenDevice();
    return kExitDone;
}

// A line of the chosen device's Mode list, taken as the page takes a choice.
int ChooseMode(const Pair& pair, Applied& applied)
{
    ScreenMode wanted;
    ParseMode(pair.value, wanted);
    const DisplayDevice* device = FindUsableDevice(SetupSettings->DEVICECNT);
    if (device == nullptr && applied.defaultDevice) {
        applied.notes.push_back("mode: " + pair.value + " is left as it was: this seat lists no display device");
        return kExitDone;
    }
    if (device == nullptr)
        return Refuse(pair, "there is no display device to list modes for");
    ScreenMode listed[ScreenModeList::kSize];
    const int count = ListModes(*device, listed);
    std::string modes;
    for (int line = 0; line < count; ++line) {
        if (listed[line] == wanted) {
            ChooseModeLine(line);
            return kExitDone;
        }
        modes += (line > 0 ? ", " : "") + CompactModeText(listed[line]);
    }
    return Refuse(pair, "not a line of the Mode list of " + std::string(device->description) +
                            (count > 0 ? ", which lists " + modes : ", which lists no mode"));
}

// What can be told of a pair before the client's settings are read.
int CheckPair(const Pair& pair)
{
    ScreenMode mode;
    if (pair.name == "device")
        return !pair.value.empty() ? kExitDone : Refuse(pair, "names no line of the Device list");
    if (pair.name == "mode")
        return ParseMode(pair.value, mode) ? kExitDone : Refuse(pair, "not a mode of the form WxHxB");
    if (!pair.setting)
        return Refuse(pair, WhyNotSettable(pair.name));
    const SettingRange& range = *pair.setting->range;
    if (!pair.number || *pair.number < range.low || *pair.number > range.high)
        return Refuse(pair, pair.name + " takes " + std::to_string(range.low) + " to " +
                                std::to_string(range.high));
    return kExitDone;
}

// The pair was checked before: its number is in its setting's range.
void SetValue(const Pair& pair)
{
    if (pair.setting && pair.number)
        pair.setting->Field(*SetupSettings) = static_cast<int32_t>(*pair.number);
}

bool SplitPairs(const std::vector<std::string>& operands, std::vector<Pair>& pairs)
{
    for (const std::string& text : operands) {
        const size_t equals = text.find('=');
        if (equals == std::string::npos || equals == 0) {
            Fail(kExitUsage, Echo(text) + ": not NAME=VALUE; nothing was written");
            return false;
        }
        pairs.push_back(SettingPair(text, text.substr(0, equals), text.substr(equals + 1)));
    }
    return true;
}

// Two values for one setting leave it unclear which is meant.
int RefuseRepeats(const std::vector<Pair>& pairs)
{
    for (size_t i = 0; i < pairs.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (pairs[i].name == pairs[j].name)
                return Refuse(pairs[i], Echo(pairs[i].name) + " is given twice, also as " + Echo(pairs[j].text));
    return kExitDone;
}

// A change is made on what was read under the save lock, and saved before
// it is let go: two runs at once never lose each other's change. A dry run
// saves nothing and takes no lock.
int TakeLockUnlessDry(const Arguments& arguments, SaveLock& lock)
{
    if (arguments.dryRun)
        return kExitDone;
    const SystemError error = SetupSession::TakeSaveLock(lock);
    return error == kNoError ? kExitDone : TellSaveFailures(SetupSession::NothingSaved(error));
}

// Prints what changes and, unless it is a dry run, saves as a confirmed OK
// and says what was saved.
int SaveChanges(const Arguments& arguments, const std::vector<NamedSetting>& before,
                const SaveLock& lock, std::vector<std::string> notes = {})
{
    ChangeReport report = ReportChanges(before, *SetupSettings);
    report.notes = std::move(notes);
    // A save removes the per-user copies the game reads instead, so they
    // are a change even when everything stored is as a save writes it.
    const std::vector<std::string> copies = PerUserCopiesASaveRemoves();
    // What is stored already is not written again, even where it could not be.
    report.nothingToChange = copies.empty() && SetupSession::NothingToChange();
    if (arguments.dryRun)
        report.notes.insert(report.notes.end(), copies.begin(), copies.end());
    if (!arguments.dryRun && report.nothingToChange)
        report.dryRun = false;
    else if (!arguments.dryRun) {
        NoteSaved(report, SetupSession::SaveSettings(lock));
        // As every start of the sheet does; only after a save, which is all or nothing.
        if (report.save.Saved())
            SetupSession::CreateSetupKey();
    }
    PrintReport(report, arguments.json, arguments.codePage);
    return report.save.Saved() ? kExitDone : kExitFailed;
}

// "0-127", or "0 or 1" for a switch.
std::string RangeText(const SettingRange& range)
{
    const char* between = &range == &kSwitchRange ? " or " : "-";
    return std::to_string(range.low) + between + std::to_string(range.high);
}

}  // namespace

Pair SettingPair(const std::string& text, const std::string& name, const std::string& value)
{
    Pair pair{text, name, value, std::nullopt, std::nullopt};
    EditedSetting edited;
    if (FindEditedSetting(name, edited)) {
        pair.setting = edited;
        pair.number = ParseInteger(value);
    }
    return pair;
}

int ApplyPairs(const std::vector<Pair>& pairs, unsigned codePage, Applied& applied)
{
    for (const Pair& pair : pairs)
        if (pair.name == "device")
            if (const int refused = ChooseDevice(pair, codePage, applied))
                return refused;
    for (const Pair& pair : pairs)
        if (pair.name == "mode")
            if (const int refused = ChooseMode(pair, applied))
                return refused;
    for (const Pair& pair : pairs)
        if (pair.name != "device" && pair.name != "mode")
            SetValue(pair);
    return kExitDone;
}

int CheckPairs(const std::vector<Pair>& pairs)
{
    if (const int refused = RefuseRepeats(pairs))
        return refused;
    for (const Pair& pair : pairs)
        if (const int refused = CheckPair(pair))
            return refused;
    return kExitDone;
}

std::string SetValuesHelp()
{
    const std::string indent(12, ' ');
    return indent + "Bgm_Volume, Effect_Volume (" + RangeText(kVolumeRange) + "), SPRITEMODE, TEXTUREMODE (" +
           RangeText(kDetailRange) + "),\n" + indent +
           "ISFULLSCREENMODE, MouseExclusive, SOUNDMODE and the switches /bgm ...\n" + indent +
           "/lightmap (" + RangeText(kSwitchRange) + "), mode=WxHxB (a line of the Mode list),\n" + indent +
           "device=N, device=NAME or device=DRIVER/{GUID} (a line of the Device list)\n";
}

int RefuseOtherFolder(const Arguments& arguments)
{
    if (arguments.force || IsClientFolder())
        return kExitDone;
    const std::string folder = arguments.folder.empty() ? "the current folder" : Echo(arguments.folder);
    // Only a save may be forced: a profile of a folder that is no client's
    // would carry defaults, both volumes 0 among them, to every seat.
    const bool forcible = FindFlag(*FindVerb(arguments.verb), "--force") != nullptr;
    return Fail(kExitUsage, folder + " is no client folder: it has neither " + ScriptFolderName() +
                                " nor a save folder; nothing was written" +
                                (forcible ? " (--force saves there all the same)" : ""));
}

int SetPairs(const Arguments& arguments, const std::vector<Pair>& pairs)
{
    if (const int refused = CheckPairs(pairs))
        return refused;
    if (const int refused = RefuseOtherFolder(arguments))
        return refused;
    SaveLock lock;
    if (const int busy = TakeLockUnlessDry(arguments, lock))
        return busy;
    ClientSettings client;
    if (const int failed = ReadClientSettings(client))
        return failed;
    const std::vector<NamedSetting> before = SettingsOf(*SetupSettings);
    TakeChosenDevice();
    Applied applied;
    applied.defaultDevice = arguments.defaultDevice;
    if (const int refused = ApplyPairs(pairs, arguments.codePage, applied))
        return refused;
    return SaveChanges(arguments, before, lock, applied.notes);
}

int RunSet(const Arguments& arguments)
{
    std::vector<Pair> pairs;
    if (!SplitPairs(arguments.operands, pairs))
        return kExitUsage;
    return SetPairs(arguments, pairs);
}

// As DEFAULT on the sheet, then OK.
int RunReset(const Arguments& arguments)
{
    if (const int refused = RefuseOtherFolder(arguments))
        return refused;
    SaveLock lock;
    if (const int busy = TakeLockUnlessDry(arguments, lock))
        return busy;
    ClientSettings client;
    if (const int failed = ReadClientSettings(client))
        return failed;
    const std::vector<NamedSetting> before = SettingsOf(*SetupSettings);
    ApplyDefaults();
    return SaveChanges(arguments, before, lock);
}
