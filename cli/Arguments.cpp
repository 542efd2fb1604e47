#include "cli/Arguments.h"

#include "cli/Verbs.h"

namespace {

// "NAME=VALUE..." -> "NAME=VALUE"
std::string OneOperand(const Verb& verb)
{
    std::string text = verb.operandText;
    const size_t dots = text.find("...");
    return dots == std::string::npos ? text : text.substr(0, dots);
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
    const Verb* verb = FindVerb(arguments.verb);
    if (verb == nullptr) {
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
            const VerbFlag* flag = FindFlag(*verb, word);
            if (flag == nullptr) {
                error = arguments.verb + " does not take " + word;
                return false;
            }
            arguments.*(flag->field) = true;
        } else if (verb->operands != Verb::Operands::kNone) {
            arguments.operands.push_back(word);
        } else {
            error = arguments.verb + " takes no " + (word.empty() ? "empty word" : word);
            return false;
        }
    }
    if (verb->operands == Verb::Operands::kAtLeastOne && arguments.operands.empty()) {
        error = arguments.verb + " needs at least one " + OneOperand(*verb);
        return false;
    }
    return true;
}
