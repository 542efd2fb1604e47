#include "SheetWatch.h"

namespace launch {

namespace {

// Short enough to add little to a launch of half a second, long enough to
// leave the measured program the processor.
constexpr DWORD kPollMs = 5;

HWND FindShownWindow(DWORD processId, const char* caption)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, nullptr, caption)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

bool Answers(HWND window, DWORD timeoutMs)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) != 0;
}

bool WaitsForPaint(HWND window) { return IsWindowVisible(window) && GetUpdateRect(window, nullptr, FALSE); }

BOOL CALLBACK FindUnpainted(HWND child, LPARAM found)
{
    if (!WaitsForPaint(child))
        return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

bool FullyPainted(HWND sheet)
{
    bool unpainted = WaitsForPaint(sheet);
    if (!unpainted)
        EnumChildWindows(sheet, &FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

bool HasEnded(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }

}  // namespace

HWND WaitForVisibleSheet(HANDLE process, DWORD processId, const char* caption, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs || HasEnded(process))
            return nullptr;
        HWND sheet = FindShownWindow(processId, caption);
        if (sheet != nullptr && Answers(sheet, timeoutMs - elapsed) && FullyPainted(sheet))
            return sheet;
        Sleep(kPollMs);
    }
}

void CancelSheet(HWND sheet)
{
    if (HWND cancel = GetDlgItem(sheet, IDCANCEL))
        PostMessageA(cancel, BM_CLICK, 0, 0);
    else
        PostMessageA(sheet, WM_CLOSE, 0, 0);
}

}  // namespace launch
