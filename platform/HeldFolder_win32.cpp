#include "platform/HeldFolder.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "platform/WholeFile.h"

namespace {

// A handle of CreateFileA, closed when it goes out of scope unless given on.
class OpenHandle {
public:
    explicit OpenHandle(HANDLE handle) : handle_(handle) {}
    ~OpenHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    OpenHandle(const OpenHandle&) = delete;
    OpenHandle& operator=(const OpenHandle&) = delete;

    HANDLE get() const { return handle_; }
    HANDLE release()
    {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return handle;
    }

private:
    HANDLE handle_;
};

// A symbolic link or a junction leads elsewhere; other reparse points (a
// cloud or deduplicated file) are the file itself.
SystemError CheckNotSurrogate(HANDLE handle)
{
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (!GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag))
        return LastSystemError();
    const bool surrogate = (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
                           IsReparseTagNameSurrogate(tag.ReparseTag);
    return surrogate ? kRefusedLink : kNoError;
}

SystemError CheckPlainFile(HANDLE handle)
{
    const SystemError error = CheckNotSurrogate(handle);
    if (error != kNoError)
        return error;
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle, &info))
        return LastSystemError();
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || GetFileType(handle) != FILE_TYPE_DISK)
        return kRefusedNotAFile;
    return info.nNumberOfLinks > 1 ? kRefusedHardLinked : kNoError;
}

bool SameFile(HANDLE a, HANDLE b)
{
    BY_HANDLE_FILE_INFORMATION first;
    BY_HANDLE_FILE_INFORMATION second;
    return GetFileInformationByHandle(a, &first) && GetFileInformationByHandle(b, &second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

HANDLE HandleOf(std::FILE* file)
{
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
}

// The name stands for the open file itself.
bool NamesFile(const std::string& path, std::FILE* file)
{
    OpenHandle named(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING,
                                 FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return named.get() != INVALID_HANDLE_VALUE && SameFile(named.get(), HandleOf(file));
}

FileHandle Wrap(OpenHandle& handle, int flags, const char* mode, SystemError& error)
{
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle.get()), flags);
    if (descriptor < 0) {
        error = ERROR_TOO_MANY_OPEN_FILES;
        return nullptr;
    }
    handle.release();
    FileHandle file(_fdopen(descriptor, mode));
    if (!file) {
        error = ERROR_TOO_MANY_OPEN_FILES;
        _close(descriptor);
    }
    return file;
}

}  // namespace

HeldFolder::~HeldFolder()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
}

// Shared for reading and writing but not for deletion: while it is held,
// the folder cannot be renamed, removed or replaced by a junction.
const SystemError HeldFolder::kNotOpened = ERROR_PATH_NOT_FOUND;

SystemError HeldFolder::Open(const std::string& hostPath)
{
    error_ = OpenFolder(hostPath);
    return error_;
}

SystemError HeldFolder::OpenFolder(const std::string& hostPath)
{
    OpenHandle folder(CreateFileA(hostPath.c_str(), FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (folder.get() == INVALID_HANDLE_VALUE)
        return LastSystemError();
    SystemError error = CheckNotSurrogate(folder.get());
    BY_HANDLE_FILE_INFORMATION info;
    if (error == kNoError && !GetFileInformationByHandle(folder.get(), &info))
        error = LastSystemError();
    if (error == kNoError && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        error = kRefusedNotAFile;
    if (error != kNoError)
        return error;
    handle_ = folder.release();
    path_ = hostPath;
    return kNoError;
}

bool HeldFolder::IsOpen() const
{
    return handle_ != INVALID_HANDLE_VALUE;
}

FileHandle HeldFolder::OpenPlainFile(const std::string& name, SystemError& error) const
{
    OpenHandle file(CreateFileA(PathOf(name).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        error = LastSystemError();
        return nullptr;
    }
    error = CheckPlainFile(file.get());
    if (error != kNoError)
        return nullptr;
    return Wrap(file, _O_RDONLY | _O_BINARY, "rb", error);
}

// Shared for deletion, so that the replace can rename it by name while
// this handle stays open; it is checked to be this file first.
FileHandle HeldFolder::CreateNewFile(const std::string& name, SystemError& error) const
{
    OpenHandle file(CreateFileA(PathOf(name).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
                                FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        error = LastSystemError();
        return nullptr;
    }
    return Wrap(file, _O_RDWR | _O_BINARY, "w+b", error);
}

SystemError HeldFolder::Rename(std::FILE* file, const std::string& from, const std::string& to) const
{
    if (!NamesFile(PathOf(from), file))
        return ERROR_FILE_NOT_FOUND;
    return MoveOver(PathOf(from), PathOf(to));
}

// Deleted through the handle: whatever now has the name, only this file goes.
void HeldFolder::Remove(std::FILE* file, const std::string&) const
{
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    SetFileInformationByHandle(HandleOf(file), FileDispositionInfo, &disposition, sizeof disposition);
}

std::vector<std::string> HeldFolder::Names() const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(PathOf("*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.emplace_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// DeleteFileA removes a symbolic link itself; a junction is a folder to it
// and stays.
SystemError HeldFolder::RemoveName(const std::string& name) const
{
    if (DeleteFileA(PathOf(name).c_str()))
        return kNoError;
    const SystemError error = LastSystemError();
    return error == ERROR_FILE_NOT_FOUND ? kNoError : error;
}

bool HeldFolder::Identity(std::uint64_t& volume, std::uint64_t& index) const
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle_, &info))
        return false;
    volume = info.dwVolumeSerialNumber;
    index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}
