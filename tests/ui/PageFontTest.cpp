// Page templates shown in the sheet's font.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "FrameworkPages.h"
#include "ui/framework/PageFont.h"

namespace {

std::vector<uint8_t> TemplateBytes(int id)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), RT_DIALOG);
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    return std::vector<uint8_t>(data, data + SizeofResource(module, found));
}

INT_PTR CALLBACK KeepDefaults(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(PageFont, TheCopyCarriesTheNewFontAndEveryControl)
{
    std::vector<uint8_t> original = TemplateBytes(IDD_FIRST_TEST_PAGE);
    std::vector<uint8_t> copy = WithFont(original.data(), original.size(), 12, L"Courier New");
    ASSERT_FALSE(copy.empty());

    HWND parent = CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND dialog = CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                             reinterpret_cast<const DLGTEMPLATE*>(copy.data()),
                                             parent, &KeepDefaults, 0);
    ASSERT_NE(dialog, nullptr);
    char title[32] = {};
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_STREQ(title, "First");
    for (int id : {IDC_TEST_CHECK, IDC_TEST_COMBO, IDC_TEST_SLIDER})
        EXPECT_NE(GetDlgItem(dialog, id), nullptr) << id;
    char text[32] = {};
    GetDlgItemTextA(dialog, IDC_TEST_CHECK, text, sizeof text);
    EXPECT_STREQ(text, "Check");

    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, "Courier New");
    DestroyWindow(parent);
}

TEST(PageFont, ATruncatedOrForeignTemplateGivesNoCopy)
{
    std::vector<uint8_t> original = TemplateBytes(IDD_FIRST_TEST_PAGE);
    for (size_t length : {size_t(0), size_t(10), size_t(27), size_t(60)})
        EXPECT_TRUE(WithFont(original.data(), length, 8, L"MS Shell Dlg").empty()) << length;
    std::vector<uint8_t> notExtended = original;
    notExtended[2] = 0;  // no 0xFFFF signature: a plain DLGTEMPLATE
    EXPECT_TRUE(WithFont(notExtended.data(), notExtended.size(), 8, L"MS Shell Dlg").empty());
    EXPECT_TRUE(WithFont(nullptr, 100, 8, L"MS Shell Dlg").empty());
}

}  // namespace
