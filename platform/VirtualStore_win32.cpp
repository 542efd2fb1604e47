#include "platform/VirtualStore.h"

#include <windows.h>

namespace {

// The folders come from the environment that Windows gives every process
// of the user from its known folders; no shell DLL is loaded for them.
std::string FromEnvironment(const char* name)
{
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(name, path, sizeof path);
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

// The folders Windows virtualizes for an old program: both Program Files
// of a 64-bit Windows (a 32-bit process finds the 64-bit one only as
// ProgramW6432) and the Windows folder.
std::string PerUserCopyOfCurrentFolder()
{
    const std::vector<std::string> protectedFolders = {FromEnvironment("ProgramFiles"),
                                                       FromEnvironment("ProgramFiles(x86)"),
                                                       FromEnvironment("ProgramW6432"), FromEnvironment("SystemRoot")};
    return VirtualStorePathOf(CurrentFolder(), protectedFolders, FromEnvironment("LOCALAPPDATA"));
}
