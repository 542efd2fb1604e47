#pragma once

#include <cstddef>
#include <string>

#include "platform/SystemError.h"

// The largest file the tool reads: a client's scripts and the saved option
// file are far smaller; anything larger is treated as unreadable.
constexpr std::size_t kMaxFileBytes = 16u << 20;

// The whole of a file, read at once.
struct FileBytes {
    enum class Status {
        kRead,        // bytes holds the file
        kMissing,     // no such file (or no such folder)
        kUnreadable,  // there, but it could not be opened or read: error says why
        kTooLarge,    // larger than kMaxFileBytes
    };

    Status status = Status::kMissing;
    SystemError error = kNoError;
    std::string bytes;
};

// A pipe or a device is refused (kRefusedNotAFile), never waited on.
FileBytes ReadFileBytes(const std::string& hostPath);

class HeldFolder;
// A file of a folder that others may write to: refused (status kUnreadable,
// error one of the refusals) unless it is a plain file under this one name,
// reached through no link. The second form holds the file's folder while
// it reads.
FileBytes ReadFileBytesIn(const HeldFolder& folder, const std::string& name);
FileBytes ReadUnlinkedFileBytes(const std::string& hostPath);

// The platform's code for a file too large to handle (EFBIG,
// ERROR_FILE_TOO_LARGE), for a file larger than kMaxFileBytes.
extern const SystemError kFileTooLarge;
