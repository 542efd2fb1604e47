#pragma once

#include <deque>
#include <string>

#include "platform/HeldFolder.h"
#include "platform/SystemError.h"

// A folder whose every parent others may write to, such as a folder of the
// user's profile that an elevated tool reads in: every folder on its path
// below the drive (or root) is held, each found without following a link,
// so that none of them can be swapped for a link while the tool works
// there (a held folder can be neither renamed nor removed).
class HeldPath {
public:
    // Holds the folders of hostPath, from the top; on failure none is held
    // and the first that could not be is the reason: kRefusedLink for a link.
    SystemError Open(const std::string& hostPath);
    bool IsOpen() const { return !folders_.empty(); }
    // The folder at the end of the path; only while it is open.
    const HeldFolder& Folder() const { return folders_.back(); }

private:
    std::deque<HeldFolder> folders_;
};
