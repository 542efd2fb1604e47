#pragma once

#include <string>

// Why an operation of the platform failed, in the platform's own numbers:
// a Win32 error code (GetLastError) on Windows, an errno value elsewhere.
// Zero means the operation worked.
using SystemError = unsigned long;
constexpr SystemError kNoError = 0;

// The platform's own words for error, on one line and without a line end
// (FormatMessageA on Windows, strerror elsewhere).
std::string DescribeSystemError(SystemError error);

// The error of the last failed platform call (GetLastError, errno).
SystemError LastSystemError();

// The error of the last failed C library file call (fopen, fwrite, fclose,
// rename): the operating system's code where the C library keeps one.
SystemError LastFileError();
// Forgets earlier failures, before a sequence of file calls whose failure
// LastFileError is to describe.
void ResetFileError();
