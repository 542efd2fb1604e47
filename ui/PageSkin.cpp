#include "ui/PageSkin.h"

#include "optionfiles/OptionScript.h"
#include "settings/SettingNames.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

}  // namespace

CPageSkin::CPageSkin(int templateId, const PageLook& look) : CPropertyPage(templateId), look_(look)
{
    brush_.CreateSolidBrush(kWhite);
}

bool CPageSkin::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    background_.LoadBitmap(look_.pictureId);
    BITMAP picture;
    if (background_.GetBitmap(&picture)) {
        pictureWidth_ = picture.bmWidth;
        pictureHeight_ = picture.bmHeight;
    }
    UpdateControls();
    SetupToolTips();
    initialised_ = true;
    return true;
}

bool CPageSkin::PreTranslateMessage(MSG* message)
{
    toolTip_.RelayEvent(message);
    return CPropertyPage::PreTranslateMessage(message);
}

// The picture goes over the background the page brush has painted; the
// controls paint themselves on top.
void CPageSkin::OnPaint()
{
    CPaintDC paint(hwnd_);
    CMemoryDC memory(paint);
    if (background_.GetSafeHandle() != nullptr)
        SelectObject(memory, background_.GetSafeHandle());
    BitBlt(paint, look_.pictureX, look_.pictureY, pictureWidth_, pictureHeight_, memory, 0, 0,
           SRCCOPY);
}

HBRUSH CPageSkin::OnCtlColor(HDC dc, HWND, UINT)
{
    SetTextColor(dc, kBlack);
    if (look_.textBackground == PageLook::TextBackground::kWhite)
        SetBkColor(dc, kWhite);
    else
        SetBkMode(dc, TRANSPARENT);
    return brush_;
}

void CPageSkin::CreateToolTip() { toolTip_.Create(hwnd_, 0); }

void CPageSkin::AddToolTip(const CWnd& control, int nameIndex)
{
    toolTip_.AddTool(control.GetSafeHwnd(), g_optionScript.GetMessageText(SettingName(nameIndex)));
}
