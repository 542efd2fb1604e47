#pragma once

#include <string>
#include <vector>

// A console program of the build run to its end, with what it printed.
namespace command {

struct Result {
    long exitCode = -1;  // -1: it could not start or did not end in time
    std::string out;
    std::string err;
};

// Runs program with arguments in folder (the current one when empty).
Result Run(const std::string& program, const std::vector<std::string>& arguments,
           const std::string& folder = "");

}  // namespace command
