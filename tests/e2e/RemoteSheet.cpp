#include "RemoteSheet.h"

#include <commctrl.h>
#include <prsht.h>

namespace remote {

Process::Process(const std::string& program, const std::string& folder)
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

Process::~Process()
{
    if (info_.hProcess == nullptr)
        return;
    if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

long Process::Wait(DWORD timeoutMs)
{
    if (info_.hProcess == nullptr || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
}

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(text) == search->caption &&
        (search->className == nullptr || std::string(className) == search->className)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND WaitForWindow(DWORD processId, const char* className, const char* caption, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        WindowSearch search = {processId, className, caption, nullptr};
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

HWND CurrentPage(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }

void ShowPage(HWND sheet, int index) { PropSheet_SetCurSel(sheet, nullptr, index); }

std::vector<std::string> ComboLines(HWND combo)
{
    std::vector<std::string> lines;
    int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t wide[128] = {};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
        char narrow[128] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
        lines.push_back(narrow);
    }
    return lines;
}

void Choose(HWND combo, int line)
{
    SendMessageA(combo, CB_SETCURSEL, line, 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

void PostClick(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

bool AnswerSetupQuestion(DWORD processId, int button, DWORD timeoutMs)
{
    std::string ignored;
    return AnswerSetupQuestion(processId, button, timeoutMs, ignored);
}

namespace {

std::string WindowTextOf(HWND window)
{
    wchar_t wide[2048] = {};
    SendMessageW(window, WM_GETTEXT, sizeof wide / sizeof wide[0], reinterpret_cast<LPARAM>(wide));
    char narrow[2048] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

// A message box names its text control 0xFFFF on Windows, 100 under Wine.
std::string BoxText(HWND box)
{
    HWND text = GetDlgItem(box, 0xFFFF);
    return WindowTextOf(text != nullptr ? text : GetDlgItem(box, 100));
}

}  // namespace

bool AnswerSetupQuestion(DWORD processId, int button, DWORD timeoutMs, std::string& question)
{
    HWND box = WaitForWindow(processId, "#32770", "Setup", timeoutMs);
    if (box == nullptr)
        return false;
    question = BoxText(box);
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    // A box that follows has the same caption: let this one go first.
    const DWORD start = GetTickCount();
    while (IsWindow(box) && GetTickCount() - start < timeoutMs)
        Sleep(20);
    return true;
}

MessageBoxSeen ReadAndCloseSetupBox(DWORD processId, DWORD timeoutMs)
{
    MessageBoxSeen seen;
    HWND box = WaitForWindow(processId, "#32770", "Setup", timeoutMs);
    if (box == nullptr)
        return seen;
    seen.found = true;
    seen.text = BoxText(box);
    seen.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON && (style & WS_VISIBLE) &&
            SendMessageA(child, STM_GETICON, 0, 0) != 0)
            seen.hasIcon = true;
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return seen;
}

std::string SelectedLine(HWND combo)
{
    int line = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    std::vector<std::string> lines = ComboLines(combo);
    return line >= 0 && line < static_cast<int>(lines.size()) ? lines[static_cast<size_t>(line)] : "";
}

}  // namespace remote
