#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileHandle.h"
#include "platform/SystemError.h"

// A folder that others may write to (the client's save folder), held open
// while the tool works in it, so that nothing planted there can send the
// tool's reads and writes elsewhere. It is found without following a link:
// a symbolic link or a junction in its place is refused, other reparse
// points (a cloud or deduplicated folder) are not. While it is held it
// cannot be swapped for another folder: its files are named relative to its
// descriptor (natively), or the handle shares no deletion (on Windows).
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
    // and writing. Null on failure, with error set.
    FileHandle CreateNewFile(const std::string& name, SystemError& error) const;

    // Gives the open file, made here as from, the name to, replacing the
    // file of that name. The name from is first checked to still be file.
    SystemError Rename(std::FILE* file, const std::string& from, const std::string& to) const;

    // Removes the name from when it is still the open file's own.
    void Remove(std::FILE* file, const std::string& from) const;

    // The names in the folder, and the removal of one: a link goes, never
    // what it leads to. Removal answers why it failed; kNoError also when
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
    std::string PathOf(const std::string& name) const { return path_ + "\\" + name; }
    void* handle_ = reinterpret_cast<void*>(static_cast<intptr_t>(-1));
    std::string path_;
#else
    int descriptor_ = -1;
#endif
};

