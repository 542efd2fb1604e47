#pragma once

#include <string>
#include <vector>

// The command line of setupctl: global options, a verb, its flags and its
// operands.
struct Arguments {
    std::string folder;  // -C DIR; empty for the current folder
    std::string verb;    // show, check, set, reset, devices; or help, version
    bool json = false;
    bool dryRun = false;
    std::vector<std::string> operands;
};

// Parses argv; on a usage error returns false and says why in error.
bool ParseArguments(int argc, char** argv, Arguments& arguments, std::string& error);
