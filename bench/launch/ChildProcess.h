#pragma once

#include <windows.h>

#include <string>

namespace launch {

// A program started in a folder; ended, if still running, and closed on
// destruction.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::string& folder);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    HANDLE Handle() const { return info_.hProcess; }
    DWORD Id() const { return info_.dwProcessId; }
    // True when the process ended within timeoutMs.
    bool WaitForEnd(DWORD timeoutMs) const;

private:
    PROCESS_INFORMATION info_ = {};
};

}  // namespace launch
