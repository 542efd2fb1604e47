#include "cli/Arguments.h"

#include <cstring>

const char* const kUsage =
    "usage: setupctl [-C DIR] show [--json] [NAME...]\n"
    "       setupctl [-C DIR] check [--json]\n"
    "       setupctl [-C DIR] set [--dry-run] NAME=VALUE...\n"
    "       setupctl [-C DIR] reset [--dry-run]\n"
    "       setupctl [-C DIR] devices [--json]\n"
    "       setupctl --help | --version\n"
    "\n"
    "The settings of the Korvane client, as Setup shows and saves them.\n"
    "DIR is the client folder, where Setup.exe runs (default: the current folder).\n"
    "\n"
    "  show      every setting, its value and where the value came from\n"
    "  check     why anything the tool read was not used, one finding a line\n"
    "  set       change settings and save them as Setup's OK does:\n"
    "            Bgm_Volume, Effect_Volume (0-127), SPRITEMODE, TEXTUREMODE (0-2),\n"
    "            ISFULLSCREENMODE, MouseExclusive, SOUNDMODE and the switches /bgm ...\n"
    "            /lightmap (0 or 1), mode=WxHxB (a line of the Mode list),\n"
    "            device=N (a position in the Device list)\n"
    "  reset     the defaults, saved as Setup's DEFAULT and then OK do\n"
    "  devices   the display drivers and 3D devices, and each one's screen modes\n"
    "\n"
    "  --json      one JSON object on standard output, for scripts\n"
    "  --dry-run   print the changes, write nothing\n"
    "\n"
    "Exit codes: 0 done, 1 findings or a failed save, 2 a usage error or a refused\n"
    "setting (nothing written).\n";

namespace {

bool IsVerb(const std::string& word)
{
    for (const char* verb : {"show", "check", "set", "reset", "devices"})
        if (word == verb)
            return true;
    return false;
}

// The flags each verb takes.
bool TakeFlag(const std::string& verb, const std::string& flag, Arguments& arguments)
{
    if (flag == "--json" && (verb == "show" || verb == "check" || verb == "devices"))
        return arguments.json = true;
    if (flag == "--dry-run" && (verb == "set" || verb == "reset"))
        return arguments.dryRun = true;
    return false;
}

bool TakesOperands(const std::string& verb)
{
    return verb == "show" || verb == "set";
}

}  // namespace

bool ParseArguments(int argc, char** argv, Arguments& arguments, std::string& error)
{
    int i = 1;
    for (; i < argc && argv[i][0] == '-'; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            arguments.verb = "help";
            return true;
        }
        if (option == "--version") {
            arguments.verb = "version";
            return true;
        }
        if (option != "-C" || i + 1 == argc || argv[i + 1][0] == '\0') {
            error = option == "-C" ? "-C needs a folder" : "unknown option " + option;
            return false;
        }
        arguments.folder = argv[++i];
    }
    if (i == argc) {
        error = "no command given";
        return false;
    }
    arguments.verb = argv[i++];
    if (!IsVerb(arguments.verb)) {
        error = "unknown command " + arguments.verb;
        return false;
    }
    bool flagsEnded = false;
    for (; i < argc; ++i) {
        const std::string word = argv[i];
        if (!flagsEnded && word == "--") {
            flagsEnded = true;
        } else if (!flagsEnded && (word == "--help" || word == "-h")) {
            arguments.verb = "help";
            return true;
        } else if (!flagsEnded && word.size() > 1 && word[0] == '-') {
            if (!TakeFlag(arguments.verb, word, arguments)) {
                error = arguments.verb + " does not take " + word;
                return false;
            }
        } else if (TakesOperands(arguments.verb)) {
            arguments.operands.push_back(word);
        } else {
            error = arguments.verb + " takes no " + (word.empty() ? "empty word" : word);
            return false;
        }
    }
    if (arguments.verb == "set" && arguments.operands.empty()) {
        error = "set needs at least one NAME=VALUE";
        return false;
    }
    return true;
}
