#include "ChildProcess.h"

#include <vector>

namespace launch {

ChildProcess::ChildProcess(const std::string& program, const std::string& folder)
{
    std::string commandLine = "\"" + program + "\"";
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info_))
        info_ = {};
}

ChildProcess::~ChildProcess()
{
    if (info_.hProcess == nullptr)
        return;
    if (!WaitForEnd(0)) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool ChildProcess::WaitForEnd(DWORD timeoutMs) const
{
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

}  // namespace launch
