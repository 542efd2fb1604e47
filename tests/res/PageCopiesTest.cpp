// The copies of the page templates in other languages, each read under its
// language and held against its page's own template.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "DialogTemplate.h"
#include "res/resource.h"

namespace {

enum class Script { Latin, Hangul, Japanese, Chinese };

struct PageCopy { const char* name; int id, pageId; LANGID language; Script script; };

#define LANGUAGE_ID(primary, sub) MAKELANGID(LANG_##primary, SUBLANG_##sub)
const LANGID kEnglish = LANGUAGE_ID(ENGLISH, ENGLISH_US);  // the pages' own too

const PageCopy kCopies[] = {
    {"System106", IDD_SYSTEM_PAGE_KO, IDD_SYSTEM_PAGE, LANGUAGE_ID(KOREAN, KOREAN), Script::Hangul},
    {"System108", IDD_SYSTEM_PAGE_JA, IDD_SYSTEM_PAGE, LANGUAGE_ID(JAPANESE, DEFAULT), Script::Japanese},
    {"System110", IDD_SYSTEM_PAGE_ZH, IDD_SYSTEM_PAGE, LANGUAGE_ID(CHINESE, CHINESE_SIMPLIFIED), Script::Chinese},
    {"System139", IDD_SYSTEM_PAGE_EN, IDD_SYSTEM_PAGE, kEnglish, Script::Latin},
    {"System141", IDD_SYSTEM_PAGE_EN2, IDD_SYSTEM_PAGE, kEnglish, Script::Latin},
    {"Option105", IDD_OPTION_PAGE_KO, IDD_OPTION_PAGE, LANGUAGE_ID(KOREAN, KOREAN), Script::Hangul},
    {"Option107", IDD_OPTION_PAGE_JA, IDD_OPTION_PAGE, LANGUAGE_ID(JAPANESE, DEFAULT), Script::Japanese},
    {"Option111", IDD_OPTION_PAGE_ZH, IDD_OPTION_PAGE, LANGUAGE_ID(CHINESE, CHINESE_SIMPLIFIED), Script::Chinese},
    {"Option112", IDD_OPTION_PAGE_EN, IDD_OPTION_PAGE, kEnglish, Script::Latin},
    {"Option140", IDD_OPTION_PAGE_EN2, IDD_OPTION_PAGE, kEnglish, Script::Latin},
};

// Read right, whatever code page the resource compiler took: one letter of
// the script is enough ("BGM" stays in Latin letters).
bool IsWrittenIn(const std::u16string& text, Script script)
{
    auto has = [&](char16_t first, char16_t last) {
        return std::any_of(text.begin(), text.end(), [&](char16_t c) { return c >= first && c <= last; });
    };
    const bool hangul = has(0xAC00, 0xD7A3), kana = has(0x3040, 0x30FF), han = has(0x4E00, 0x9FFF);
    return script == Script::Hangul ? hangul : script == Script::Japanese ? kana || han : han && !kana && !hangul;
}

dlg::Template LoadTemplate(int id, LANGID language)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(id), language);  // RT_DIALOG
    auto parsed = found ? dlg::Parse(LockResource(LoadResource(module, found)), SizeofResource(module, found))
                        : std::nullopt;
    return parsed ? *parsed : dlg::Template{};
}

class PageCopyTemplate : public testing::TestWithParam<PageCopy> {};

TEST_P(PageCopyTemplate, IsItsPagesTemplateInItsLanguage)
{
    const PageCopy& copy = GetParam();
    const dlg::Template page = LoadTemplate(copy.pageId, kEnglish), t = LoadTemplate(copy.id, copy.language);
    ASSERT_FALSE(t.items.empty()) << "no template " << copy.id << " in language " << std::hex << copy.language;
    EXPECT_TRUE(t.rect == page.rect && t.style == page.style && t.exStyle == page.exStyle &&
                t.pointSize == page.pointSize);
    ASSERT_EQ(t.items.size(), page.items.size());

    const bool english = copy.script == Script::Latin;
    EXPECT_TRUE(english ? t.title == page.title : t.title != page.title && IsWrittenIn(t.title, copy.script));
    // A font of the copy's language: the pages' own is the Korean one.
    EXPECT_EQ(t.fontName == page.fontName, english || copy.script == Script::Hangul);
    for (size_t i = 0; i < page.items.size(); ++i) {
        const dlg::Item &want = page.items[i], &got = t.items[i];
        SCOPED_TRACE(testing::Message() << "item " << i << " \"" << dlg::Narrow(want.text) << "\"");
        EXPECT_TRUE(got.id == want.id && got.rect == want.rect && got.className == want.className &&
                    got.style == want.style && got.exStyle == want.exStyle);
        // Words are translated; the Option page's check boxes keep their commands' names.
        const bool command = copy.pageId == IDD_OPTION_PAGE && lstrcmpiA(want.className.c_str(), "STATIC") != 0;
        const bool kept = english || want.text.empty() || command;
        EXPECT_TRUE(kept ? got.text == want.text : got.text != want.text && IsWrittenIn(got.text, copy.script))
            << dlg::Narrow(got.text);
    }
}

INSTANTIATE_TEST_SUITE_P(Copies, PageCopyTemplate, testing::ValuesIn(kCopies),
                         [](const testing::TestParamInfo<PageCopy>& p) { return p.param.name; });

}  // namespace
