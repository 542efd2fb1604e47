#pragma once

#include <cstdint>
#include <string>

// What tells one version of a file from another without reading it: which
// file it is (volume serial and file index on Windows, device and inode
// elsewhere), its size and its last write time (and, where the host keeps
// one, its last change time, which also moves when a copy sets the write
// time back).
struct FileStamp {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    std::uint64_t size = 0;
    std::int64_t writeTime = 0;  // in FileClockNow's units
    std::int64_t changeTime = 0;

    bool operator==(const FileStamp& other) const
    {
        return volume == other.volume && index == other.index && size == other.size &&
               writeTime == other.writeTime && changeTime == other.changeTime;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

enum class StampStatus {
    kStamped,
    kMissing,  // no such file (or no such folder)
    kUnknown,  // there may be a file, but its stamp cannot be had
};

// The stamp of the file at hostPath, through any link (the client's own
// files may be links); a folder that others write is stamped through
// HeldFolder::Stamp, which never follows one.
StampStatus StampFile(const std::string& hostPath, FileStamp& stamp);
#ifdef _WIN32
// The stamp of an open file's handle.
StampStatus StampHandle(void* handle, FileStamp& stamp);
#else
// The stamp of name in the folder descriptor folder (or AT_FDCWD), with
// fstatat's flags.
StampStatus StampAt(int folder, const char* name, int flags, FileStamp& stamp);
#endif

// The time on the clock that file times are taken from.
std::int64_t FileClockNow();

// Whether a file could still change without its stamp showing it: file
// times are coarse (a clock tick, two seconds on FAT), so a write soon
// after the stamp's own may leave it as it was. True when the stamp's
// times are not well before now, a time taken before the stamp.
bool MayChangeUnseen(const FileStamp& stamp, std::int64_t now);
