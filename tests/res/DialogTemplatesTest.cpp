// The two page templates as the resource compiler wrote them into the
// program, read back through the Win32 resource calls.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "DialogTemplate.h"
#include "res/resource.h"

namespace {

constexpr uint32_t kComboList = 0x50210003;
constexpr uint32_t kCheckBox = 0x50010003;
constexpr uint32_t kTrackBar = 0x50010018;
constexpr uint32_t kLabel = 0x50020000;
constexpr int kStatic = -1;

const char* const kCombo = "COMBOBOX";
const char* const kButton = "BUTTON";
const char* const kTrack = "msctls_trackbar32";
const char* const kText = "STATIC";

struct Control {
    int id;
    const char* className;
    uint32_t style;
    const char* text;
    dlg::Rect rect;
};

const std::vector<Control> kSystemControls = {
    {IDC_DEVICE_LIST, kCombo, kComboList, "", {100, 20, 120, 80}},
    {IDC_FULLSCREEN, kButton, kCheckBox, "Full Screen Mode", {101, 79, 73, 10}},
    {IDC_MODE_LIST, kCombo, kComboList, "", {100, 55, 120, 75}},
    {IDC_SPRITE_DETAIL, kTrack, kTrackBar, "", {107, 111, 46, 15}},
    {IDC_TEXTURE_DETAIL, kTrack, kTrackBar, "", {159, 111, 46, 15}},
    {IDC_BGM_VOLUME, kTrack, kTrackBar, "", {102, 167, 104, 10}},
    {IDC_BGM_ON, kButton, kCheckBox, "ON", {209, 172, 20, 8}},
    {IDC_EFFECT_VOLUME, kTrack, kTrackBar, "", {102, 199, 104, 10}},
    {IDC_EFFECT_ON, kButton, kCheckBox, "ON", {209, 202, 20, 8}},
    {kStatic, kText, kLabel, "Sprite Detail", {107, 99, 40, 8}},
    {kStatic, kText, kLabel, "Texture Detail", {163, 99, 46, 8}},
    {kStatic, kText, kLabel, "Sound Setting", {92, 145, 58, 8}},
    {kStatic, kText, kLabel, "BGM Volume", {102, 159, 46, 8}},
    {kStatic, kText, kLabel, "Effect Volume", {102, 191, 47, 8}},
    {kStatic, kText, kLabel, "Screen Size", {92, 42, 40, 8}},
    {kStatic, kText, kLabel, "Graphic Setting", {92, 7, 61, 8}},
    {kStatic, kText, kLabel, "min", {103, 176, 18, 8}},
    {kStatic, kText, kLabel, "min", {102, 208, 17, 8}},
    {kStatic, kText, kLabel, "max", {191, 176, 14, 8}},
    {kStatic, kText, kLabel, "max", {191, 208, 16, 8}},
    {IDC_MOUSE_EXCLUSIVE, kButton, kCheckBox, "Mouse Exclusive", {174, 79, 72, 10}},
    {kStatic, kText, kLabel, "min", {107, 126, 18, 8}},
    {kStatic, kText, kLabel, "min", {160, 126, 18, 8}},
    {kStatic, kText, kLabel, "max", {138, 126, 14, 8}},
    {kStatic, kText, kLabel, "max", {190, 126, 14, 8}},
    {IDC_NO_SOUND, kButton, kCheckBox, "No Sound", {242, 202, 50, 8}},
};

const std::vector<Control> kOptionControls = {
    {kStatic, kText, kLabel, "- Help", {119, 8, 60, 8}},
    {IDC_CMD_NOTRADE, kButton, kCheckBox, "notrade", {124, 21, 35, 10}},
    {IDC_CMD_NOSHIFT, kButton, kCheckBox, "noshift", {179, 21, 36, 10}},
    {IDC_CMD_NOCTRL, kButton, kCheckBox, "noctrl", {237, 21, 35, 10}},
    {IDC_CMD_WINDOW, kButton, kCheckBox, "window", {124, 36, 39, 10}},
    {IDC_CMD_SHOPPING, kButton, kCheckBox, "shopping", {179, 36, 41, 10}},
    {IDC_CMD_SNAP, kButton, kCheckBox, "snap", {237, 36, 37, 10}},
    {IDC_CMD_ITEMSNAP, kButton, kCheckBox, "itemsnap", {124, 51, 43, 10}},
    {IDC_CMD_CAMERA, kButton, kCheckBox, "camera", {179, 51, 41, 10}},
    {kStatic, kText, kLabel, "- Message", {119, 74, 60, 8}},
    {IDC_CMD_SKILLFAIL, kButton, kCheckBox, "skillfail", {124, 87, 39, 11}},
    {IDC_CMD_NOTALKMSG, kButton, kCheckBox, "notalkmsg", {179, 87, 44, 11}},
    {IDC_CMD_NOTALKMSG2, kButton, kCheckBox, "notalkmsg2", {237, 87, 49, 11}},
    {IDC_CMD_SHOWNAME, kButton, kCheckBox, "showname", {124, 103, 46, 10}},
    {IDC_CMD_STATEINFO, kButton, kCheckBox, "stateinfo", {179, 103, 40, 10}},
    {IDC_CMD_LOGINOUT, kButton, kCheckBox, "loginout", {237, 103, 36, 10}},
    {IDC_CMD_MISS, kButton, kCheckBox, "miss", {124, 119, 35, 10}},
    {kStatic, kText, kLabel, "- Effect", {119, 143, 60, 8}},
    {IDC_CMD_FOG, kButton, kCheckBox, "fog", {124, 156, 35, 10}},
    {IDC_CMD_AURA, kButton, kCheckBox, "aura", {179, 156, 36, 10}},
    {IDC_CMD_EFFECT, kButton, kCheckBox, "effect", {237, 155, 35, 11}},
    {IDC_CMD_LIGHTMAP, kButton, kCheckBox, "lightmap", {124, 171, 39, 10}},
    {kStatic, kText, kLabel, "- Ai", {119, 194, 60, 8}},
    {IDC_CMD_HOAI, kButton, kCheckBox, "hoai", {124, 207, 35, 10}},
    {IDC_CMD_MERAI, kButton, kCheckBox, "merai", {179, 207, 34, 10}},
};

struct Page {
    const char* name;
    int templateId;
    const char* title;
    int16_t width, height;
    const std::vector<Control>* controls;
};

const Page kPages[] = {
    {"System", IDD_SYSTEM_PAGE, "System", 311, 217, &kSystemControls},
    {"Option", IDD_OPTION_PAGE, "Option", 293, 226, &kOptionControls},
};

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

dlg::Template LoadTemplate(int id)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));  // RT_DIALOG
    if (!found)
        return {};
    HGLOBAL loaded = LoadResource(module, found);
    auto parsed = dlg::Parse(LockResource(loaded), SizeofResource(module, found));
    return parsed ? *parsed : dlg::Template{};
}

struct WindowCloser {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowCloser>;

INT_PTR CALLBACK NoDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

Window CreatePage(int templateId)
{
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    return Window(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId),
                                     nullptr, NoDialogProc, 0));
}

void PrintTo(const Page& page, std::ostream* out) { *out << page.name; }

class DialogTemplate : public testing::TestWithParam<Page> {};

TEST_P(DialogTemplate, HasTheTitleSizeStylesAndKoreanGulimFont)
{
    const Page& page = GetParam();
    const dlg::Template t = LoadTemplate(page.templateId);

    EXPECT_EQ(dlg::Narrow(t.title), page.title);
    EXPECT_EQ(t.rect, (dlg::Rect{0, 0, page.width, page.height}));
    EXPECT_EQ(t.style, 0x90C000C0u);
    EXPECT_EQ(t.exStyle, 0x00040000u);
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_EQ(t.fontName, u"\uAD74\uB9BC");
}

TEST_P(DialogTemplate, CarriesEveryControlInOrder)
{
    const Page& page = GetParam();
    const dlg::Template t = LoadTemplate(page.templateId);
    const std::vector<Control>& expected = *page.controls;

    ASSERT_EQ(t.items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Control& want = expected[i];
        const dlg::Item& got = t.items[i];
        SCOPED_TRACE(testing::Message() << "item " << i << " \"" << want.text << "\"");
        EXPECT_EQ(got.id, want.id);
        EXPECT_EQ(Upper(got.className), Upper(want.className));
        EXPECT_EQ(got.style, want.style);
        EXPECT_EQ(got.exStyle, 0u);
        EXPECT_EQ(dlg::Narrow(got.text), want.text);
        EXPECT_EQ(got.rect, want.rect);
    }
}

// Control ids must be unique within a page: the page finds its controls by id.
TEST_P(DialogTemplate, ControlIdsAreUnique)
{
    std::vector<int> ids;
    for (const dlg::Item& item : LoadTemplate(GetParam().templateId).items)
        if (item.id != kStatic)
            ids.push_back(item.id);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
}

// The real dialog manager builds the page: every class resolves, and every
// control stands where its dialog units say.
TEST_P(DialogTemplate, CreatesEveryControlAtItsPlace)
{
    const Page& page = GetParam();
    Window dialog = CreatePage(page.templateId);
    ASSERT_TRUE(dialog) << GetLastError();

    for (const Control& want : *page.controls) {
        if (want.id == kStatic)
            continue;
        SCOPED_TRACE(want.text);
        HWND control = GetDlgItem(dialog.get(), want.id);
        ASSERT_TRUE(control) << want.id;

        char className[64] = {};
        GetClassNameA(control, className, sizeof(className));
        EXPECT_EQ(Upper(className), Upper(want.className));
        char text[64] = {};
        GetWindowTextA(control, text, sizeof(text));
        if (Upper(want.className) == kButton) {
            EXPECT_STREQ(text, want.text);
        }

        // Position and width map separately, as the dialog manager maps them.
        RECT wanted{want.rect.x, want.rect.y, want.rect.cx, want.rect.cy};
        MapDialogRect(dialog.get(), &wanted);
        RECT placed{};
        GetWindowRect(control, &placed);
        MapWindowPoints(nullptr, dialog.get(), reinterpret_cast<POINT*>(&placed), 2);
        EXPECT_EQ(placed.left, wanted.left);
        EXPECT_EQ(placed.top, wanted.top);
        EXPECT_EQ(placed.right - placed.left, wanted.right);
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, DialogTemplate, testing::ValuesIn(kPages),
                         [](const testing::TestParamInfo<Page>& p) { return p.param.name; });

}  // namespace
