// Both pages at the display's scale and after a change of monitor. every-scale.sh runs them at each
// scale; SETUP_SCALE_OUT keeps the layout at 96 dots per inch, to compare with, and screenshots.
#include <cmath>
#include <cstdlib>
#include <fstream>

#include "SheetFixture.h"
#include "res/resource.h"
#include "ui/framework/Dpi.h"

namespace {

// A page's client rectangle, then each of its controls' in its client area.
std::vector<RECT> LayoutOf(HWND page)
{
    std::vector<RECT> layout(1);
    GetClientRect(page, &layout[0]);
    for (HWND child = GetWindow(page, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        GetWindowRect(child, &layout.emplace_back());
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&layout.back()), 2);
    }
    return layout;
}

// 0xRRGGBB a pixel, row by row: the bitmap's, or without one what the window shows.
std::vector<DWORD> Pixels(HWND window, int width, int height, HBITMAP bitmap = nullptr)
{
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<DWORD> pixels(static_cast<size_t>(width * height));
    HDC dc = GetDC(window), memory = CreateCompatibleDC(dc);
    HBITMAP shot = CreateCompatibleBitmap(dc, width, height);
    SelectObject(memory, shot);
    BitBlt(memory, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    DeleteDC(memory);
    GetDIBits(dc, bitmap != nullptr ? bitmap : shot, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(shot);
    ReleaseDC(window, dc);
    return pixels;
}

void SaveScreenshot(HWND window, const std::string& path)
{
    RECT rect;
    std::ofstream file(path, std::ios::binary);
    GetClientRect(window, &rect);
    file << "P6\n" << rect.right << " " << rect.bottom << "\n255\n";
    for (DWORD pixel : Pixels(window, rect.right, rect.bottom))
        file << char(pixel >> 16) << char(pixel >> 8) << char(pixel);
}

// At 96 the picture as stored, wherever no control covers it.
void ExpectStoredPicture(const CPageSkin& page, int pictureId, const std::vector<RECT>& layout)
{
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(pictureId));
    const RECT at = page.PictureRect();
    const std::vector<DWORD> stored = Pixels(nullptr, at.right - at.left, at.bottom - at.top, bitmap);
    const std::vector<DWORD> shown = Pixels(page.GetSafeHwnd(), layout[0].right, layout[0].bottom);
    DeleteObject(bitmap);
    int differ = 0;
    for (POINT p = {0, at.top}; p.y < std::min(at.bottom, layout[0].bottom); ++p.y)
        for (p.x = at.left; p.x < std::min(at.right, layout[0].right); ++p.x)
            differ += std::none_of(layout.begin() + 1, layout.end(), [&](const RECT& c) { return PtInRect(&c, p); }) &&
                      shown[size_t(p.y * layout[0].right + p.x)] != stored[size_t((p.y - at.top) * (at.right - at.left) + p.x - at.left)];
    EXPECT_EQ(differ, 0) << pictureId;
}

TEST_F(SheetTest, EveryControlLiesInsideItsPageAndKeepsItsPlaceOnThePicture)
{
    OpenSheet();
    const UINT dpi = WindowDpi(SheetWindow());
    const std::string out = std::getenv("SETUP_SCALE_OUT") != nullptr ? std::getenv("SETUP_SCALE_OUT") : ".";
    std::fstream at96(out + "/layout-96.txt", dpi == kDefaultDpi ? std::ios::out : std::ios::in);
    for (int index : {0, 1}) {
        const CPageSkin& page = index == 0 ? static_cast<CPageSkin&>(*systemPage_) : *optionPage_;
        PropSheet_SetCurSel(SheetWindow(), nullptr, index);
        RedrawWindow(SheetWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        SaveScreenshot(SheetWindow(), out + "/" + std::to_string(dpi) + "-page" + std::to_string(index) + ".ppm");
        const std::vector<RECT> layout = LayoutOf(page.GetSafeHwnd());
        std::vector<RECT> then(layout);
        for (RECT& c : then)
            if (dpi == kDefaultDpi)
                at96 << c.left << " " << c.top << " " << c.right << " " << c.bottom << "\n";
            else
                ASSERT_TRUE(at96 >> c.left >> c.top >> c.right >> c.bottom) << "no layout at 96 dpi in " << out;
        if (dpi == kDefaultDpi)
            ExpectStoredPicture(page, index == 0 ? IDB_SYSTEM_PAGE : IDB_OPTION_PAGE, layout);
        // Inside the page, and in the picture's own pixels where it stood at 96.
        const double sx = double(layout[0].right) / then[0].right, sy = double(layout[0].bottom) / then[0].bottom;
        const RECT picture = page.PictureRect();
        EXPECT_TRUE(std::abs((picture.right - picture.left) / sx - (index == 0 ? 573 : 514)) <= 2 &&
                    std::abs((picture.bottom - picture.top) / sy - 437) <= 2) << dpi;
        for (size_t i = 1; i < layout.size(); ++i) {
            const RECT &c = layout[i], &w = then[i];
            EXPECT_TRUE(c.left >= 0 && c.top >= 0 && c.right <= layout[0].right && c.bottom <= layout[0].bottom &&
                        std::max({std::abs(c.left / sx - w.left), std::abs(c.top / sy - w.top),
                                  std::abs(c.right / sx - w.right), std::abs(c.bottom / sy - w.bottom)}) <= 2)
                << dpi << " dpi, page " << index << ", control " << i << " at " << c.left << "," << c.top;
        }
    }
}

// Wine never sends it: the change of monitor is sent by hand, 96 to 144 and back.
TEST_F(SheetTest, AChangeOfMonitorLaysBothPagesOutForTheNewScaleAndBackExactly)
{
    OpenSheet();
    RECT before, after, suggested;
    GetWindowRect(SheetWindow(), &before);
    SetRect(&suggested, before.left, before.top, before.left + (before.right - before.left) * 3 / 2,
            before.top + (before.bottom - before.top) * 3 / 2);
    const RECT pictureBefore = systemPage_->PictureRect();
    const std::vector<RECT> layoutBefore = LayoutOf(systemPage_->GetSafeHwnd());
    const LRESULT fontBefore = SendMessageA(SystemItem(IDC_FULLSCREEN), WM_GETFONT, 0, 0);
    for (UINT dpi : {144u, 96u}) {
        RECT& wanted = dpi == 96 ? before : suggested;
        SendMessageA(SheetWindow(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&wanted));
        EXPECT_TRUE(GetWindowRect(SheetWindow(), &after) && EqualRect(&after, &wanted)) << dpi;
        ASSERT_NE(optionPage_->GetSafeHwnd(), nullptr) << "the Option page was laid out before it was shown";
        EXPECT_NEAR(systemPage_->PictureRect().right, pictureBefore.right * int(dpi) / 96, 1) << dpi;
        EXPECT_EQ(SendMessageA(SystemItem(IDC_FULLSCREEN), WM_GETFONT, 0, 0) == fontBefore, dpi == 96);
        const std::vector<RECT> layout = LayoutOf(systemPage_->GetSafeHwnd());
        for (size_t i = 0; i < layout.size(); ++i)
            EXPECT_TRUE(std::abs(layout[i].left - layoutBefore[i].left * int(dpi) / 96) <= 1 &&
                        std::abs(layout[i].bottom - layoutBefore[i].bottom * int(dpi) / 96) <= 1 &&
                        (dpi != 96 || EqualRect(&layout[i], &layoutBefore[i]))) << dpi << " dpi, control " << i;
    }
}

}  // namespace
