#pragma once

#include <string>
#include <vector>

#include "cli/TextEncoding.h"

// The command line of setupctl: global options, a verb, its flags and its
// operands.
struct Arguments {
    std::string folder;  // -C DIR; empty for the current folder
    std::string callerFolder;  // the current folder setupctl started in, when -C left it
    std::string verb;    // a verb of the table (cli/Verbs.h), "help" among them; or version
    unsigned codePage = kClientCodePage;  // --codepage N
    bool json = false;
    bool dryRun = false;
    bool force = false;
    bool valueOnly = false;
    bool defaultDevice = false;
    std::vector<std::string> operands;
};

// Parses argv; on a usage error returns false and says why in error, on
// one line.
bool ParseArguments(int argc, char** argv, Arguments& arguments, std::string& error);
