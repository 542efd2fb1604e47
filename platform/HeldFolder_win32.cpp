#include "platform/HeldFolder.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "platform/RelativeFile_win32.h"

namespace {

// A handle, closed when it goes out of scope unless given on.
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

constexpr ULONG kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// What the handle itself says: a symbolic link or a junction leads
// elsewhere (kRefusedLink); other reparse points (a cloud or deduplicated
// file) are the file itself. isReparse tells whether it is one at all.
SystemError CheckNotSurrogate(HANDLE handle, bool& isReparse)
{
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (!GetFileInformationByHandleEx(handle, FileAttributeTagInfo, &tag, sizeof tag))
        return LastSystemError();
    isReparse = (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    return isReparse && IsReparseTagNameSurrogate(tag.ReparseTag) ? kRefusedLink : kNoError;
}

// Whether the path's own attributes show a reparse point. Wine shows a
// link to a folder this way only, never through the handle.
bool PathIsReparsePoint(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// The path the system gives the open file, without the "\\?\" prefix.
std::string OwnPath(HANDLE handle)
{
    char path[MAX_PATH * 4];
    const DWORD length = GetFinalPathNameByHandleA(handle, path, sizeof path, FILE_NAME_NORMALIZED);
    if (length == 0 || length >= sizeof path)
        return std::string();
    return std::string(path, length);
}

bool SameText(const std::string& a, const std::string& b)
{
    return a.size() == b.size() &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

// The file opened as name in the folder is that name's own, not what a
// link there leads to: the handle is no link, and the file's own path is
// the folder's and the name (under Wine, which opens a link's target even
// when asked for the link itself, only the path tells).
SystemError CheckReachedDirectly(HANDLE file, const std::string& folderPath, const std::string& name,
                                 bool& isLinkItself)
{
    bool isReparse = false;
    const SystemError error = CheckNotSurrogate(file, isReparse);
    isLinkItself = error == kRefusedLink;
    if (error != kNoError)
        return error;
    const std::string path = OwnPath(file);
    if (path.empty())
        return LastSystemError();
    return SameText(path, folderPath + "\\" + name) ? kNoError : kRefusedLink;
}

SystemError CheckPlainFile(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle, &info))
        return LastSystemError();
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || GetFileType(handle) != FILE_TYPE_DISK)
        return kRefusedNotAFile;
    return info.nNumberOfLinks > 1 ? kRefusedHardLinked : kNoError;
}

HANDLE HandleOf(std::FILE* file)
{
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
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

SystemError Delete(HANDLE file)
{
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    return SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition)
               ? kNoError
               : LastSystemError();
}

// The marks of the replaced file that the new one takes.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The file that the side file is to replace: refused when marked
// read-only, else its marks given to the side file. Nothing there, or no
// plain file there, leaves the rename to decide.
SystemError TakeMarksOf(HANDLE folder, const std::string& to, HANDLE side)
{
    SystemError error = kNoError;
    OpenHandle old(OpenRelative(folder, to, RelativeOpen{FILE_READ_ATTRIBUTES, kShareAll, FILE_OPEN}, error));
    if (old.get() == INVALID_HANDLE_VALUE)
        return kNoError;
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(old.get(), FileBasicInfo, &basic, sizeof basic))
        return LastSystemError();
    if ((basic.FileAttributes & FILE_ATTRIBUTE_READONLY) != 0)
        return kRefusedReadOnly;
    FILE_BASIC_INFO marks{};  // times of zero stay as they are
    marks.FileAttributes = basic.FileAttributes & kKeptAttributes;
    if (marks.FileAttributes == 0)
        return kNoError;
    return SetFileInformationByHandle(side, FileBasicInfo, &marks, sizeof marks) ? kNoError
                                                                                  : LastSystemError();
}

}  // namespace

HeldFolder::~HeldFolder()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
}

const SystemError HeldFolder::kNotOpened = ERROR_PATH_NOT_FOUND;

SystemError HeldFolder::Open(const std::string& hostPath)
{
    error_ = OpenFolder(hostPath);
    return error_;
}

// Shared for reading and writing but not for deletion: while it is held,
// the folder cannot be renamed, removed or replaced by a junction. The
// path's attributes are asked before and after the open: a reparse point
// there that the handle does not show is a link the platform followed.
SystemError HeldFolder::OpenFolder(const std::string& hostPath)
{
    const bool linkedBefore = PathIsReparsePoint(hostPath);
    OpenHandle folder(CreateFileA(hostPath.c_str(), FILE_READ_ATTRIBUTES | FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (folder.get() == INVALID_HANDLE_VALUE)
        return LastSystemError();
    bool isReparse = false;
    SystemError error = CheckNotSurrogate(folder.get(), isReparse);
    if (error == kNoError && !isReparse && (linkedBefore || PathIsReparsePoint(hostPath)))
        error = kRefusedLink;
    BY_HANDLE_FILE_INFORMATION info;
    if (error == kNoError && !GetFileInformationByHandle(folder.get(), &info))
        error = LastSystemError();
    if (error == kNoError && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        error = kRefusedNotAFile;
    if (error == kNoError && (ownPath_ = OwnPath(folder.get())).empty())
        error = LastSystemError();
    if (error != kNoError)
        return error;
    handle_ = folder.release();
    return kNoError;
}

bool HeldFolder::IsOpen() const
{
    return handle_ != INVALID_HANDLE_VALUE;
}

FileHandle HeldFolder::OpenPlainFile(const std::string& name, SystemError& error) const
{
    OpenHandle file(OpenRelative(handle_, name, RelativeOpen{GENERIC_READ, kShareAll, FILE_OPEN}, error));
    if (file.get() == INVALID_HANDLE_VALUE)
        return nullptr;
    bool isLinkItself = false;
    error = CheckReachedDirectly(file.get(), ownPath_, name, isLinkItself);
    if (error == kNoError)
        error = CheckPlainFile(file.get());
    if (error != kNoError)
        return nullptr;
    return Wrap(file, _O_RDONLY | _O_BINARY, "rb", error);
}

// Shared for reading only: while the save holds it, nobody renames,
// deletes or writes it; the save renames it through this handle.
FileHandle HeldFolder::CreateNewFile(const std::string& name, SystemError& error) const
{
    OpenHandle file(OpenRelative(handle_, name,
                                 RelativeOpen{GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ, FILE_CREATE},
                                 error));
    if (file.get() == INVALID_HANDLE_VALUE) {
        if (error == ERROR_ALREADY_EXISTS)
            error = kFileExists;
        return nullptr;
    }
    return Wrap(file, _O_RDWR | _O_BINARY, "w+b", error);
}

SystemError HeldFolder::Rename(std::FILE* file, const std::string&, const std::string& to) const
{
    const SystemError error = TakeMarksOf(handle_, to, HandleOf(file));
    return error != kNoError ? error : RenameRelative(HandleOf(file), handle_, to);
}

// Deleted through the handle: whatever now has the name, only this file goes.
void HeldFolder::Remove(std::FILE* file, const std::string&) const
{
    Delete(HandleOf(file));
}

StampStatus HeldFolder::Stamp(const std::string& name, FileStamp& stamp) const
{
    SystemError error = kNoError;
    OpenHandle file(OpenRelative(handle_, name, RelativeOpen{FILE_READ_ATTRIBUTES, kShareAll, FILE_OPEN}, error));
    if (file.get() == INVALID_HANDLE_VALUE)
        return MeansMissing(error) ? StampStatus::kMissing : StampStatus::kUnknown;
    return StampHandle(file.get(), stamp);
}

// Listed through the held handle, from its first entry.
std::vector<std::string> HeldFolder::Names() const
{
    std::vector<std::string> names;
    alignas(8) unsigned char buffer[16384];
    FILE_INFO_BY_HANDLE_CLASS kind = FileFullDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(handle_, kind, buffer, sizeof buffer)) {
        kind = FileFullDirectoryInfo;
        for (std::size_t at = 0;;) {
            const auto* entry = reinterpret_cast<const FILE_FULL_DIR_INFO*>(buffer + at);
            char name[MAX_PATH * 4];
            const int length = WideCharToMultiByte(CP_ACP, 0, entry->FileName,
                                                   static_cast<int>(entry->FileNameLength / sizeof(wchar_t)),
                                                   name, sizeof name, nullptr, nullptr);
            if (length > 0)
                names.emplace_back(name, static_cast<std::size_t>(length));
            if (entry->NextEntryOffset == 0)
                break;
            at += entry->NextEntryOffset;
        }
    }
    return names;
}

// A link itself goes, as a link is opened; a file reached through a link
// (as Wine reaches it) is not this folder's and stays.
SystemError HeldFolder::RemoveName(const std::string& name) const
{
    SystemError error = kNoError;
    OpenHandle file(OpenRelative(handle_, name, RelativeOpen{DELETE | FILE_READ_ATTRIBUTES, kShareAll, FILE_OPEN},
                                 error));
    if (file.get() == INVALID_HANDLE_VALUE)
        return MeansMissing(error) ? kNoError : error;
    bool isLinkItself = false;
    error = CheckReachedDirectly(file.get(), ownPath_, name, isLinkItself);
    return error == kNoError || isLinkItself ? Delete(file.get()) : error;
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
