#pragma once

#include <windows.h>

// A borrowed window handle: the wrapper never destroys the window, whose
// lifetime belongs to its parent (a dialog's controls) or to the platform.
class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND hwnd) : hwnd_(hwnd) {}

    void Attach(HWND hwnd) { hwnd_ = hwnd; }
    HWND Detach()
    {
        HWND hwnd = hwnd_;
        hwnd_ = nullptr;
        return hwnd;
    }
    HWND GetSafeHwnd() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }

    // The child with the given control id, or null.
    HWND GetDlgItem(int id) const { return hwnd_ != nullptr ? ::GetDlgItem(hwnd_, id) : nullptr; }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(hwnd_, message, wParam, lParam);
    }

protected:
    HWND hwnd_ = nullptr;
};
