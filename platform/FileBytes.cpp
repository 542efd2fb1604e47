#include "platform/FileBytes.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "platform/FileHandle.h"
#include "platform/HeldFolder.h"
#include "platform/HostPath.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef _WIN32
const SystemError kFileTooLarge = ERROR_FILE_TOO_LARGE;
#else
const SystemError kFileTooLarge = EFBIG;
#endif

bool IsMissingFileError(SystemError error)
{
    return MeansMissing(error);
}

namespace {

FileBytes Failed(FileBytes::Status status, SystemError error)
{
    FileBytes result;
    result.status = status;
    result.error = error;
    return result;
}

#ifdef _WIN32
FileHandle OpenForReading(const std::string& hostPath, SystemError& error)
{
    ResetFileError();
    FileHandle file = OpenFile(hostPath.c_str(), "rb");
    if (!file)
        error = LastFileError();
    return file;
}
#else
// A folder opens like a file here (on Windows opening it fails), and its
// "size" would say nothing; a pipe would keep the open waiting for a
// writer, so it is opened without waiting and then refused.
SystemError CheckReadable(int descriptor)
{
    struct stat info;
    if (fstat(descriptor, &info) != 0)
        return LastSystemError();
    if (S_ISDIR(info.st_mode))
        return EISDIR;
    return S_ISREG(info.st_mode) ? kNoError : kRefusedNotAFile;
}

FileHandle OpenForReading(const std::string& hostPath, SystemError& error)
{
    const int descriptor = open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        error = LastSystemError();
        return nullptr;
    }
    error = CheckReadable(descriptor);
    FileHandle file(error == kNoError ? fdopen(descriptor, "rb") : nullptr);
    if (!file) {
        if (error == kNoError)
            error = LastSystemError();
        close(descriptor);
    }
    return file;
}
#endif

// The file's whole size, in 64 bits wherever long has 32 (a file past
// 4 GiB must not pass for a small one); false when it cannot be told.
bool SizeOf(std::FILE* file, std::uint64_t& size)
{
#ifdef _WIN32
    LARGE_INTEGER bytes;
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (handle == INVALID_HANDLE_VALUE || !GetFileSizeEx(handle, &bytes) || bytes.QuadPart < 0)
        return false;
    size = static_cast<std::uint64_t>(bytes.QuadPart);
#else
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || info.st_size < 0)
        return false;
    size = static_cast<std::uint64_t>(info.st_size);
#endif
    return true;
}

FileBytes ReadOpenFile(std::FILE* file, std::size_t maxBytes)
{
    std::uint64_t size = 0;
    if (!SizeOf(file, size))
        return Failed(FileBytes::Status::kUnreadable, LastSystemError());
    if (size > maxBytes) {
        FileBytes tooLarge = Failed(FileBytes::Status::kTooLarge, kNoError);
        tooLarge.maxBytes = maxBytes;
        return tooLarge;
    }

    FileBytes result;
    result.maxBytes = maxBytes;
    result.bytes.resize(static_cast<std::size_t>(size));
    const std::size_t count = std::fread(result.bytes.data(), 1, result.bytes.size(), file);
    if (std::ferror(file))
        return Failed(FileBytes::Status::kUnreadable, LastFileError());
    // A file that shrank while it was read ends where the reading ended.
    result.bytes.resize(count);
    result.status = FileBytes::Status::kRead;
    return result;
}

FileBytes Opened(FileHandle file, SystemError error, std::size_t maxBytes)
{
    if (!file)
        return Failed(MeansMissing(error) ? FileBytes::Status::kMissing : FileBytes::Status::kUnreadable,
                      error);
    return ReadOpenFile(file.get(), maxBytes);
}

// Lua's loader takes a file for precompiled code when its first byte, past
// a first line that starts with '#', is the escape byte; the script reader
// also skips a UTF-8 byte-order mark before it.
bool LoadsAsPrecompiledCode(std::string_view bytes)
{
    constexpr std::string_view kByteOrderMark("\xEF\xBB\xBF", 3);
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    if (!bytes.empty() && bytes.front() == '#') {
        const std::size_t lineEnd = bytes.find('\n');
        bytes.remove_prefix(lineEnd == std::string_view::npos ? bytes.size() : lineEnd + 1);
    }
    return !bytes.empty() && bytes.front() == '\x1b';
}

}  // namespace

FileBytes ReadFileBytes(const std::string& hostPath, std::size_t maxBytes)
{
    SystemError error = kNoError;
    FileHandle file = OpenForReading(hostPath, error);
    return Opened(std::move(file), error, maxBytes);
}

FileBytes ReadFileBytesIn(const HeldFolder& folder, const std::string& name, std::size_t maxBytes)
{
    SystemError error = folder.IsOpen() ? kNoError : folder.Error();
    FileHandle file = error == kNoError ? folder.OpenPlainFile(name, error) : nullptr;
    FileBytes read = Opened(std::move(file), error, maxBytes);
    if (read.status == FileBytes::Status::kRead && LoadsAsPrecompiledCode(read.bytes))
        return Failed(FileBytes::Status::kUnreadable, kRefusedPrecompiled);
    return read;
}

FileBytes ReadUnlinkedFileBytes(const std::string& hostPath, std::size_t maxBytes)
{
    const HostPathParts parts = SplitHostPath(hostPath);
    HeldFolder folder;
    folder.Open(parts.folder);
    return ReadFileBytesIn(folder, parts.name, maxBytes);
}
