#pragma once

#include <string>

#include "cli/Arguments.h"

// Exit codes, as reg.exe and git use them.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;  // findings, or a save that failed
constexpr int kExitUsage = 2;   // a usage error or a refused setting: nothing written

// One verb each, run in the client folder (the table of verbs: cli/Verbs.h).
int RunShow(const Arguments& arguments);
int RunCheck(const Arguments& arguments);
int RunSet(const Arguments& arguments);
int RunReset(const Arguments& arguments);
int RunDevices(const Arguments& arguments);
int RunHelp(const Arguments& arguments);
int RunExport(const Arguments& arguments);
int RunImport(const Arguments& arguments);
int RunDiff(const Arguments& arguments);

// The lines of the usage text under set's: the names it takes and their values.
std::string SetValuesHelp();

// "setupctl: line" on standard error for each line of message; returns code.
int Fail(int code, const std::string& message);
