// setupctl export, import and diff: one seat's settings as a portable
// profile, a profile applied on another seat, and a seat compared with one.
#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "cli/ClientSettings.h"
#include "cli/Commands.h"
#include "cli/DeviceNames.h"
#include "cli/Failure.h"
#include "cli/Json.h"
#include "cli/Profile.h"
#include "cli/SetPairs.h"
#include "cli/SettingTable.h"
#include "display/ModeLine.h"
#include "platform/FileBytes.h"
#include "platform/WholeFile.h"
#include "session/ListedModes.h"
#include "settings/SettingRanges.h"
#include "settings/SettingsRecord.h"

namespace {

// A profile is never larger; one byte more is read, so that the reader
// refuses it as too long.
constexpr size_t kLargestProfile = 1u << 20;

// A file named on the command line is the caller's, found from the folder
// setupctl started in, not from the client folder -C entered.
std::string CallerPath(const Arguments& arguments, const std::string& name)
{
    const bool absolute = (!name.empty() && (name[0] == '/' || name[0] == '\\')) ||
                          (name.size() > 1 && name[1] == ':');
    return absolute || arguments.callerFolder.empty() ? name : arguments.callerFolder + "/" + name;
}

std::string WhyUnread(const FileBytes& file)
{
    switch (file.status) {
    case FileBytes::Status::kMissing: return "no such file";
    case FileBytes::Status::kTooLarge: return "too large for a profile";
    case FileBytes::Status::kUnreadable: return DescribeSystemError(file.error);
    case FileBytes::Status::kRead: break;
    }
    return "";
}

// "-": a profile piped in, as a script hands it over.
FileBytes ReadStandardInput()
{
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    FileBytes file;
    file.status = FileBytes::Status::kRead;
    char buffer[65536];
    while (file.bytes.size() <= kLargestProfile) {
        const size_t read = std::fread(buffer, 1, sizeof buffer, stdin);
        file.bytes.append(buffer, read);
        if (read < sizeof buffer)
            break;
    }
    if (std::ferror(stdin)) {
        file.status = FileBytes::Status::kUnreadable;
        file.error = LastSystemError();
    }
    return file;
}

// The pairs of the profile that name, after every check that needs no
// settings read; kExitUsage once it has said why not.
int ReadProfilePairs(const Arguments& arguments, const std::string& name, std::vector<Pair>& pairs)
{
    const FileBytes file = name == "-" ? ReadStandardInput() : ReadFileBytes(CallerPath(arguments, name));
    const std::string shown = name == "-" ? "standard input" : Echo(name);
    if (file.status != FileBytes::Status::kRead)
        return Fail(kExitUsage, shown + ": " + WhyUnread(file) + "; nothing was written");
    std::string why;
    if (!ReadProfile(file.bytes, pairs, why))
        return Fail(kExitUsage, shown + ": " + why + "; nothing was written");
    return CheckPairs(pairs);
}

// export [FILE] [NAME...]: each operand that names a setting, mode or
// device is a part to export; the one that does not is the file.
int SplitExportOperands(const Arguments& arguments, ProfileContents& contents, std::string& file)
{
    std::vector<std::string> names;
    ProfileContents unused;
    std::string unknown;
    for (const std::string& operand : arguments.operands) {
        if (ProfileNamed({operand}, unused, unknown))
            names.push_back(operand);
        else if (file.empty())
            file = operand;
        else
            return Fail(kExitUsage, "export writes one FILE, and " + Echo(operand) +
                                        " names no setting; nothing was written");
    }
    const bool withDisplay = FindUsableDevice(0) != nullptr;
    if (names.empty()) {
        contents = WholeProfile(withDisplay);
        if (!withDisplay)
            Fail(kExitDone, "this seat lists no display device, so the profile names no mode or device");
        return kExitDone;
    }
    ProfileNamed(names, contents, unknown);
    if ((contents.mode || contents.device) && !withDisplay)
        return Fail(kExitUsage, "this seat lists no display device, so it has no mode or device to export; "
                                "nothing was written");
    return kExitDone;
}

// What export writes, import takes on the same seat: a value the seat holds
// outside what set takes (a saved SPRITEMODE of 7, a registry SOUNDMODE of
// another type) is refused here, by import's own checks, before any seat
// is given it.
int RefuseWhatImportWouldRefuse(const std::string& profile, unsigned codePage)
{
    std::vector<Pair> pairs;
    std::string why;
    ReadProfile(profile, pairs, why);
    int refused = kExitDone;
    for (const Pair& pair : pairs)
        if (pair.name != "mode" && pair.name != "device" && CheckPairs({pair}) != kExitDone)
            refused = kExitUsage;
    Applied applied;
    if (refused == kExitDone)
        refused = ApplyPairs(pairs, codePage, applied);
    if (refused != kExitDone)
        Fail(refused, "export: no profile was written, because import would refuse it; "
                      "`setupctl check` tells where each value came from");
    return refused;
}

// A profile's part as this seat holds it: a setting's number, the mode, the
// device.
SettingValue PartValue(const std::string& name)
{
    const CRegistry& s = *SetupSettings;
    SettingValue value;
    EditedSetting edited;
    value.isText = name == "mode" || name == "device";
    if (name == "mode")
        value.text = CompactModeText(ScreenMode{s.WIDTH, s.HEIGHT, s.BITPERPIXEL});
    else if (name == "device")
        value.text = IdentityText(ChosenIdentity(s));
    else if (FindEditedSetting(name, edited))
        value.number = edited.Value(s);
    return value;
}

struct Difference {
    std::string name;
    SettingValue seat;
    SettingValue profile;
};

void PrintDifferences(const std::vector<Difference>& differences, bool json, unsigned codePage)
{
    if (!json) {
        for (const Difference& d : differences)
            std::printf("%s: %s here, %s in the profile\n", d.name.c_str(), Echo(ValueText(d.seat)).c_str(),
                        Echo(ValueText(d.profile)).c_str());
        return;
    }
    JsonWriter out(codePage);
    out.BeginObject().Key("matches").Bool(differences.empty()).Key("differences").BeginArray();
    for (const Difference& d : differences) {
        out.BeginObject().Key("name").String(d.name);
        AddValue(out.Key("seat"), d.seat);
        AddValue(out.Key("profile"), d.profile);
        out.EndObject();
    }
    PrintJsonDocument(out.EndArray().EndObject().Line());
}

// The seat's settings as a save would write them: read from a client
// folder, with the device and mode chosen.
int ReadSeatAsSaved(const Arguments& arguments, ClientSettings& client)
{
    if (const int refused = RefuseOtherFolder(arguments))
        return refused;
    if (const int failed = ReadClientSettings(client))
        return failed;
    TakeChosenDevice();
    return kExitDone;
}

}  // namespace

int RunExport(const Arguments& arguments)
{
    ClientSettings client;
    if (const int refused = ReadSeatAsSaved(arguments, client))
        return refused;
    ProfileContents contents;
    std::string name;
    if (const int refused = SplitExportOperands(arguments, contents, name))
        return refused;
    const std::string profile = ProfileText(*SetupSettings, arguments.codePage, contents);
    if (const int refused = RefuseWhatImportWouldRefuse(profile, arguments.codePage))
        return refused;
    if (name.empty()) {
        std::fputs((profile + "\n").c_str(), stdout);
        return std::fflush(stdout) == 0 ? kExitDone : Fail(kExitFailed, "the profile could not be written");
    }
    const SystemError error = ReplaceWhole(CallerPath(arguments, name), profile + "\r\n");
    if (error != kNoError)
        return Fail(kExitFailed, Echo(name) + ": not written: " + DescribeSystemError(error));
    return kExitDone;
}

int RunImport(const Arguments& arguments)
{
    std::vector<Pair> pairs;
    if (const int refused = ReadProfilePairs(arguments, arguments.operands[0], pairs))
        return refused;
    return SetPairs(arguments, pairs);
}

// What import would change, told without writing: exit 0 when nothing,
// 1 when the seat drifted from the profile.
int RunDiff(const Arguments& arguments)
{
    std::vector<Pair> pairs;
    if (const int refused = ReadProfilePairs(arguments, arguments.operands[0], pairs))
        return refused;
    ClientSettings client;
    if (const int refused = ReadSeatAsSaved(arguments, client))
        return refused;
    std::vector<Difference> differences;
    for (const Pair& pair : pairs)
        differences.push_back(Difference{pair.name, PartValue(pair.name), {}});
    Applied applied;
    if (const int refused = ApplyPairs(pairs, arguments.codePage, applied))
        return refused;
    std::vector<Difference> drifted;
    for (Difference& d : differences) {
        d.profile = PartValue(d.name);
        if (d.profile != d.seat)
            drifted.push_back(d);
    }
    PrintDifferences(drifted, arguments.json, arguments.codePage);
    return drifted.empty() ? kExitDone : kExitFailed;
}
