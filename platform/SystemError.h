#pragma once

#include <string>

// Why an operation of the platform failed, in the platform's own numbers:
// a Win32 error code (GetLastError) on Windows, an errno value elsewhere.
// Zero means the operation worked.
using SystemError = unsigned long;
constexpr SystemError kNoError = 0;

// The tool's own refusals of a file or folder that others could have put in
// its way, as errors: bit 29 marks codes of an application's own on Windows,
// and no errno value comes near it.
constexpr SystemError kRefusedLink = 0x20000001;      // a link or a junction
constexpr SystemError kRefusedNotAFile = 0x20000002;  // a pipe, a device, a folder
constexpr SystemError kRefusedHardLinked = 0x20000003;  // one file under more names
constexpr SystemError kSaveBusy = 0x20000004;  // another save of the folder did not end in time
constexpr SystemError kRefusedPrecompiled = 0x20000005;  // precompiled code where only source may be
constexpr SystemError kRefusedReadOnly = 0x20000006;  // a file marked read-only, left as it is
constexpr SystemError kNoFreeSideName = 0x20000007;   // every side file name tried was taken

// Whether error says that nothing of the name, or no folder on its way, is
// there (ENOENT, ENOTDIR, ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND).
bool MeansMissing(SystemError error);

// The platform's code for a name that something already has (EEXIST,
// ERROR_FILE_EXISTS).
extern const SystemError kFileExists;

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
