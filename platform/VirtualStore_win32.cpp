#include "platform/VirtualStore.h"

#include <windows.h>
#include <shlobj.h>

namespace {

std::string KnownFolder(int csidl)
{
    char path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : "";
}

// The 64-bit Program Files, which a 32-bit process finds only here.
std::string ProgramFiles64()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("ProgramW6432", path, sizeof path);
    return length > 0 && length < sizeof path ? path : "";
}

// The current folder in full, with long names: a short name ("PROGRA~2")
// would not match the protected folder it lies in.
std::string CurrentFolder()
{
    char current[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(sizeof current, current);
    if (length == 0 || length >= sizeof current)
        return {};
    char full[MAX_PATH] = {};
    const DWORD longLength = GetLongPathNameA(current, full, sizeof full);
    return longLength > 0 && longLength < sizeof full ? full : current;
}

}  // namespace

// The folders Windows virtualizes for an old program: Program Files (both
// of a 64-bit Windows) and the Windows folder.
std::string PerUserCopyOfCurrentFolder()
{
    const std::vector<std::string> protectedFolders = {
        KnownFolder(CSIDL_PROGRAM_FILES), KnownFolder(CSIDL_PROGRAM_FILESX86), ProgramFiles64(),
        KnownFolder(CSIDL_WINDOWS)};
    return VirtualStorePathOf(CurrentFolder(), protectedFolders, KnownFolder(CSIDL_LOCAL_APPDATA));
}
