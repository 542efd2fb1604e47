#include "ui/framework/PropertyPage.h"

#include "ui/framework/Dpi.h"
#include "ui/framework/MessageMap.h"
#include "ui/framework/PageFont.h"

namespace {

// The page's dialog template in the sheet's font, or empty when the
// template cannot be read that way (the sheet then takes it as it is).
std::vector<uint8_t> TemplateInSheetFont(int templateId)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(templateId), RT_DIALOG);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr)
        return {};
    return WithFont(static_cast<const uint8_t*>(data), SizeofResource(module, found),
                    kSheetFontPoints, kSheetFontFace);
}

}  // namespace

CPropertyPage::CPropertyPage(int templateId) : templateId_(templateId) {}

PROPSHEETPAGEA CPropertyPage::Describe()
{
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = GetModuleHandleA(nullptr);
    page.pszTemplate = MAKEINTRESOURCEA(templateId_);
    shownTemplate_ = TemplateInSheetFont(templateId_);
    if (!shownTemplate_.empty()) {
        page.dwFlags |= PSP_DLGINDIRECT;
        page.pResource = reinterpret_cast<const DLGTEMPLATE*>(shownTemplate_.data());
    }
    page.pfnDlgProc = &CPropertyPage::DialogProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

bool CPropertyPage::PreTranslateMessage(MSG*) { return false; }

bool CPropertyPage::OnInitDialog()
{
    KeepDpiChangesToOurselves(hwnd_);
    DoDataExchange();
    return true;
}

bool CPropertyPage::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

INT_PTR CALLBACK CPropertyPage::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        const auto* description = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        auto* page = reinterpret_cast<CPropertyPage*>(description->lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
        page->Attach(hwnd);
        return page->OnInitDialog() ? TRUE : FALSE;
    }
    auto* page = reinterpret_cast<CPropertyPage*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (page == nullptr)
        return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        page->Detach();
        return FALSE;
    }
    return page->HandleMessage(message, wParam, lParam);
}

INT_PTR CPropertyPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == PSN_APPLY) {
        OnOK();
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
    }
    LRESULT result = 0;
    if (!OnWindowMessage(message, wParam, lParam, result))
        return FALSE;
    // A dialog procedure answers control-colour requests with the brush
    // itself; a null brush leaves the control to the default colours.
    if (IsCtlColorMessage(message))
        return static_cast<INT_PTR>(result);
    if (message == WM_NOTIFY)
        SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}
