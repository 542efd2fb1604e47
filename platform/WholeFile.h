#pragma once

#include <cstdio>
#include <string>

#include "platform/SystemError.h"

// Files the tool writes replace the old file only once they are complete:
// written to a side file, flushed to disk, then moved over the old one.

// Flushes the C buffer and the system's cache, so that a file moved into
// place is whole on disk; true when every write on file succeeded.
bool FlushToDisk(std::FILE* file);

// Moves from over to, replacing it.
SystemError MoveOver(const std::string& from, const std::string& to);

// Writes bytes to path whole or not at all, through the side file
// path + ".new", which no failure leaves behind.
SystemError ReplaceWhole(const std::string& path, const std::string& bytes);
