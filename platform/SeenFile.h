#pragma once

#include <cstdint>
#include <string>

#include "platform/FileStamp.h"

// A file as it was when the tool read it, to tell later whether another
// program may have changed it since.
struct SeenFile {
    StampStatus status = StampStatus::kMissing;
    FileStamp stamp;
    std::int64_t seenAt = 0;  // the clock before the stamp was taken
};

class HeldFolder;

// The file name in the held folder, stamped through it. Take before reading
// the file: a change made while it is read then shows.
SeenFile SeeFile(const HeldFolder& folder, const std::string& name);

// Whether the file may differ from what was read when it was seen: its
// stamp differs, cannot be had, or is too recent to show every change.
bool MayHaveChanged(const SeenFile& seen, const HeldFolder& folder, const std::string& name);
