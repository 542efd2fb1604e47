#pragma once

#include <windows.h>
#include <prsht.h>

#include <string>
#include <vector>

#include "ui/framework/DpiLayout.h"
#include "ui/framework/PropertyPage.h"
#include "ui/framework/Wnd.h"

// A property sheet run modally by a message loop of our own, so that each
// page sees its queued messages first (PreTranslateMessage). A page's window
// is created when its tab is first shown; OK applies every page whose window
// exists, Cancel and closing apply none. The sheet window is subclassed so
// that the sheet answers messages through its own message map.
class CPropertySheet : public CWnd {
public:
    CPropertySheet(const char* caption, HWND parent, UINT startPage);
    virtual ~CPropertySheet();
    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;

    // Pages are shown in the order added; the sheet does not own them.
    void AddPage(CPropertyPage* page);
    // Adds header flags (PSH_NOAPPLYNOW, ...).
    void AddFlags(DWORD flags) { flags_ |= flags; }
    DWORD Flags() const { return flags_; }
    // The icon resource of the sheet's caption and taskbar button.
    void SetIcon(UINT iconId) { iconId_ = iconId; }

    // Creates the sheet, runs it until it ends, destroys it; IDOK or IDCANCEL.
    INT_PTR DoModal();

    // The parts of DoModal, for whoever drives the sheet from outside.
    bool Create();
    // Runs until OK, Cancel or closing ends the sheet.
    void RunModalLoop();
    // True once OK, Cancel or closing has ended the sheet.
    bool HasEnded() const;
    void DestroyWindow();

    int GetPageCount() const { return static_cast<int>(pages_.size()); }
    CPropertyPage* GetPage(int index) const;

    // The sheet has moved to a monitor of another scale (WM_DPICHANGED): it
    // takes the suggested rectangle and lays out everything on it for dpi.
    void OnDpiChanged(UINT dpi, const RECT& suggested);

protected:
    // Runs once, right after the platform has created the sheet window.
    virtual bool OnInitDialog() { return true; }
    // The sheet's message map: true when it handled the message.
    virtual bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    bool PreTranslateMessage(MSG* message);
    void ShowLargeIcon() const;
    // Pages are created when first shown; a change of scale needs them all.
    void CreateEveryPage() const;

    std::string caption_;
    HWND parent_;
    UINT startPage_;
    DWORD flags_ = 0;
    UINT iconId_ = 0;
    std::vector<CPropertyPage*> pages_;
    bool reenableParent_ = false;
    UINT dpi_ = 0;
    CDpiLayout layout_;
};
