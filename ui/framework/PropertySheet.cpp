#include "ui/framework/PropertySheet.h"

#include <commctrl.h>

#include "ui/framework/Dpi.h"
#include "ui/framework/MessageMap.h"

CPropertySheet::CPropertySheet(const char* caption, HWND parent, UINT startPage)
    : caption_(caption != nullptr ? caption : ""), parent_(parent), startPage_(startPage)
{
}

CPropertySheet::~CPropertySheet() { DestroyWindow(); }

void CPropertySheet::AddPage(CPropertyPage* page) { pages_.push_back(page); }

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    if (index < 0 || index >= GetPageCount())
        return nullptr;
    return pages_[static_cast<size_t>(index)];
}

INT_PTR CPropertySheet::DoModal()
{
    if (!Create())
        return -1;
    RunModalLoop();
    INT_PTR result = PropSheet_GetResult(hwnd_) > 0 ? IDOK : IDCANCEL;
    DestroyWindow();
    return result;
}

bool CPropertySheet::Create()
{
    // The pages' templates name track bars and the pages make tooltips.
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);

    std::vector<PROPSHEETPAGEA> descriptions;
    for (CPropertyPage* page : pages_)
        descriptions.push_back(page->Describe());

    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = flags_ | PSH_PROPSHEETPAGE | PSH_MODELESS;
    header.hwndParent = parent_;
    header.hInstance = GetModuleHandleA(nullptr);
    header.pszCaption = caption_.c_str();
    header.nPages = static_cast<UINT>(descriptions.size());
    header.nStartPage = startPage_;
    header.ppsp = descriptions.data();
    if (iconId_ != 0) {
        header.dwFlags |= PSH_USEICONID;
        header.pszIcon = MAKEINTRESOURCEA(iconId_);
    }

    // A modal sheet keeps its owner out of reach while it runs.
    reenableParent_ = parent_ != nullptr && IsWindowEnabled(parent_);
    if (reenableParent_)
        EnableWindow(parent_, FALSE);

    hwnd_ = reinterpret_cast<HWND>(PropertySheetA(&header));
    if (hwnd_ == nullptr || hwnd_ == reinterpret_cast<HWND>(-1)) {
        hwnd_ = nullptr;
        DestroyWindow();
        return false;
    }
    SetWindowSubclass(hwnd_, &CPropertySheet::SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
    dpi_ = WindowDpi(hwnd_);
    layout_ = CDpiLayout();
    KeepDpiChangesToOurselves(hwnd_);
    ShowLargeIcon();
    OnInitDialog();
    return true;
}

// The platform gives the sheet the small size of its icon only; the taskbar
// and Alt+Tab show the large one. A shared icon is the system's to free.
void CPropertySheet::ShowLargeIcon() const
{
    if (iconId_ == 0)
        return;
    HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId_), IMAGE_ICON,
                             GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED);
    if (icon != nullptr)
        SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

bool CPropertySheet::HasEnded() const
{
    return hwnd_ == nullptr || !IsWindow(hwnd_) || PropSheet_GetCurrentPageHwnd(hwnd_) == nullptr;
}

void CPropertySheet::RunModalLoop()
{
    MSG message;
    while (!HasEnded()) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the caller's loop
            return;
        }
        if (got < 0)
            return;
        if (PreTranslateMessage(&message))
            continue;
        if (PropSheet_IsDialogMessage(hwnd_, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void CPropertySheet::DestroyWindow()
{
    if (reenableParent_) {
        EnableWindow(parent_, TRUE);
        reenableParent_ = false;
    }
    if (hwnd_ != nullptr && IsWindow(hwnd_)) {
        RemoveWindowSubclass(hwnd_, &CPropertySheet::SubclassProc, 0);
        ::DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
}

bool CPropertySheet::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

// Every window is laid out from where it stood at the first scale, so that
// returning to it restores the layout exactly.
void CPropertySheet::OnDpiChanged(UINT dpi, const RECT& suggested)
{
    if (hwnd_ == nullptr || dpi == 0)
        return;
    if (!layout_.IsRecorded()) {
        CreateEveryPage();
        layout_.Record(hwnd_, dpi_);
    }
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    layout_.Apply(dpi);
    dpi_ = dpi;
    for (CPropertyPage* page : pages_)
        if (page->GetSafeHwnd() != nullptr)
            page->OnDpiChanged(dpi);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void CPropertySheet::CreateEveryPage() const
{
    const int shown = PropSheet_HwndToIndex(hwnd_, PropSheet_GetCurrentPageHwnd(hwnd_));
    bool created = false;
    for (int i = 0; i < GetPageCount(); ++i) {
        if (pages_[static_cast<size_t>(i)]->GetSafeHwnd() == nullptr) {
            PropSheet_SetCurSel(hwnd_, nullptr, i);
            created = true;
        }
    }
    if (created && shown >= 0)
        PropSheet_SetCurSel(hwnd_, nullptr, shown);
}

// Offers the message to the page that it is addressed to, directly or
// through one of the page's controls.
bool CPropertySheet::PreTranslateMessage(MSG* message)
{
    for (CPropertyPage* page : pages_) {
        HWND pageWindow = page->GetSafeHwnd();
        if (pageWindow == nullptr)
            continue;
        if (message->hwnd == pageWindow || IsChild(pageWindow, message->hwnd))
            return page->PreTranslateMessage(message);
    }
    return false;
}

LRESULT CALLBACK CPropertySheet::SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR, DWORD_PTR self)
{
    auto* sheet = reinterpret_cast<CPropertySheet*>(self);
    if (message == WM_DPICHANGED && lParam != 0) {
        sheet->OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
    LRESULT result = 0;
    if (sheet->OnWindowMessage(message, wParam, lParam, result)) {
        // A control-colour answer without a brush leaves the platform's colours.
        if (!(IsCtlColorMessage(message) && result == 0))
            return result;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}
