#pragma once

#include <windows.h>
#include <commctrl.h>

#include "ui/framework/Wnd.h"

// Thin wrappers over the common controls: each method is one message to the
// control. They borrow the control's window; the dialog that holds the
// control destroys it.

class CButton : public CWnd {
public:
    // A child button of parent; the parent destroys it with itself.
    bool Create(const char* text, DWORD style, const RECT& rect, HWND parent, int id)
    {
        hwnd_ = CreateWindowExA(0, "BUTTON", text, style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr);
        return hwnd_ != nullptr;
    }
    int GetCheck() const { return static_cast<int>(Send(BM_GETCHECK)); }
    void SetCheck(int state) const { Send(BM_SETCHECK, static_cast<WPARAM>(state)); }
};

class CComboBox : public CWnd {
public:
    void ResetContent() const { Send(CB_RESETCONTENT); }
    int AddString(const char* text) const
    {
        return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
    }
    // A position outside the list clears the selection.
    void SetCurSel(int position) const { Send(CB_SETCURSEL, static_cast<WPARAM>(position)); }
    int GetCurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
};

class CSliderCtrl : public CWnd {
public:
    void SetRange(int low, int high, bool redraw = false) const
    {
        Send(TBM_SETRANGE, redraw, MAKELPARAM(low, high));
    }
    // The track bar keeps the position inside its range.
    void SetPos(int position, bool redraw = true) const
    {
        Send(TBM_SETPOS, redraw, static_cast<LPARAM>(position));
    }
    int GetPos() const { return static_cast<int>(Send(TBM_GETPOS)); }
};

class CToolTipCtrl : public CWnd {
public:
    // The tooltip window is owned by parent and destroyed with it.
    bool Create(HWND parent, DWORD style = 0)
    {
        hwnd_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        return hwnd_ != nullptr;
    }
    // Registers the whole window of control as a tool; the tooltip copies
    // text. With LPSTR_TEXTCALLBACKA it asks the control's parent instead
    // (TTN_GETDISPINFOA) each time it is about to show the tool's text.
    bool AddTool(HWND control, const char* text) const
    {
        TOOLINFOA info = {};
        info.cbSize = sizeof info;
        info.uFlags = TTF_IDISHWND;
        info.hwnd = GetParent(control);
        info.uId = reinterpret_cast<UINT_PTR>(control);
        info.hinst = GetModuleHandleA(nullptr);
        info.lpszText = const_cast<char*>(text);
        return Send(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    }
    // Lets the tooltip see a message before it is dispatched.
    void RelayEvent(MSG* message) const
    {
        if (hwnd_ != nullptr)
            Send(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(message));
    }
};
