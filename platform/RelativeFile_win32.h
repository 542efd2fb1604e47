#pragma once

#include <string>

#include <windows.h>

#include "platform/SystemError.h"

// Files named relative to an open folder's handle, as the system's own file
// calls take them (OBJECT_ATTRIBUTES.RootDirectory): whatever now stands at
// the folder's path, they reach only the folder that handle holds.

// How a file is opened: the access it asks for, whom it shares with, and
// whether it must be new (FILE_CREATE) or already there (FILE_OPEN).
struct RelativeOpen {
    ACCESS_MASK access;
    ULONG share;
    ULONG disposition;
};

// Opens name in folder, never a folder and never through a link: a link
// is opened itself. INVALID_HANDLE_VALUE on failure, with error set.
HANDLE OpenRelative(HANDLE folder, const std::string& name, const RelativeOpen& how, SystemError& error);

// Gives the open file (opened with DELETE access) the name to in folder,
// replacing a file of that name.
SystemError RenameRelative(HANDLE file, HANDLE folder, const std::string& to);
