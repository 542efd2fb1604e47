// setupctl: the settings of the Korvane client from a command line, on the
// same core as Setup.exe, so that the two can never disagree.
#include <cstdio>
#include <exception>

#include "cli/Arguments.h"
#include "cli/ClientSettings.h"
#include "cli/Commands.h"
#include "cli/Verbs.h"
#include "settings/SettingNames.h"

int Fail(int code, const std::string& message)
{
    // Every line of it is setupctl's, so that a log that mixes programs tells them apart.
    size_t start = 0;
    do {
        const size_t end = message.find('\n', start);
        const std::string line = message.substr(start, end == std::string::npos ? end : end - start);
        if (!line.empty())
            std::fprintf(stderr, "setupctl: %s\n", line.c_str());
        start = end == std::string::npos ? end : end + 1;
    } while (start != std::string::npos);
    return code;
}

int RunHelp(const Arguments& arguments)
{
    if (arguments.operands.empty()) {
        std::fputs(UsageText().c_str(), stdout);
        return kExitDone;
    }
    const Verb* verb = FindVerb(arguments.operands[0]);
    if (verb == nullptr)
        return Fail(kExitUsage, "no command is named " + arguments.operands[0] + "\ntry `setupctl --help`");
    std::fputs(VerbHelp(*verb).c_str(), stdout);
    return kExitDone;
}

namespace {

int Run(int argc, char** argv)
{
    Arguments arguments;
    std::string error;
    if (!ParseArguments(argc, argv, arguments, error))
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
        return Run(argc, argv);
    } catch (const std::exception& e) {
        return Fail(kExitFailed, std::string("stopped: ") + e.what());
    } catch (...) {
        return Fail(kExitFailed, "stopped");
    }
}
