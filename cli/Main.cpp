// setupctl: the settings of the Korvane client from a command line, on the
// same core as Setup.exe, so that the two can never disagree.
#include <cstdio>

#include "cli/Arguments.h"
#include "cli/ClientSettings.h"
#include "cli/Commands.h"
#include "settings/SettingNames.h"

int Fail(int code, const std::string& message)
{
    std::fprintf(stderr, "setupctl: %s\n", message.c_str());
    return code;
}

int main(int argc, char** argv)
{
    Arguments arguments;
    std::string error;
    if (!ParseArguments(argc, argv, arguments, error)) {
        std::fprintf(stderr, "setupctl: %s\n%s", error.c_str(), kUsage);
        return kExitUsage;
    }
    if (arguments.verb == "help") {
        std::fputs(kUsage, stdout);
        return kExitDone;
    }
    if (arguments.verb == "version") {
        std::printf("setupctl %s\n", SETUP_VERSION);
        return kExitDone;
    }
    if (!EnterClientFolder(arguments.folder, error))
        return Fail(kExitUsage, error);
    // Every name of a setting, table or file comes from the table.
    InitSettingNames();

    if (arguments.verb == "show")
        return RunShow(arguments);
    if (arguments.verb == "check")
        return RunCheck(arguments);
    if (arguments.verb == "set")
        return RunSet(arguments);
    if (arguments.verb == "reset")
        return RunReset(arguments);
    return RunDevices(arguments);
}
