// The framework layer: sheet, pages, message maps, GDI wrappers, driven
// through real windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "FrameworkPages.h"
#include "UiDriver.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Gdi.h"
#include "ui/framework/MessageMap.h"
#include "ui/framework/PropertySheet.h"

namespace {

using ui_driver::Click;
using ui_driver::PumpMessages;

class TestPage : public CPropertyPage {
public:
    explicit TestPage(int templateId) : CPropertyPage(templateId) { brush.CreateSolidBrush(RGB(0, 255, 0)); }

    bool OnInitDialog() override
    {
        CPropertyPage::OnInitDialog();
        ++initialisations;
        return true;
    }
    void DoDataExchange() override
    {
        DDX_Control(IDC_TEST_CHECK, check);
        DDX_Control(IDC_TEST_COMBO, combo);
        DDX_Control(IDC_TEST_SLIDER, slider);
    }
    void OnOK() override { ++applied; }
    bool PreTranslateMessage(MSG* message) override
    {
        preTranslated.push_back(message->message);
        return CPropertyPage::PreTranslateMessage(message);
    }
    bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    void OnCheck() { ++checkClicks; }
    void OnComboChange() { ++selectionChanges; }
    void OnSliderReleased(NMHDR*, LRESULT* result)
    {
        ++releases;
        *result = 0;
    }
    HBRUSH OnCtlColor(HDC, HWND, UINT message)
    {
        ctlColorMessages.push_back(message);
        return brush;
    }

    CButton check;
    CComboBox combo;
    CSliderCtrl slider;
    CBrush brush;
    int initialisations = 0, applied = 0, checkClicks = 0, selectionChanges = 0, releases = 0;
    std::vector<UINT> preTranslated, ctlColorMessages;

    static const MessageMap<TestPage>::Entry kMessageMap[];
};

using Map = MessageMap<TestPage>;
const Map::Entry TestPage::kMessageMap[] = {
    Map::Clicked(IDC_TEST_CHECK, &TestPage::OnCheck),
    Map::SelChange(IDC_TEST_COMBO, &TestPage::OnComboChange),
    Map::Notify(NM_RELEASEDCAPTURE, IDC_TEST_SLIDER, &TestPage::OnSliderReleased),
    Map::CtlColor(&TestPage::OnCtlColor),
};

bool TestPage::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    return RouteMessage(*this, kMessageMap, message, wParam, lParam, result);
}

class SheetTest : public ::testing::Test {
protected:
    SheetTest() : sheet("Framework Sheet", nullptr, 0)
    {
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        sheet.AddFlags(PSH_NOAPPLYNOW);
    }
    ~SheetTest() override { sheet.DestroyWindow(); }

    HWND Sheet() const { return sheet.GetSafeHwnd(); }
    HWND Button(int id) const { return GetDlgItem(Sheet(), id); }

    TestPage first{IDD_FIRST_TEST_PAGE};
    TestPage second{IDD_SECOND_TEST_PAGE};
    CPropertySheet sheet;
};

TEST_F(SheetTest, ShowsOneTabPerPageTitledLikeItsTemplateAndCreatesOnlyTheStartPage)
{
    ASSERT_TRUE(sheet.Create());
    EXPECT_EQ(ui_driver::WindowText(Sheet()), "Framework Sheet");
    HWND tabs = PropSheet_GetTabControl(Sheet());
    ASSERT_EQ(TabCtrl_GetItemCount(tabs), 2);
    char title[32] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = title;
    item.cchTextMax = sizeof title;
    SendMessageA(tabs, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(title, "Second");

    EXPECT_NE(first.GetSafeHwnd(), nullptr);
    EXPECT_EQ(first.initialisations, 1);
    EXPECT_EQ(second.GetSafeHwnd(), nullptr);

    PropSheet_SetCurSel(Sheet(), nullptr, 1);
    EXPECT_NE(second.GetSafeHwnd(), nullptr);
    EXPECT_EQ(second.initialisations, 1);
    EXPECT_FALSE(sheet.HasEnded());
}

TEST_F(SheetTest, OkAppliesEveryPageWhoseWindowExistsAndEndsTheSheet)
{
    ASSERT_TRUE(sheet.Create());
    Click(Button(IDOK));
    EXPECT_TRUE(sheet.HasEnded());
    EXPECT_EQ(first.applied, 1);
    EXPECT_EQ(second.applied, 0);  // never shown, so never created
}

TEST_F(SheetTest, OkAppliesBothPagesOnceBothWereShown)
{
    ASSERT_TRUE(sheet.Create());
    PropSheet_SetCurSel(Sheet(), nullptr, 1);
    Click(Button(IDOK));
    EXPECT_EQ(first.applied, 1);
    EXPECT_EQ(second.applied, 1);
}

TEST_F(SheetTest, CancelAndClosingEndTheSheetWithoutApplying)
{
    for (UINT how : {0u, 1u}) {
        CPropertySheet other("Framework Sheet", nullptr, 0);
        TestPage page(IDD_FIRST_TEST_PAGE);
        other.AddPage(&page);
        ASSERT_TRUE(other.Create());
        if (how == 0)
            Click(GetDlgItem(other.GetSafeHwnd(), IDCANCEL));
        else
            SendMessageA(other.GetSafeHwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
        PumpMessages();
        EXPECT_TRUE(other.HasEnded()) << how;
        EXPECT_EQ(page.applied, 0) << how;
    }
}

TEST_F(SheetTest, MessageMapDeliversClicksSelectionChangesAndReleasedCapture)
{
    ASSERT_TRUE(sheet.Create());
    Click(first.check.GetSafeHwnd());
    EXPECT_EQ(first.checkClicks, 1);
    EXPECT_EQ(first.check.GetCheck(), BST_CHECKED);

    first.combo.AddString("a");
    first.combo.AddString("b");
    first.combo.SetCurSel(1);
    SendMessageA(first.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_TEST_COMBO, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(first.combo.GetSafeHwnd()));
    EXPECT_EQ(first.selectionChanges, 1);
    EXPECT_EQ(first.combo.GetCurSel(), 1);

    NMHDR header = {first.slider.GetSafeHwnd(), IDC_TEST_SLIDER, static_cast<UINT>(NM_RELEASEDCAPTURE)};
    SendMessageA(first.GetSafeHwnd(), WM_NOTIFY, IDC_TEST_SLIDER, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ(first.releases, 1);
    EXPECT_EQ(first.checkClicks, 1);  // nothing else fired
}

TEST_F(SheetTest, ControlColourRequestsOfThePageGetItsBrush)
{
    ASSERT_TRUE(sheet.Create());
    HDC dc = GetDC(first.GetSafeHwnd());
    LRESULT brush = SendMessageA(first.GetSafeHwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(first.check.GetSafeHwnd()));
    ReleaseDC(first.GetSafeHwnd(), dc);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), first.brush.GetSafeHandle());
    EXPECT_NE(std::find(first.ctlColorMessages.begin(), first.ctlColorMessages.end(),
                        static_cast<UINT>(WM_CTLCOLORSTATIC)),
              first.ctlColorMessages.end());
}

TEST_F(SheetTest, ModalLoopOffersQueuedMessagesToTheirPageFirstAndEndsOnCancel)
{
    ASSERT_TRUE(sheet.Create());
    const UINT kProbe = WM_APP + 7;
    PostMessageA(first.check.GetSafeHwnd(), kProbe, 0, 0);
    PostMessageA(Sheet(), WM_COMMAND, IDCANCEL, 0);
    sheet.RunModalLoop();
    EXPECT_TRUE(sheet.HasEnded());
    EXPECT_NE(std::find(first.preTranslated.begin(), first.preTranslated.end(), kProbe),
              first.preTranslated.end());
    EXPECT_EQ(first.applied, 0);
}

struct OwnerProbe {
    HWND owner;
    bool enabledWhileRunning;
};
OwnerProbe ownerProbe;

// Runs inside the modal loop: notes the owner's state, then presses OK.
void CALLBACK PressOkOfOwnedSheet(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    ownerProbe.enabledWhileRunning = IsWindowEnabled(ownerProbe.owner) != FALSE;
    Click(GetDlgItem(FindWindowA(nullptr, "Owned"), IDOK));
}

TEST(ModalSheet, DoModalDisablesItsOwnerWhileRunningAndReturnsIdok)
{
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
    TestPage page(IDD_FIRST_TEST_PAGE);
    CPropertySheet sheet("Owned", owner, 0);
    sheet.AddPage(&page);
    ownerProbe = {owner, true};
    SetTimer(nullptr, 0, 10, &PressOkOfOwnedSheet);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_FALSE(ownerProbe.enabledWhileRunning);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(page.applied, 1);
    DestroyWindow(owner);
}

TEST(GdiObjects, OwningWrappersDeleteTheirObjects)
{
    HGDIOBJ brushHandle;
    {
        CBrush brush;
        ASSERT_TRUE(brush.CreateSolidBrush(RGB(255, 255, 255)));
        brushHandle = brush.GetSafeHandle();
        EXPECT_EQ(GetObjectType(brushHandle), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(GetObjectType(brushHandle), 0u);

    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(4242));
    BITMAP description;
    EXPECT_FALSE(missing.GetBitmap(&description));
}

}  // namespace
