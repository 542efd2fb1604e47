#include "ui/PageSkin.h"

#include <algorithm>
#include <cmath>

#include "optionfiles/OptionScript.h"
#include "settings/SettingNames.h"
#include "ui/framework/Dpi.h"
#include "ui/framework/PageFont.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

int Scaled(int length, double scale) { return static_cast<int>(std::lround(length * scale)); }

// A drop-down list's closed height follows its font and fixed borders, not
// the page's scale: its selection field grows to the height the list has
// in the font of 96, at the page's scale.
void FitDropDownHeight(HWND control, HFONT font, HFONT font96, double scale)
{
    if (!IsComboBox(control))
        return;
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font96), FALSE);
    const int wanted = Scaled(WindowHeight(control), scale);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetClosedHeight(control, wanted);
}

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
    createdDpi_ = WindowDpi(hwnd_);
    FitToScale();
    ScalePicture(createdScale_);
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

// The page's controls were laid out from dialog units in its font: the
// font's base units against the same font's at 96 dots per inch give the
// page's scale. At 96 it is exactly one.
void CPageSkin::FitToScale()
{
    createdScale_ = {};
    auto pageFont = reinterpret_cast<HFONT>(Send(WM_GETFONT));
    LOGFONTA description = {};
    if (createdDpi_ == kDefaultDpi || pageFont == nullptr ||
        GetObjectA(pageFont, sizeof description, &description) == 0)
        return;
    description.lfHeight = -MulDiv(kSheetFontPoints, kDefaultDpi, 72);
    description.lfWidth = 0;
    CFont font96;
    if (!font96.CreateFontIndirect(description))
        return;
    SIZE now = DialogBaseUnits(pageFont);
    SIZE at96 = DialogBaseUnits(font96);
    if (now.cx <= 0 || now.cy <= 0 || at96.cx <= 0 || at96.cy <= 0)
        return;
    createdScale_ = {static_cast<double>(now.cx) / at96.cx, static_cast<double>(now.cy) / at96.cy};
    FitControls(description, font96);
}

// The platform's font grows faster than the base units, which it rounds to
// whole pixels: a caption that fits at 96 would outgrow its control. The
// controls get the font of 96 at the page's scale instead.
void CPageSkin::FitControls(LOGFONTA description96, HFONT font96)
{
    description96.lfHeight = static_cast<LONG>(description96.lfHeight * std::min(createdScale_.x, createdScale_.y));
    if (!font_.CreateFontIndirect(description96))
        return;
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.GetSafeHandle()), FALSE);
        FitDropDownHeight(child, font_, font96, createdScale_.y);
    }
}

void CPageSkin::ScalePicture(Scale scale)
{
    const int width = Scaled(pictureWidth_, scale.x);
    const int height = Scaled(pictureHeight_, scale.y);
    pictureRect_.left = Scaled(look_.pictureX, scale.x);
    pictureRect_.top = Scaled(look_.pictureY, scale.y);
    pictureRect_.right = pictureRect_.left + width;
    pictureRect_.bottom = pictureRect_.top + height;
    scaledPicture_.DeleteObject();
    if (background_.GetSafeHandle() == nullptr || (width == pictureWidth_ && height == pictureHeight_))
        return;
    CWindowDC screen(nullptr);
    scaledPicture_.Attach(CreateCompatibleBitmap(screen, width, height));
    CMemoryDC from(screen);
    CMemoryDC to(screen);
    SelectObject(from, background_.GetSafeHandle());
    SelectObject(to, scaledPicture_.GetSafeHandle());
    // HALFTONE filters: a plain stretch drops or doubles whole rows.
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, pictureWidth_, pictureHeight_, SRCCOPY);
}

void CPageSkin::OnDpiChanged(UINT dpi)
{
    if (createdDpi_ == 0)
        return;
    const double ratio = static_cast<double>(dpi) / createdDpi_;
    ScalePicture(Scale{createdScale_.x * ratio, createdScale_.y * ratio});
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// The picture goes over the background the page brush has painted; the
// controls paint themselves on top. At 96 dots per inch it is the loaded
// picture itself.
void CPageSkin::OnPaint()
{
    CPaintDC paint(hwnd_);
    CMemoryDC memory(paint);
    HBITMAP shown = scaledPicture_.GetSafeHandle() != nullptr ? scaledPicture_.GetSafeHandle()
                                                              : background_.GetSafeHandle();
    if (shown != nullptr)
        SelectObject(memory, shown);
    BitBlt(paint, pictureRect_.left, pictureRect_.top, pictureRect_.right - pictureRect_.left,
           pictureRect_.bottom - pictureRect_.top, memory, 0, 0, SRCCOPY);
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
    toolTipKeys_.push_back({control.GetSafeHwnd(), nameIndex, {}});
    toolTip_.AddTool(control.GetSafeHwnd(), LPSTR_TEXTCALLBACKA);
}

// Not at the page's creation: a client's message script holds thousands of
// texts, and the sheet shows before anyone points at a control.
void CPageSkin::LookUpToolTipTexts()
{
    if (toolTipTextsKnown_)
        return;
    toolTipTextsKnown_ = true;
    ScriptBatch batch(g_optionScript);
    for (ToolTipKey& key : toolTipKeys_)
        key.text = g_optionScript.GetMessageText(SettingName(key.nameIndex));
}

// The text may be longer than the request's own 80 characters: it stays in
// the page's buffer, which the tooltip reads after the answer. An empty text
// shows no tooltip.
void CPageSkin::OnToolTipText(NMHDR* header, LRESULT* result)
{
    *result = 0;
    if (header->hwndFrom != toolTip_.GetSafeHwnd())
        return;
    auto* request = reinterpret_cast<NMTTDISPINFOA*>(header);
    request->hinst = nullptr;
    request->szText[0] = '\0';
    request->lpszText = request->szText;
    LookUpToolTipTexts();
    for (ToolTipKey& key : toolTipKeys_) {
        if (reinterpret_cast<HWND>(header->idFrom) == key.control) {
            request->lpszText = key.text.data();
            return;
        }
    }
}
