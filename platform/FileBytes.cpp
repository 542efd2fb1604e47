#include "platform/FileBytes.h"

#include <cerrno>
#include <cstdio>

#include "platform/FileHandle.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#ifdef _WIN32
const SystemError kFileTooLarge = ERROR_FILE_TOO_LARGE;
#else
const SystemError kFileTooLarge = EFBIG;
#endif

namespace {

bool IsMissing(SystemError error)
{
#ifdef _WIN32
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
#else
    return error == ENOENT || error == ENOTDIR;
#endif
}

FileBytes Failed(FileBytes::Status status, SystemError error)
{
    FileBytes result;
    result.status = status;
    result.error = error;
    return result;
}

#ifndef _WIN32
// A folder opens like a file here (on Windows opening it fails); its
// "size" would say nothing.
bool IsFolder(std::FILE* file)
{
    struct stat info;
    return fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode);
}
#endif

// The file's size from its end, or -1 when it cannot be told.
long SizeOf(std::FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0)
        return -1;
    const long size = std::ftell(file);
    return std::fseek(file, 0, SEEK_SET) == 0 ? size : -1;
}

}  // namespace

FileBytes ReadFileBytes(const std::string& hostPath)
{
    ResetFileError();
    FileHandle file = OpenFile(hostPath.c_str(), "rb");
    if (!file) {
        const SystemError error = LastFileError();
        return Failed(IsMissing(error) ? FileBytes::Status::kMissing : FileBytes::Status::kUnreadable,
                      error);
    }
#ifndef _WIN32
    if (IsFolder(file.get()))
        return Failed(FileBytes::Status::kUnreadable, EISDIR);
#endif
    const long size = SizeOf(file.get());
    if (size < 0)
        return Failed(FileBytes::Status::kUnreadable, LastFileError());
    if (static_cast<unsigned long>(size) > kMaxFileBytes)
        return Failed(FileBytes::Status::kTooLarge, kNoError);

    FileBytes result;
    result.bytes.resize(static_cast<std::size_t>(size));
    const std::size_t count = std::fread(result.bytes.data(), 1, result.bytes.size(), file.get());
    if (std::ferror(file.get()))
        return Failed(FileBytes::Status::kUnreadable, LastFileError());
    // A file that shrank while it was read ends where the reading ended.
    result.bytes.resize(count);
    result.status = FileBytes::Status::kRead;
    return result;
}
