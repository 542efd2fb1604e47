#include "cli/Arguments.h"

#include <cstdlib>

#include "cli/Failure.h"
#include "cli/Verbs.h"

namespace {

// "NAME=VALUE..." -> "NAME=VALUE"
std::string OneOperand(const Verb& verb)
{
    std::string text = verb.operandText;
    const size_t dots = text.find("...");
    return dots == std::string::npos ? text : text.substr(0, dots);
}

bool IsHelp(const std::string& word)
{
    return word == "--help" || word == "-h" || word == "/?";
}

// Help on the verb named, or on all when none is.
void AskHelp(Arguments& arguments, const std::string& verb)
{
    arguments.verb = "help";
    arguments.operands.clear();
    if (!verb.empty())
        arguments.operands.push_back(verb);
}

// --codepage N, where N is a Windows code page number.
bool TakeCodePage(int argc, char** argv, int& i, Arguments& arguments, std::string& error)
{
    char* end = nullptr;
    const long number = i + 1 < argc ? std::strtol(argv[i + 1], &end, 10) : 0;
    if (end == nullptr || end == argv[i + 1] || *end != '\0' || number <= 0 || number > 65535) {
        error = "--codepage needs a code page number";
        return false;
    }
    arguments.codePage = static_cast<unsigned>(number);
    ++i;
    return true;
}

// The options before the verb; i is left at the verb.
bool ParseGlobalOptions(int argc, char** argv, int& i, Arguments& arguments, std::string& error)
{
    for (; i < argc && (argv[i][0] == '-' || IsHelp(argv[i])); ++i) {
        const std::string option = argv[i];
        if (IsHelp(option)) {
            AskHelp(arguments, "");
            return true;
        }
        if (option == "--version") {
            arguments.verb = "version";
            return true;
        }
        if (option == "--codepage") {
            if (!TakeCodePage(argc, argv, i, arguments, error))
                return false;
            continue;
        }
        if (option != "-C" || i + 1 == argc || argv[i + 1][0] == '\0') {
            error = option == "-C" ? "-C needs a folder" : "unknown option " + Echo(option);
            return false;
        }
        arguments.folder = argv[++i];
    }
    return true;
}

bool ParseVerbWords(int argc, char** argv, int i, const Verb& verb, Arguments& arguments,
                    std::string& error)
{
    bool flagsEnded = false;
    for (; i < argc; ++i) {
        const std::string word = argv[i];
        if (!flagsEnded && word == "--") {
            flagsEnded = true;
        } else if (!flagsEnded && IsHelp(word)) {
            AskHelp(arguments, verb.name);
            return true;
        } else if (!flagsEnded && word == "--codepage") {
            if (!TakeCodePage(argc, argv, i, arguments, error))
                return false;
        } else if (!flagsEnded && word.size() > 1 && word[0] == '-') {
            const VerbFlag* flag = FindFlag(verb, word);
            if (flag == nullptr) {
                error = arguments.verb + " does not take " + Echo(word);
                return false;
            }
            arguments.*(flag->field) = true;
        } else if (verb.operands != Verb::Operands::kNone &&
                   (arguments.operands.empty() || (verb.operands != Verb::Operands::kAtMostOne &&
                                                   verb.operands != Verb::Operands::kOne))) {
            arguments.operands.push_back(word);
        } else {
            error = arguments.verb + " takes no " + (word.empty() ? "empty word" : Echo(word));
            return false;
        }
    }
    const bool needsOne = verb.operands == Verb::Operands::kAtLeastOne || verb.operands == Verb::Operands::kOne;
    if (needsOne && arguments.operands.empty()) {
        error = arguments.verb + " needs at least one " + OneOperand(verb);
        return false;
    }
    return true;
}

}  // namespace

bool ParseArguments(int argc, char** argv, Arguments& arguments, std::string& error)
{
    int i = 1;
    if (!ParseGlobalOptions(argc, argv, i, arguments, error))
        return false;
    if (!arguments.verb.empty())
        return true;
    if (i == argc) {
        error = "no command given";
        return false;
    }
    arguments.verb = argv[i++];
    const Verb* verb = FindVerb(arguments.verb);
    if (verb == nullptr) {
        error = "unknown command " + Echo(arguments.verb);
        return false;
    }
    return ParseVerbWords(argc, argv, i, *verb, arguments, error);
}
