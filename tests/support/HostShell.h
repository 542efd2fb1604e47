#pragma once

#include <filesystem>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

// The host's own shell, for what a Windows program under Wine cannot do
// itself: make a symbolic link of the file system, as a user of the save
// folder would (Wine offers no call that makes one).
namespace host {

#ifdef _WIN32
// The host's path of a file under Wine, from Wine's own kernel32.
inline std::string PathOf(const std::filesystem::path& path)
{
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName == nullptr)
        return std::string();
    char* name = unixName(std::filesystem::absolute(path).wstring().c_str());
    const std::string found = name != nullptr ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return found;
}

// Runs script (no double quotes in it) with /bin/sh; true when it exited 0.
// Wine gives no handle of a host process to wait on: the script leaves its
// exit code in a file of its own, which is waited for instead.
inline bool Shell(const std::string& script)
{
    const std::filesystem::path done =
        std::filesystem::temp_directory_path() / ("host-shell-" + std::to_string(GetTickCount64()) + "-" +
                                                  std::to_string(GetCurrentProcessId()));
    const std::string doneOnHost = PathOf(done);
    std::string line = "/bin/sh -c \"(" + script + "); echo $? > '" + doneOnHost + ".part' && mv '" +
                       doneOnHost + ".part' '" + doneOnHost + "'\"";
    STARTUPINFOA start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION process{};
    if (doneOnHost.empty() ||
        !CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process))
        return false;
    for (int waited = 0; waited < 60000 && !std::filesystem::exists(done); waited += 20)
        Sleep(20);
    std::ifstream code(done);
    int exitCode = -1;
    code >> exitCode;
    code.close();
    std::error_code ignored;
    std::filesystem::remove(done, ignored);
    return exitCode == 0;
}
#else
inline std::string PathOf(const std::filesystem::path& path)
{
    return std::filesystem::absolute(path).string();
}

inline bool Shell(const std::string& script)
{
    const pid_t child = fork();
    if (child == 0) {
        execl("/bin/sh", "sh", "-c", script.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
#endif

// A symbolic link at link to target, made by the host.
inline bool Link(const std::filesystem::path& target, const std::filesystem::path& link)
{
    return Shell("ln -s '" + PathOf(target) + "' '" + PathOf(link) + "'");
}

}  // namespace host
