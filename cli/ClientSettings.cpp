#include "cli/ClientSettings.h"

#include "cli/Commands.h"
#include "platform/SystemError.h"
#include "session/SessionStart.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

ClientSettings::~ClientSettings()
{
    if (!created_)
        return;
    EndSession();
}

bool ClientSettings::Read(SetupSession::Access access, std::string& error, EnumerationLog* log)
{
    created_ = StartSession(access, &displayResult_, log);
    if (!created_)
        error = kRecordNotCreated;
    return created_;
}

int ReadClientSettings(ClientSettings& client, EnumerationLog* log)
{
    std::string error;
    if (!client.Read(SetupSession::Access::kReadOnly, error, log))
        return Fail(kExitFailed, error);
    return kExitDone;
}

std::string CurrentFolder()
{
    char path[4096] = {};
#ifdef _WIN32
    const DWORD length = GetCurrentDirectoryA(sizeof path, path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
#else
    return getcwd(path, sizeof path) != nullptr ? std::string(path) : std::string();
#endif
}

bool EnterClientFolder(const std::string& folder, std::string& error)
{
    if (folder.empty())
        return true;
#ifdef _WIN32
    const bool entered = SetCurrentDirectoryA(folder.c_str()) != 0;
#else
    const bool entered = chdir(folder.c_str()) == 0;
#endif
    if (!entered)
        error = "cannot use " + folder + " as the client folder: " + DescribeSystemError(LastSystemError());
    return entered;
}
