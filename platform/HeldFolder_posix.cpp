#include "platform/HeldFolder.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A name that stands for a link: O_NOFOLLOW fails with ELOOP on it (and
// O_DIRECTORY with ENOTDIR when the link points at a file).
bool IsLink(int parent, const char* name)
{
    struct stat found;
    return fstatat(parent, name, &found, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(found.st_mode);
}

SystemError OpenError(int parent, const char* name)
{
    const SystemError error = LastSystemError();
    return IsLink(parent, name) ? kRefusedLink : error;
}

SystemError CheckPlainFile(int descriptor)
{
    struct stat info;
    if (fstat(descriptor, &info) != 0)
        return LastSystemError();
    if (!S_ISREG(info.st_mode))
        return kRefusedNotAFile;
    return info.st_nlink > 1 ? kRefusedHardLinked : kNoError;
}

// The name stands for the open file itself.
bool NamesFile(int folder, const std::string& name, std::FILE* file)
{
    struct stat named;
    struct stat open;
    return fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           fstat(fileno(file), &open) == 0 && named.st_dev == open.st_dev &&
           named.st_ino == open.st_ino;
}

// The file that the side file is to replace: refused when nobody may
// write it (the host's read-only mark), else its permissions given to the
// side file, and, for a save run as root, its owner, so that the player
// keeps the file. Nothing there leaves the rename to decide.
SystemError TakeModeOf(int folder, const std::string& to, int side)
{
    struct stat old;
    if (fstatat(folder, to.c_str(), &old, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(old.st_mode))
        return kNoError;
    if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return kRefusedReadOnly;
    // Where the owner cannot be given (a namespace without that user), root
    // keeps the file, which is still whole.
    const bool ownerKept = geteuid() != 0 || fchown(side, old.st_uid, old.st_gid) == 0;
    static_cast<void>(ownerKept);
    return fchmod(side, old.st_mode & (S_IRWXU | S_IRWXG | S_IRWXO)) == 0 ? kNoError : LastSystemError();
}

FileHandle Wrap(int descriptor, const char* mode, SystemError& error)
{
    FileHandle file(fdopen(descriptor, mode));
    if (!file) {
        error = LastSystemError();
        close(descriptor);
    }
    return file;
}

}  // namespace

HeldFolder::~HeldFolder()
{
    if (descriptor_ >= 0)
        close(descriptor_);
}

const SystemError HeldFolder::kNotOpened = ENOENT;

SystemError HeldFolder::Open(const std::string& hostPath)
{
    error_ = OpenFolder(hostPath);
    return error_;
}

SystemError HeldFolder::OpenFolder(const std::string& hostPath)
{
    descriptor_ = open(hostPath.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor_ >= 0)
        return kNoError;
    const SystemError error = OpenError(AT_FDCWD, hostPath.c_str());
    return error == ENOTDIR ? kRefusedNotAFile : error;
}

bool HeldFolder::IsOpen() const
{
    return descriptor_ >= 0;
}

FileHandle HeldFolder::OpenPlainFile(const std::string& name, SystemError& error) const
{
    const int descriptor =
        openat(descriptor_, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        error = OpenError(descriptor_, name.c_str());
        return nullptr;
    }
    error = CheckPlainFile(descriptor);
    if (error != kNoError) {
        close(descriptor);
        return nullptr;
    }
    return Wrap(descriptor, "rb", error);
}

FileHandle HeldFolder::CreateNewFile(const std::string& name, SystemError& error) const
{
    const int descriptor = openat(descriptor_, name.c_str(),
                                  O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        error = LastSystemError();
        return nullptr;
    }
    return Wrap(descriptor, "w+b", error);
}

SystemError HeldFolder::Rename(std::FILE* file, const std::string& from, const std::string& to) const
{
    if (!NamesFile(descriptor_, from, file))
        return ENOENT;
    const SystemError error = TakeModeOf(descriptor_, to, fileno(file));
    if (error != kNoError)
        return error;
    return renameat(descriptor_, from.c_str(), descriptor_, to.c_str()) == 0 ? kNoError
                                                                             : LastSystemError();
}

void HeldFolder::Remove(std::FILE* file, const std::string& from) const
{
    if (NamesFile(descriptor_, from, file))
        unlinkat(descriptor_, from.c_str(), 0);
}

std::vector<std::string> HeldFolder::Names() const
{
    std::vector<std::string> names;
    const int copy = dup(descriptor_);
    DIR* listing = copy >= 0 ? fdopendir(copy) : nullptr;
    if (listing == nullptr) {
        if (copy >= 0)
            close(copy);
        return names;
    }
    rewinddir(listing);
    while (const dirent* entry = readdir(listing))
        names.emplace_back(entry->d_name);
    closedir(listing);
    return names;
}

SystemError HeldFolder::RemoveName(const std::string& name) const
{
    if (unlinkat(descriptor_, name.c_str(), 0) == 0 || errno == ENOENT)
        return kNoError;
    return LastSystemError();
}

StampStatus HeldFolder::Stamp(const std::string& name, FileStamp& stamp) const
{
    return StampAt(descriptor_, name.c_str(), AT_SYMLINK_NOFOLLOW, stamp);
}

bool HeldFolder::Identity(std::uint64_t& volume, std::uint64_t& index) const
{
    struct stat info;
    if (fstat(descriptor_, &info) != 0)
        return false;
    volume = static_cast<std::uint64_t>(info.st_dev);
    index = static_cast<std::uint64_t>(info.st_ino);
    return true;
}
