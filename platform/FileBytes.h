#pragma once

#include <cstddef>
#include <string>

#include "platform/SystemError.h"

// The largest file the tool reads: a client's scripts and the saved option
// file are far smaller; anything larger is treated as unreadable.
constexpr std::size_t kMaxFileBytes = 16u << 20;

// The largest saved option file the tool reads or writes. The tool's own
// lines are about 2 KB and a client adds a few lines of its own: 1 MiB
// leaves them 500 times that. The file lies in a folder others may write,
// and every shape of it must cost the start and a save little: the read,
// the compile and setting lines aside all grow with it.
constexpr std::size_t kMaxSavedFileBytes = 1u << 20;

// The whole of a file, read at once.
struct FileBytes {
    enum class Status {
        kRead,        // bytes holds the file
        kMissing,     // no such file (or no such folder)
        kUnreadable,  // there, but it could not be opened or read: error says why
        kTooLarge,    // larger than maxBytes
    };

    Status status = Status::kMissing;
    SystemError error = kNoError;
    std::string bytes;
    std::size_t maxBytes = kMaxFileBytes;  // the bound it was read within
};

// A pipe or a device is refused (kRefusedNotAFile), never waited on.
FileBytes ReadFileBytes(const std::string& hostPath, std::size_t maxBytes = kMaxFileBytes);

class HeldFolder;
// A file of a folder that others may write to: refused (status kUnreadable,
// error one of the refusals) unless it is a plain file under this one name,
// reached through no link, and one that Lua's loader would read as source:
// a file it would load as precompiled code (kRefusedPrecompiled) is refused
// by its bytes, whatever its name. The second form holds the file's folder
// while it reads.
FileBytes ReadFileBytesIn(const HeldFolder& folder, const std::string& name,
                          std::size_t maxBytes = kMaxFileBytes);
FileBytes ReadUnlinkedFileBytes(const std::string& hostPath, std::size_t maxBytes = kMaxFileBytes);

// The error says there is no such file or folder on the way to it.
bool IsMissingFileError(SystemError error);

// The platform's code for a file too large to handle (EFBIG,
// ERROR_FILE_TOO_LARGE), for a file larger than the bound it is read within.
extern const SystemError kFileTooLarge;
