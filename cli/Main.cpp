// setupctl: the settings of the Korvane client from a command line, on the
// same core as Setup.exe, so that the two can never disagree.
#include <cstdio>
#include <exception>

#include "cli/Arguments.h"
#include "cli/ClientSettings.h"
#include "cli/Commands.h"
#include "cli/Failure.h"
#include "cli/Verbs.h"
#include "settings/SettingNames.h"

int RunHelp(const Arguments& arguments)
{
    if (arguments.operands.empty()) {
        std::fputs(UsageText().c_str(), stdout);
        return kExitDone;
    }
    const Verb* verb = FindVerb(arguments.operands[0]);
    if (verb == nullptr)
        return Fail(kExitUsage, "no command is named " + Echo(arguments.operands[0]) + "\ntry `setupctl --help`");
    std::fputs(VerbHelp(*verb).c_str(), stdout);
    return kExitDone;
}

namespace {

// A script that asked for JSON gets its refusal as JSON, even when the rest
// of the command line could not be read.
bool AsksForJson(int argc, char** argv)
{
    for (int i = 1; i < argc && std::string(argv[i]) != "--"; ++i)
        if (std::string(argv[i]) == "--json")
            return true;
    return false;
}

int Run(int argc, char** argv)
{
    Arguments arguments;
    std::string error;
    const bool parsed = ParseArguments(argc, argv, arguments, error);
    if (arguments.json || (!parsed && AsksForJson(argc, argv)))
        TellFailuresAsJson(arguments.codePage);
    if (!parsed)
        return Fail(kExitUsage, error + "\ntry `setupctl --help`");
    if (arguments.verb == "version") {
        std::printf("setupctl %s\n", SETUP_VERSION);
        return kExitDone;
    }
    if (arguments.verb == "help")
        return RunHelp(arguments);
    if (!arguments.folder.empty())
        arguments.callerFolder = CurrentFolder();
    if (!EnterClientFolder(arguments.folder, error))
        return Fail(kExitUsage, error);
    // Every name of a setting, table or file comes from the table.
    InitSettingNames();
    // The parser took only a verb of the table.
    return FindVerb(arguments.verb)->run(arguments);
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return EndRun(Run(argc, argv));
    } catch (const std::exception& e) {
        return EndRun(Fail(kExitFailed, std::string("stopped: ") + e.what()));
    } catch (...) {
        return EndRun(Fail(kExitFailed, "stopped"));
    }
}
