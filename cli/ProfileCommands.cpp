// setupctl export and import: one seat's settings as a portable profile, and
// a profile applied on another seat.
#include <cstdio>

#include "cli/ClientSettings.h"
#include "cli/Commands.h"
#include "cli/Profile.h"
#include "cli/SetPairs.h"
#include "platform/FileBytes.h"
#include "platform/WholeFile.h"
#include "session/ListedModes.h"
#include "settings/SettingsRecord.h"

namespace {

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

}  // namespace

int RunExport(const Arguments& arguments)
{
    ClientSettings client;
    if (const int failed = ReadClientSettings(client))
        return failed;
    // As the System page shows them: the chosen device and its mode line.
    TakeChosenDevice();
    const std::string profile = ProfileText(*SetupSettings, arguments.codePage);
    if (arguments.operands.empty()) {
        std::fputs((profile + "\n").c_str(), stdout);
        return std::fflush(stdout) == 0 ? kExitDone : Fail(kExitFailed, "the profile could not be written");
    }
    const std::string& name = arguments.operands[0];
    const SystemError error = ReplaceWhole(CallerPath(arguments, name), profile + "\r\n");
    if (error != kNoError)
        return Fail(kExitFailed, name + ": not written: " + DescribeSystemError(error));
    return kExitDone;
}

int RunImport(const Arguments& arguments)
{
    const std::string& name = arguments.operands[0];
    const FileBytes file = ReadFileBytes(CallerPath(arguments, name));
    if (file.status != FileBytes::Status::kRead)
        return Fail(kExitUsage, name + ": " + WhyUnread(file) + "; nothing was written");
    std::vector<Pair> pairs;
    std::string why;
    if (!ReadProfile(file.bytes, pairs, why))
        return Fail(kExitUsage, name + ": " + why + "; nothing was written");
    return SetPairs(arguments, pairs);
}
