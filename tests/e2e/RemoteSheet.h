#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Works the sheet of another process (Setup.exe) through its windows, as a
// player would: only window messages, no pointers into the other process.
namespace remote {

// A program started in a folder; ended and closed on destruction.
class Process {
public:
    Process(const std::string& program, const std::string& folder);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool started() const { return info_.hProcess != nullptr; }
    DWORD id() const { return info_.dwProcessId; }
    HANDLE handle() const { return info_.hProcess; }
    // The exit code, or -1 when it did not end within timeoutMs.
    long Wait(DWORD timeoutMs);

private:
    PROCESS_INFORMATION info_ = {};
};

// The top-level window of process with this caption and class (any class
// when null), waiting at most timeoutMs; null when none appeared.
HWND WaitForWindow(DWORD processId, const char* className, const char* caption, DWORD timeoutMs);

// The page the sheet shows (PSM_GETCURRENTPAGEHWND).
HWND CurrentPage(HWND sheet);
void ShowPage(HWND sheet, int index);

// A combo box's lines. The A form of CB_GETLBTEXT comes back cut under Wine
// across processes; the W form does not.
std::vector<std::string> ComboLines(HWND combo);
// Selects a line and tells the page, as the player's choice does.
void Choose(HWND combo, int line);
// Queues a click, so the caller is not held up by what the click opens.
void PostClick(HWND button);

// Waits for the "Setup" question of process and answers it with button.
bool AnswerSetupQuestion(DWORD processId, int button, DWORD timeoutMs);
// The same, and tells what it asked.
bool AnswerSetupQuestion(DWORD processId, int button, DWORD timeoutMs, std::string& question);

// The line a combo box shows as chosen, or "" when none is.
std::string SelectedLine(HWND combo);

// What a message box of another process shows.
struct MessageBoxSeen {
    bool found = false;
    std::string text;
    bool hasIcon = false;
    bool hasCancel = false;
};

// Waits for process's message box captioned "Setup", reads it and presses OK.
MessageBoxSeen ReadAndCloseSetupBox(DWORD processId, DWORD timeoutMs);

}  // namespace remote
