#pragma once

#include <string>
#include <vector>

// Windows virtualizes an old 32-bit program: one without a manifest of its
// own, run without elevation, that writes where only administrators may.
// Its writes to a protected folder land in the user's virtual store, at
// the folder's path without its drive, and it reads that per-user copy
// first from then on. Setup runs elevated and is never virtualized, so it
// has to look for the copies the client reads.

// The per-user copy of path (a full path, "C:\..." ) in the virtual store
// under localAppData, when path lies in one of the protected folders; ""
// when it does not, or there is no store. Names match without regard to
// case, as on Windows.
std::string VirtualStorePathOf(const std::string& path, const std::vector<std::string>& protectedFolders,
                               const std::string& localAppData);

// The per-user copy of the current folder (the client folder) for the user
// the tool runs as; "" where there is none: outside the protected folders,
// or on a host that does not virtualize.
std::string PerUserCopyOfCurrentFolder();
