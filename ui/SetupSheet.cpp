#include "ui/SetupSheet.h"

#include "res/resource.h"
#include "session/Defaults.h"
#include "settings/SettingsRecord.h"

namespace {

const int kHelpButton = IDHELP;
const int kApplyButton = 0x3021;
const int kButtonShift = -10;

}  // namespace

CSetupSheet::CSetupSheet(const char* caption, HWND parent, UINT startPage)
    : CPropertySheet(caption, parent, startPage)
{
    AddFlags(PSH_NOAPPLYNOW);  // the only place: the sheet has no Apply button
    SetIcon(IDI_SETUP);
}

void CSetupSheet::AddPage(CPageSkin* page)
{
    if (pageCount_ < kPageCount)
        pages_[pageCount_++] = page;
    CPropertySheet::AddPage(page);
}

// The button row: OK and CANCEL move left to make room, DEFAULT takes the
// Help button's place and font, Help and Apply go.
bool CSetupSheet::OnInitDialog()
{
    bool result = CPropertySheet::OnInitDialog();
    MoveChildBy(IDOK, kButtonShift, 0);
    MoveChildBy(IDCANCEL, kButtonShift, 0);
    MoveChildBy(kHelpButton, kButtonShift, 0);
    KeepHelpPlaceInside();
    SetDlgItemTextA(hwnd_, IDOK, "OK");
    SetDlgItemTextA(hwnd_, IDCANCEL, "CANCEL");

    RECT place = ChildClientRect(kHelpButton);
    defaultButton_.Create("DEFAULT", WS_CHILD | WS_VISIBLE, place, hwnd_, IDC_DEFAULT);
    HWND help = GetDlgItem(kHelpButton);
    LRESULT font = help != nullptr ? SendMessageA(help, WM_GETFONT, 0, 0) : 0;
    defaultButton_.Send(WM_SETFONT, static_cast<WPARAM>(font), TRUE);

    RemoveChild(kHelpButton);
    RemoveChild(kApplyButton);
    return result;
}

// Wine leaves the hidden Help button beyond the window's right edge, where
// DEFAULT could not be seen or pressed; the row then moves one button left.
void CSetupSheet::KeepHelpPlaceInside() const
{
    RECT help = ChildClientRect(kHelpButton);
    RECT cancel = ChildClientRect(IDCANCEL);
    RECT client;
    GetClientRect(hwnd_, &client);
    if (IsRectEmpty(&help) || IsRectEmpty(&cancel) || help.right <= client.right)
        return;
    const int step = help.left - cancel.left;
    for (int id : {IDOK, IDCANCEL, kHelpButton})
        MoveChildBy(id, -step, 0);
}

// Pages not opened yet show the reset values when they are first opened.
void CSetupSheet::OnDefault()
{
    ApplyDefaults();
    for (int i = 0; i < pageCount_; ++i)
        if (pages_[i]->IsInitialised())
            pages_[i]->UpdateControls();
}

HBRUSH CSetupSheet::OnCtlColor(HDC dc, HWND, UINT)
{
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    return brush_;
}

void CSetupSheet::MoveChildBy(int id, int dx, int dy) const
{
    HWND child = GetDlgItem(id);
    if (child == nullptr)
        return;
    RECT place = ChildClientRect(id);
    MoveWindow(child, place.left + dx, place.top + dy, place.right - place.left,
               place.bottom - place.top, TRUE);
}

RECT CSetupSheet::ChildClientRect(int id) const
{
    RECT screen = {0, 0, 0, 0};
    HWND child = GetDlgItem(id);
    if (child == nullptr)
        return screen;
    GetWindowRect(child, &screen);
    POINT origin = {screen.left, screen.top};
    ScreenToClient(hwnd_, &origin);
    return {origin.x, origin.y, origin.x + (screen.right - screen.left),
            origin.y + (screen.bottom - screen.top)};
}

void CSetupSheet::RemoveChild(int id) const
{
    if (HWND child = GetDlgItem(id))
        ::DestroyWindow(child);
}

using SheetMap = MessageMap<CSetupSheet>;
const SheetMap::Entry CSetupSheet::kMessageMap[] = {
    SheetMap::CtlColor(&CSetupSheet::OnCtlColor),
    SheetMap::Clicked(IDC_DEFAULT, &CSetupSheet::OnDefault),
};

bool CSetupSheet::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    return RouteMessage(*this, kMessageMap, message, wParam, lParam, result);
}
