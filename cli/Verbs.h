#pragma once

#include <string>

#include "cli/Arguments.h"

// A verb of setupctl: all that the parser, main and the usage text know of it.
struct Verb {
    enum Flag : unsigned { kJson = 1, kDryRun = 2, kForce = 4, kValue = 8, kDefaultDevice = 16 };
    enum class Operands { kNone, kAny, kAtLeastOne, kAtMostOne, kOne };

    const char* name;
    int (*run)(const Arguments& arguments);
    unsigned flags;           // the Flags it takes
    Operands operands;
    const char* operandText;  // as the usage shows them: "[NAME...]"; "" when none
    const char* help;         // its line of the usage text
    std::string (*moreHelp)();  // the lines under it, or null
};

// A flag a verb may take, and the field of Arguments it sets.
struct VerbFlag {
    Verb::Flag flag;
    const char* name;
    bool Arguments::*field;
    const char* help;
};

// The verb of that name; null when there is none.
const Verb* FindVerb(const std::string& name);
// The flag of that name that verb takes; null when it takes none such.
const VerbFlag* FindFlag(const Verb& verb, const std::string& name);

// The usage text, as --help prints it.
std::string UsageText();
// One verb's synopsis, what it does and the flags it takes.
std::string VerbHelp(const Verb& verb);
