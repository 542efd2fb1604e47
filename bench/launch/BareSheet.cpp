// The least any program doing Setup's job can cost at launch, to compare
// Setup's launch with: one enumeration of the display devices, then a modal
// two-page sheet with Setup's caption. No scripts, no registry, no
// pictures, no tooltips.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include "BareSheet.h"
#include "display/DisplayDevice.h"

namespace {

INT_PTR CALLBACK BarePageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

PROPSHEETPAGEA BarePage(HINSTANCE instance, int templateId)
{
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEA(templateId);
    page.pfnDlgProc = &BarePageProc;
    return page;
}

}  // namespace

// Built a second time with Setup's own two page templates, to tell what the
// pages' controls cost at launch from what Setup adds to them.
#ifdef BARE_SHEET_WITH_SETUP_PAGES
#include "resource.h"
constexpr int kFirstPage = IDD_SYSTEM_PAGE;
constexpr int kSecondPage = IDD_OPTION_PAGE;
#else
constexpr int kFirstPage = IDD_BARE_FIRST_PAGE;
constexpr int kSecondPage = IDD_BARE_SECOND_PAGE;
#endif

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    BuildDisplayDeviceList(nullptr);

    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    PROPSHEETPAGEA pages[] = {BarePage(instance, kFirstPage), BarePage(instance, kSecondPage)};
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    header.hInstance = instance;
    header.pszCaption = "Korvane Setup";
    header.nPages = 2;
    header.ppsp = pages;
    PropertySheetA(&header);

    FreeDisplayDevices();
    return 0;
}
