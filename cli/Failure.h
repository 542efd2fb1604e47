#pragma once

#include <string>
#include <string_view>

// How setupctl tells a failure: each line on standard error, starting with
// "setupctl:"; with --json, also one object on standard output,
// {"error": {"code": N, "message": "..."}}, unless the verb already printed
// its own JSON there.

// A value from outside (a profile, the command line, the registry) as a
// message quotes it: control characters escaped, so that none reaches the
// terminal; cut after kEchoedBytes bytes, saying how long it was.
std::string Echo(std::string_view value);
constexpr size_t kEchoedBytes = 200;

// From now on a failure is also told as JSON, its texts read in codePage.
void TellFailuresAsJson(unsigned codePage);
// Prints a verb's JSON document, with its line end, on standard output.
void PrintJsonDocument(const std::string& line);
// The end of a run that returns code: the JSON error object, when asked
// for and the run failed without printing JSON of its own. Returns code.
int EndRun(int code);
