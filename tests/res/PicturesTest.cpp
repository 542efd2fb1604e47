// The page pictures: their stored format, and what LoadBitmapA gives the
// pages, whose white ground must match the white control brush.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "res/resource.h"

namespace {

struct Picture {
    const char* name;
    int id;
    int width, height;
    int artworkColumns;  // artwork only left of this column; 0: anywhere
};

const Picture kPictures[] = {
    {"System", IDB_SYSTEM_PAGE, 573, 437, 0},
    {"Option", IDB_OPTION_PAGE, 514, 437, 148},
};

struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

struct ScreenDcReleaser {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
using ScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenDcReleaser>;

// The header of the stored resource: a packed DIB without its file header.
BITMAPINFOHEADER StoredHeader(int id)
{
    BITMAPINFOHEADER header{};
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));  // RT_BITMAP
    if (found && SizeofResource(module, found) >= sizeof(header))
        CopyMemory(&header, LockResource(LoadResource(module, found)), sizeof(header));
    return header;
}

// Top-down rows of 0x00RRGGBB pixels.
class Pixels {
public:
    Pixels(HBITMAP bitmap, int width, int height)
        : width_(width), pixels_(static_cast<size_t>(width) * height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        ScreenDc screen(GetDC(nullptr));
        rows_ = GetDIBits(screen.get(), bitmap, 0, height, pixels_.data(), &info, DIB_RGB_COLORS);
    }

    int rows() const { return rows_; }
    bool IsWhite(int x, int y) const
    {
        return (pixels_[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF) == 0xFFFFFF;
    }

private:
    int width_;
    std::vector<uint32_t> pixels_;
    int rows_ = 0;
};

void PrintTo(const Picture& picture, std::ostream* out) { *out << picture.name; }

class PagePicture : public testing::TestWithParam<Picture> {};

// 8-bit and run-length encoded: kilobytes, not the 700 or so of 24 bits.
TEST_P(PagePicture, IsStoredAsARunLengthEncodedPictureOfItsSizeIn256Colours)
{
    const Picture& picture = GetParam();
    const BITMAPINFOHEADER header = StoredHeader(picture.id);
    EXPECT_EQ(header.biWidth, picture.width);
    EXPECT_EQ(header.biHeight, picture.height);
    EXPECT_EQ(header.biBitCount, 8);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RLE8));
    EXPECT_LE(header.biClrUsed, 256u);
    EXPECT_LT(header.biSizeImage, static_cast<DWORD>(picture.width * picture.height / 8));
}

TEST_P(PagePicture, LoadsWithItsSizeOnAWhiteGround)
{
    const Picture& picture = GetParam();
    Bitmap bitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(picture.id)));
    ASSERT_TRUE(bitmap);
    BITMAP description{};
    ASSERT_TRUE(GetObjectA(bitmap.get(), sizeof(description), &description));
    EXPECT_EQ(description.bmWidth, picture.width);
    EXPECT_EQ(description.bmHeight, picture.height);

    const Pixels pixels(bitmap.get(), picture.width, picture.height);
    ASSERT_EQ(pixels.rows(), picture.height);
    const int right = picture.width - 1, bottom = picture.height - 1;
    EXPECT_TRUE(pixels.IsWhite(0, 0));
    EXPECT_TRUE(pixels.IsWhite(right, 0));
    EXPECT_TRUE(pixels.IsWhite(0, bottom));
    EXPECT_TRUE(pixels.IsWhite(right, bottom));

    int white = 0, strayArtwork = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (pixels.IsWhite(x, y))
                ++white;
            else if (picture.artworkColumns && x >= picture.artworkColumns)
                ++strayArtwork;
        }
    }
    EXPECT_EQ(strayArtwork, 0);
    // Mostly white, yet with artwork to look at.
    const double whiteShare = double(white) / (picture.width * picture.height);
    EXPECT_GT(whiteShare, 0.70);
    EXPECT_LT(whiteShare, 0.90);
}

// The System page's controls stand in the middle of its picture.
TEST(SystemPagePicture, KeepsItsArtworkAtTheSides)
{
    Bitmap bitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SYSTEM_PAGE)));
    ASSERT_TRUE(bitmap);
    const Pixels pixels(bitmap.get(), 573, 437);
    int left = 0, middle = 0, right = 0;
    for (int y = 0; y < 437; ++y) {
        for (int x = 0; x < 573; ++x) {
            if (pixels.IsWhite(x, y))
                continue;
            ++(x < 140 ? left : x < 500 ? middle : right);
        }
    }
    EXPECT_GT(left, 0);
    EXPECT_EQ(middle, 0);
    EXPECT_GT(right, 0);
}

INSTANTIATE_TEST_SUITE_P(Pages, PagePicture, testing::ValuesIn(kPictures),
                         [](const testing::TestParamInfo<Picture>& p) { return p.param.name; });

}  // namespace
