#pragma once

#include <string>

#include "cli/Arguments.h"

// Exit codes, as reg.exe and git use them.
constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;  // findings, or a save that failed
constexpr int kExitUsage = 2;   // a usage error or a refused setting: nothing written

// One verb each, run in the client folder.
int RunShow(const Arguments& arguments);
int RunCheck(const Arguments& arguments);
int RunSet(const Arguments& arguments);
int RunReset(const Arguments& arguments);
int RunDevices(const Arguments& arguments);

// "setupctl: message" on standard error; returns code.
int Fail(int code, const std::string& message);
