#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileHandle.h"
#include "platform/FileStamp.h"
#include "platform/SystemError.h"

// A folder that others may write to (the client's save folder), held open
// while the tool works in it, so that nothing planted there can send the
// tool's reads and writes elsewhere. It is found without following a link:
// a symbolic link or a junction in its place is refused, other reparse
// points (a cloud or deduplicated folder) are not. Every file of the folder
// is named relative to the handle (or descriptor) that holds it, never by
// a path: a folder put in its place later is never reached. A link is
// refused however the platform tells it: by the handle's reparse tag, by
// the attributes of the folder's path before and after it is opened, and
// by the opened file's own path, which must be the folder's plus its name
// (Wine follows a link to a file and shows it as a plain file).
class HeldFolder {
public:
    static const SystemError kNotOpened;

    HeldFolder() = default;
    ~HeldFolder();
    HeldFolder(const HeldFolder&) = delete;
    HeldFolder& operator=(const HeldFolder&) = delete;

    // Opens the folder hostPath; kRefusedLink when a link stands there,
    // kRefusedNotAFile when something else does.
    SystemError Open(const std::string& hostPath);
    bool IsOpen() const;
    // Why the folder is not open: Open's answer (or that it was not tried).
    SystemError Error() const { return error_; }

    // Opens the file name in the folder for reading, without following a
    // link and without waiting on a pipe. Refused unless it is a plain file
    // under this one name (kRefusedLink, kRefusedNotAFile,
    // kRefusedHardLinked). Null on failure, with error set.
    FileHandle OpenPlainFile(const std::string& name, SystemError& error) const;

    // Makes the file name, which must not exist, and opens it for reading
    // and writing; kFileExists when something, even a link, has the name.
    // Null on failure, with error set.
    FileHandle CreateNewFile(const std::string& name, SystemError& error) const;

    // Gives the open file, made here as from, the name to, replacing the
    // file of that name, whose marks it takes (hidden, system natively its
    // permissions); a file to marked read-only is refused
    // (kRefusedReadOnly) and stays. Natively the name from is first
    // checked to still be file; on Windows the file is renamed through its
    // handle, whatever its name now.
    SystemError Rename(std::FILE* file, const std::string& from, const std::string& to) const;

    // The stamp of the file name, itself rather than what a link leads to.
    StampStatus Stamp(const std::string& name, FileStamp& stamp) const;

    // Removes the name from when it is still the open file's own.
    void Remove(std::FILE* file, const std::string& from) const;

    // The names in the folder, and the removal of one: a link goes, never
    // what it leads to (and where the platform would follow it, it stays:
    // kRefusedLink). Removal answers why it failed; kNoError also when
    // there was no such name.
    std::vector<std::string> Names() const;
    SystemError RemoveName(const std::string& name) const;

    // What tells this folder from every other on the machine, the same for
    // every process: device and inode, or volume serial and file index.
    bool Identity(std::uint64_t& volume, std::uint64_t& index) const;

#ifndef _WIN32
    int Descriptor() const { return descriptor_; }
#endif

private:
    SystemError OpenFolder(const std::string& hostPath);

    SystemError error_ = kNotOpened;
#ifdef _WIN32
    void* handle_ = reinterpret_cast<void*>(static_cast<intptr_t>(-1));
    std::string ownPath_;  // the folder's own path, as the system resolves it
#else
    int descriptor_ = -1;
#endif
};

