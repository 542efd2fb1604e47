#pragma once

#include <string>
#include <vector>

#include "platform/FileHandle.h"
#include "platform/SystemError.h"

// The saved option file is rewritten in two steps with other work between
// them. Both steps write a side file, hostPath + ".new", which takes the
// saved file's place only once it is complete: a failed write leaves the
// old file as it was, never a cut-off one, and no side file behind.
std::string PendingName(const std::string& hostPath);

// Starts the new contents: the lines, each ending CR LF. On failure no side
// file is left and the reason is returned.
SystemError StartPendingFile(const std::string& hostPath, const std::vector<std::string>& lines);

// Opens the side file to add to it. When the first step left none, it is
// started from the saved file's present bytes. Null on failure, with error
// set and no side file left.
FileHandle ContinuePendingFile(const std::string& hostPath, SystemError& error);

// Closes the side file and puts it in the saved file's place. When anything
// written to it failed, it is removed instead, the saved file stays, and the
// reason is returned.
SystemError CommitPendingFile(FileHandle file, const std::string& hostPath);
