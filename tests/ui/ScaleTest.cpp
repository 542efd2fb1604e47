// Both pages at the display's scale and after a change of monitor. Run at
// each scale by every-scale.sh, which keeps in SETUP_SCALE_OUT the layout at
// 96 dots per inch, for the other scales to compare with, and screenshots.
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
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
        layout.push_back(rect);
    }
    return layout;
}

// 0xRRGGBB a pixel, row by row: the bitmap's, or with a window what it shows.
std::vector<DWORD> Pixels(HBITMAP bitmap, int width, int height, HWND window = nullptr)
{
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    std::vector<DWORD> pixels(static_cast<size_t>(width * height));
    HDC screen = GetDC(window);
    if (window != nullptr) {
        bitmap = CreateCompatibleBitmap(screen, width, height);
        HDC memory = CreateCompatibleDC(screen);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    if (window != nullptr)
        DeleteObject(bitmap);
    ReleaseDC(window, screen);
    return pixels;
}

void SaveScreenshot(HWND window, const std::string& path)
{
    RECT rect;
    GetClientRect(window, &rect);
    std::ofstream file(path, std::ios::binary);
    file << "P6\n" << rect.right << " " << rect.bottom << "\n255\n";
    for (DWORD pixel : Pixels(nullptr, rect.right, rect.bottom, window))
        file << char(pixel >> 16) << char(pixel >> 8) << char(pixel);
}

bool Inside(const RECT& outer, int x, int y) { return x >= outer.left && x < outer.right && y >= outer.top && y < outer.bottom; }

// At 96 the picture as stored, wherever no control covers it.
void ExpectStoredPicture(const CPageSkin& page, int pictureId, const std::vector<RECT>& layout)
{
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(pictureId));
    const RECT at = page.PictureRect();
    const std::vector<DWORD> stored = Pixels(bitmap, at.right - at.left, at.bottom - at.top);
    const std::vector<DWORD> shown = Pixels(nullptr, layout[0].right, layout[0].bottom, page.GetSafeHwnd());
    DeleteObject(bitmap);
    int differ = 0;
    for (int y = at.top; y < std::min(at.bottom, layout[0].bottom); ++y)
        for (int x = at.left; x < std::min(at.right, layout[0].right); ++x)
            differ += std::none_of(layout.begin() + 1, layout.end(), [&](const RECT& c) { return Inside(c, x, y); }) &&
                      shown[size_t(y * layout[0].right + x)] != stored[size_t((y - at.top) * (at.right - at.left) + x - at.left)];
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
        for (const RECT& c : layout)
            EXPECT_TRUE(c.left >= 0 && c.top >= 0 && c.right <= layout[0].right && c.bottom <= layout[0].bottom)
                << dpi << " dpi, page " << index << ", control at " << c.left << "," << c.top;
        if (dpi == kDefaultDpi) {
            for (const RECT& c : layout)
                at96 << c.left << " " << c.top << " " << c.right << " " << c.bottom << "\n";
            ExpectStoredPicture(page, index == 0 ? IDB_SYSTEM_PAGE : IDB_OPTION_PAGE, layout);
            continue;
        }
        std::vector<RECT> then(layout.size());
        for (RECT& c : then)
            ASSERT_TRUE(at96 >> c.left >> c.top >> c.right >> c.bottom) << "no layout at 96 dpi in " << out;
        // In the picture's own pixels each control stands where it stood at 96.
        const double sx = double(layout[0].right) / then[0].right, sy = double(layout[0].bottom) / then[0].bottom;
        const RECT picture = page.PictureRect();
        EXPECT_NEAR((picture.right - picture.left) / sx, index == 0 ? 573 : 514, 2) << dpi;
        EXPECT_NEAR((picture.bottom - picture.top) / sy, 437, 2) << dpi;
        for (size_t i = 1; i < layout.size(); ++i) {
            const RECT& c = layout[i];
            EXPECT_NEAR(c.left / sx, then[i].left, 2) << dpi << " dpi, page " << index << ", control " << i;
            EXPECT_NEAR(c.top / sy, then[i].top, 2) << dpi << " dpi, page " << index << ", control " << i;
            EXPECT_NEAR(c.right / sx, then[i].right, 2) << dpi << " dpi, page " << index << ", control " << i;
            EXPECT_NEAR(c.bottom / sy, then[i].bottom, 2) << dpi << " dpi, page " << index << ", control " << i;
        }
    }
}

// Wine never sends it: the change of monitor is sent by hand, 96 to 144 and back.
TEST_F(SheetTest, AChangeOfMonitorLaysBothPagesOutForTheNewScaleAndBackExactly)
{
    OpenSheet();
    if (WindowDpi(SheetWindow()) != kDefaultDpi)
        GTEST_SKIP() << "starts at 96 dots per inch";
    RECT before, suggested, after;
    GetWindowRect(SheetWindow(), &before);
    suggested = {before.left, before.top, before.left + (before.right - before.left) * 3 / 2,
                 before.top + (before.bottom - before.top) * 3 / 2};
    const RECT pictureBefore = systemPage_->PictureRect();
    const std::vector<RECT> layoutBefore = LayoutOf(systemPage_->GetSafeHwnd());
    const LRESULT fontBefore = SendMessageA(SystemItem(IDC_FULLSCREEN), WM_GETFONT, 0, 0);
    for (UINT dpi : {144u, 96u}) {
        RECT& wanted = dpi == 96 ? before : suggested;
        SendMessageA(SheetWindow(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&wanted));
        GetWindowRect(SheetWindow(), &after);
        EXPECT_TRUE(EqualRect(&after, &wanted)) << dpi;
        ASSERT_NE(optionPage_->GetSafeHwnd(), nullptr) << "the Option page was laid out before it was shown";
        const std::vector<RECT> layout = LayoutOf(systemPage_->GetSafeHwnd());
        const RECT picture = systemPage_->PictureRect();
        EXPECT_NEAR(picture.right - picture.left, (pictureBefore.right - pictureBefore.left) * int(dpi) / 96, 1) << dpi;
        EXPECT_EQ(SendMessageA(SystemItem(IDC_FULLSCREEN), WM_GETFONT, 0, 0) == fontBefore, dpi == 96);
        for (size_t i = 0; i < layout.size(); ++i) {
            EXPECT_NEAR(layout[i].left, layoutBefore[i].left * int(dpi) / 96, 1) << dpi << " dpi, control " << i;
            EXPECT_NEAR(layout[i].bottom, layoutBefore[i].bottom * int(dpi) / 96, 1) << dpi << " dpi, control " << i;
            EXPECT_TRUE(dpi != 96 || EqualRect(&layout[i], &layoutBefore[i])) << "control " << i;
        }
    }
}

}  // namespace
