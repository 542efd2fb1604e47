#include "platform/SystemError.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <windows.h>

#include <cstdlib>
#endif

namespace {

std::string TrimLineEnd(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

// The words for the tool's own refusals; null for the platform's codes.
const char* RefusalText(SystemError error)
{
    switch (error) {
    case kRefusedLink:
        return "It is a link or a junction to another place, which Setup does not follow here.";
    case kRefusedNotAFile: return "It is not a plain file.";
    case kRefusedHardLinked: return "It is one file under more than one name, which Setup does not write.";
    case kSaveBusy: return "Another save of this client's settings did not end in time.";
    case kRefusedPrecompiled:
        return "It holds precompiled Lua code, which Setup runs only from the client's own folder.";
    case kRefusedReadOnly: return "It is marked read-only, and Setup does not replace a read-only file.";
    case kNoFreeSideName:
        return "Every name Setup tried for its side file in this folder was already taken.";
    default: return nullptr;
    }
}

}  // namespace

#ifdef _WIN32

const SystemError kFileExists = ERROR_FILE_EXISTS;

bool MeansMissing(SystemError error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::string DescribeSystemError(SystemError error)
{
    if (const char* refusal = RefusalText(error))
        return refusal;
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string described = length > 0 ? TrimLineEnd(std::string(text, length))
                                        : "Error " + std::to_string(error) + ".";
    if (text != nullptr)
        LocalFree(text);
    return described;
}

SystemError LastSystemError()
{
    const DWORD error = GetLastError();
    return error != 0 ? error : ERROR_GEN_FAILURE;
}

// msvcrt keeps the Win32 code behind errno in _doserrno; a failure of its
// own (a short write on a full disk sets only errno) is mapped by hand.
SystemError LastFileError()
{
    if (_doserrno != 0)
        return static_cast<SystemError>(_doserrno);
    switch (errno) {
    case ENOSPC: return ERROR_DISK_FULL;
    case EACCES: return ERROR_ACCESS_DENIED;
    case ENOENT: return ERROR_PATH_NOT_FOUND;
    default: return ERROR_WRITE_FAULT;
    }
}

void ResetFileError()
{
    errno = 0;
    _doserrno = 0;
}

#else

const SystemError kFileExists = EEXIST;

bool MeansMissing(SystemError error)
{
    return error == ENOENT || error == ENOTDIR;
}

std::string DescribeSystemError(SystemError error)
{
    if (const char* refusal = RefusalText(error))
        return refusal;
    return TrimLineEnd(std::strerror(static_cast<int>(error))) + ".";
}

SystemError LastSystemError()
{
    return errno != 0 ? static_cast<SystemError>(errno) : EIO;
}

SystemError LastFileError()
{
    return LastSystemError();
}

void ResetFileError()
{
    errno = 0;
}

#endif
