// setupctl: the settings of the Korvane client from a command line, on the
// same core as Setup.exe, so that the two can never disagree.
#include <cstdio>

#include "cli/Arguments.h"
#include "cli/ClientSettings.h"
#include "cli/Commands.h"
#include "cli/Verbs.h"
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
        std::fprintf(stderr, "setupctl: %s\n%s", error.c_str(), UsageText().c_str());
        return kExitUsage;
    }
    if (arguments.verb == "help") {
        std::fputs(UsageText().c_str(), stdout);
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
    // The parser took only a verb of the table.
    return FindVerb(arguments.verb)->run(arguments);
}
