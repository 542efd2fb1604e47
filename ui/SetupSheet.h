#pragma once

#include "ui/PageSkin.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Gdi.h"
#include "ui/framework/MessageMap.h"
#include "ui/framework/PropertySheet.h"

// The tool's one window: the System and Option pages over a button row of
// "OK", "CANCEL" and "DEFAULT". DEFAULT resets every setting and shows the
// reset values on the pages that exist.
class CSetupSheet : public CPropertySheet {
public:
    static constexpr int kPageCount = 2;

    CSetupSheet(const char* caption, HWND parent, UINT startPage);

    // Adds the System page (first) or the Option page (second).
    void AddPage(CPageSkin* page);

    void OnDefault();

protected:
    bool OnInitDialog() override;
    bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message);

    void MoveChildBy(int id, int dx, int dy) const;
    void KeepHelpPlaceInside() const;
    // The child's rectangle in client coordinates; empty when there is none.
    RECT ChildClientRect(int id) const;
    void RemoveChild(int id) const;

    // Never given a brush: the sheet's own children keep the platform's colours.
    CBrush brush_;
    CButton defaultButton_;
    CPageSkin* pages_[kPageCount] = {};
    int pageCount_ = 0;

    static const MessageMap<CSetupSheet>::Entry kMessageMap[];
};
