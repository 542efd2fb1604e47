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
    toolTipKeys_.push_back({control.GetSafeHwnd(), nameIndex});
    toolTip_.AddTool(control.GetSafeHwnd(), LPSTR_TEXTCALLBACKA);
}

// The text may be longer than the request's own 80 characters: it stays in
// the page's buffer until the next request. An empty text shows no tooltip.
void CPageSkin::OnToolTipText(NMHDR* header, LRESULT* result)
{
    *result = 0;
    if (header->hwndFrom != toolTip_.GetSafeHwnd())
        return;
    auto* request = reinterpret_cast<NMTTDISPINFOA*>(header);
    request->hinst = nullptr;
    request->szText[0] = '\0';
    request->lpszText = request->szText;
    for (const ToolTipKey& key : toolTipKeys_) {
        if (reinterpret_cast<HWND>(header->idFrom) == key.control) {
            toolTipText_ = g_optionScript.GetMessageText(SettingName(key.nameIndex));
            request->lpszText = toolTipText_.data();
            return;
        }
    }
}
