// The copies of the page templates in other languages, read back from the
// program under the language each must carry, and held against the page's
// own template rather than against a list of their own.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "DialogTemplate.h"
#include "res/resource.h"

namespace {

enum class Script { Latin, Hangul, Japanese, Chinese };

struct PageCopy {
    const char* name;
    int id;
    int pageId;
    LANGID language;
    Script script;
};

const LANGID kKorean = MAKELANGID(LANG_KOREAN, SUBLANG_KOREAN);
const LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
const LANGID kChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

const PageCopy kCopies[] = {
    {"System106Korean", IDD_SYSTEM_PAGE_KO, IDD_SYSTEM_PAGE, kKorean, Script::Hangul},
    {"System108Japanese", IDD_SYSTEM_PAGE_JA, IDD_SYSTEM_PAGE, kJapanese, Script::Japanese},
    {"System110Chinese", IDD_SYSTEM_PAGE_ZH, IDD_SYSTEM_PAGE, kChinese, Script::Chinese},
    {"System139English", IDD_SYSTEM_PAGE_EN, IDD_SYSTEM_PAGE, kEnglish, Script::Latin},
    {"System141English", IDD_SYSTEM_PAGE_EN2, IDD_SYSTEM_PAGE, kEnglish, Script::Latin},
    {"Option105Korean", IDD_OPTION_PAGE_KO, IDD_OPTION_PAGE, kKorean, Script::Hangul},
    {"Option107Japanese", IDD_OPTION_PAGE_JA, IDD_OPTION_PAGE, kJapanese, Script::Japanese},
    {"Option111Chinese", IDD_OPTION_PAGE_ZH, IDD_OPTION_PAGE, kChinese, Script::Chinese},
    {"Option112English", IDD_OPTION_PAGE_EN, IDD_OPTION_PAGE, kEnglish, Script::Latin},
    {"Option140English", IDD_OPTION_PAGE_EN2, IDD_OPTION_PAGE, kEnglish, Script::Latin},
};

// The pages' own templates carry no LANGUAGE and so the compiler's default.
const LANGID kPageLanguage = kEnglish;
const std::u16string kGulim = u"\uAD74\uB9BC";

bool Within(char16_t c, char16_t first, char16_t last) { return c >= first && c <= last; }

// A text written in the script: one letter of it is enough, since
// translated captions keep digits, dashes and "BGM" as they are.
bool IsWrittenIn(const std::u16string& text, Script script)
{
    for (char16_t c : text) {
        const bool hangul = Within(c, 0xAC00, 0xD7A3);
        const bool kana = Within(c, 0x3040, 0x30FF);
        const bool ideograph = Within(c, 0x4E00, 0x9FFF);
        if ((script == Script::Hangul && hangul) || (script == Script::Japanese && (kana || ideograph)) ||
            (script == Script::Chinese && ideograph))
            return true;
        if (script == Script::Chinese && (kana || hangul))
            return false;
    }
    return false;
}

dlg::Template LoadTemplate(int id, LANGID language)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(id), language);  // RT_DIALOG
    if (!found)
        return {};
    auto parsed = dlg::Parse(LockResource(LoadResource(module, found)), SizeofResource(module, found));
    return parsed ? *parsed : dlg::Template{};
}

bool IsLabel(const dlg::Item& item) { return lstrcmpiA(item.className.c_str(), "STATIC") == 0; }

void PrintTo(const PageCopy& copy, std::ostream* out) { *out << copy.name; }

class PageCopyTemplate : public testing::TestWithParam<PageCopy> {};

TEST_P(PageCopyTemplate, IsThePagesTemplateInItsLanguage)
{
    const PageCopy& copy = GetParam();
    const dlg::Template page = LoadTemplate(copy.pageId, kPageLanguage);
    const dlg::Template t = LoadTemplate(copy.id, copy.language);
    ASSERT_FALSE(page.items.empty());
    ASSERT_FALSE(t.items.empty()) << "no template " << copy.id << " in language " << std::hex << copy.language;

    // Ids, classes, styles and places are the page's, control by control.
    EXPECT_EQ(t.rect, page.rect);
    EXPECT_EQ(t.style, page.style);
    EXPECT_EQ(t.exStyle, page.exStyle);
    EXPECT_EQ(t.pointSize, page.pointSize);
    ASSERT_EQ(t.items.size(), page.items.size());
    for (size_t i = 0; i < page.items.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "item " << i);
        EXPECT_EQ(t.items[i].id, page.items[i].id);
        EXPECT_EQ(t.items[i].className, page.items[i].className);
        EXPECT_EQ(t.items[i].style, page.items[i].style);
        EXPECT_EQ(t.items[i].exStyle, page.items[i].exStyle);
        EXPECT_EQ(t.items[i].rect, page.items[i].rect);
    }

    if (copy.script == Script::Latin) {
        EXPECT_EQ(t.title, page.title);
        EXPECT_EQ(t.fontName, page.fontName);
        for (size_t i = 0; i < page.items.size(); ++i)
            EXPECT_EQ(t.items[i].text, page.items[i].text) << "item " << i;
        return;
    }

    // Words are translated; the Option page's check boxes keep the names
    // of the commands they set.
    EXPECT_NE(t.title, page.title);
    EXPECT_TRUE(IsWrittenIn(t.title, copy.script));
    EXPECT_EQ(t.fontName == kGulim, copy.script == Script::Hangul) << "a font of the copy's language";
    for (size_t i = 0; i < page.items.size(); ++i) {
        const dlg::Item& want = page.items[i];
        const std::u16string& text = t.items[i].text;
        SCOPED_TRACE(testing::Message() << "item " << i << " \"" << dlg::Narrow(want.text) << "\"");
        if (want.text.empty() || (copy.pageId == IDD_OPTION_PAGE && !IsLabel(want))) {
            EXPECT_EQ(text, want.text);
        } else {
            EXPECT_NE(text, want.text);
            EXPECT_TRUE(IsWrittenIn(text, copy.script)) << dlg::Narrow(text);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Copies, PageCopyTemplate, testing::ValuesIn(kCopies),
                         [](const testing::TestParamInfo<PageCopy>& p) { return p.param.name; });

}  // namespace
