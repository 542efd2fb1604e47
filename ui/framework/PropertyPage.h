#pragma once

#include <windows.h>
#include <prsht.h>

#include <cstdint>
#include <vector>

#include "ui/framework/Wnd.h"

// One page of a property sheet, built from a dialog template of the program.
// Its window exists from the first time its tab is shown until the sheet
// closes; the object itself outlives the sheet's run.
class CPropertyPage : public CWnd {
public:
    explicit CPropertyPage(int templateId);
    virtual ~CPropertyPage() = default;
    CPropertyPage(const CPropertyPage&) = delete;
    CPropertyPage& operator=(const CPropertyPage&) = delete;

    // What the sheet hands to the platform for this page: its template in
    // the sheet's font, which must stay as it is while the sheet runs.
    PROPSHEETPAGEA Describe();

    // Runs for each queued message addressed to the page or one of its
    // controls before it is dispatched; true swallows the message.
    virtual bool PreTranslateMessage(MSG* message);

    // The sheet has laid the page's controls out for a new scale.
    virtual void OnDpiChanged(UINT /*dpi*/) {}

protected:
    // Binds the control wrappers to the template's controls.
    virtual void DoDataExchange() {}
    // Dialog initialisation: binds the controls; true lets the platform
    // choose the focus.
    virtual bool OnInitDialog();
    // The apply step, run when the sheet's OK is pressed.
    virtual void OnOK() {}
    // The page's message map: true when it handled the message.
    virtual bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    void DDX_Control(int id, CWnd& control) const { control.Attach(GetDlgItem(id)); }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    std::vector<uint8_t> shownTemplate_;
};
