// Setting lines aside: the lines that break the saved file and no others,
// at a cost that does not grow with the file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "optionfiles/PreservedLines.h"
#include "optionfiles/SetAsideLines.h"
#include "settings/SettingNames.h"

namespace {

const std::string kBlocks = "t = {}\r\n";

// lineCount lines "a = 1", with the lines given replaced.
std::string FileOf(std::size_t lineCount, const std::vector<std::pair<std::size_t, std::string>>& replaced)
{
    std::vector<std::string> lines(lineCount, "a = 1");
    for (const auto& [at, line] : replaced)
        lines[at] = line;
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

struct Trial {
    SetAside setAside;
    int compiles = 0;
    bool writtenCompiles = false;
};

// Sets lines of text aside, counting the compiles, and compiles what a save
// would then write.
Trial SetAsideIn(const std::string& text)
{
    InitSettingNames();
    Trial trial;
    TextLines kept = PreservedLinesOf(text);
    trial.setAside = SetAsideUntilCompiles(kept, kBlocks, [&trial](std::string bytes) {
        ++trial.compiles;
        return CompileFileBytes(std::move(bytes));
    });
    SetLinesAside(kept, trial.setAside);
    std::string written;
    for (std::size_t at = 0; at < kept.size(); ++at)
        written += std::string(kept.IsSetAside(at) ? kSetAsidePrefix : "") + std::string(kept[at]) + "\r\n";
    trial.writtenCompiles = CompileFileBytes(written + kBlocks).status == CompileVerdict::Status::kCompiles;
    return trial;
}

using Indices = std::vector<std::size_t>;

}  // namespace

TEST(SetAside, OnlyTheLinesThatBreakTheFile)
{
    const struct { const char* name; std::string text; Indices aside; } cases[] = {
        {"a file that compiles", FileOf(50, {}), {}},
        {"one broken line", FileOf(2000, {{700, "a = = 1"}}), {700}},
        {"a block opened and never closed", FileOf(2000, {{3, "do"}}), {3}},
        {"a long string never closed", FileOf(2000, {{1200, "s = [["}}), {1200}},
        {"two broken lines", FileOf(2000, {{10, "a = = 1"}, {1990, "}"}}), {10, 1990}},
        {"a table that the blocks would close", FileOf(5, {{4, "u = {"}}), {4}},
    };
    for (const auto& c : cases) {
        const Trial trial = SetAsideIn(c.text);
        EXPECT_EQ(trial.setAside.outcome, SetAside::Outcome::kCompiles) << c.name;
        EXPECT_EQ(trial.setAside.lines, c.aside) << c.name;
        EXPECT_TRUE(trial.writtenCompiles) << c.name;
        EXPECT_LE(trial.compiles, kMostCompiles) << c.name;
    }
}

// Every line breaks the file: each costs a search of its own, so the
// compiles run out and the rest is set aside at once.
TEST(SetAside, AFileThatNeverCompilesCostsABoundedNumberOfCompiles)
{
    for (const std::size_t lineCount : {100u, 20000u}) {
        std::string text;
        for (std::size_t at = 0; at < lineCount; ++at)
            text += "a = = " + std::to_string(at) + "\n";
        const Trial trial = SetAsideIn(text);
        EXPECT_EQ(trial.setAside.outcome, SetAside::Outcome::kCompiles);
        EXPECT_EQ(trial.setAside.lines.size(), lineCount);
        EXPECT_LT(trial.setAside.wholesaleFrom, lineCount);
        EXPECT_TRUE(trial.writtenCompiles);
        EXPECT_LE(trial.compiles, kMostCompiles + 2) << lineCount << " lines";
    }
}

// A line that stays broken behind "-- " (a lone CR ends Lua's comment)
// leaves nothing to set aside that helps.
TEST(SetAside, ALineThatACommentCannotHoldNeverCompiles)
{
    const Trial trial = SetAsideIn(FileOf(300, {{150, "a\r= ="}}));
    EXPECT_EQ(trial.setAside.outcome, SetAside::Outcome::kNeverCompiles);
    EXPECT_LE(trial.compiles, 2);
}

// The lines are places in the list's own buffer: a copy or a move, of a
// text short enough to be held inside the string itself, keeps them right.
TEST(TextLines, ACopyOrAMoveKeepsItsLines)
{
    InitSettingNames();
    TextLines kept = PreservedLinesOf("x\r\n\r\ny\nz");
    kept.SetAside(1);
    TextLines copy = kept;
    TextLines moved = std::move(kept);
    kept = TextLines{"other"};
    for (const TextLines* lines : {&copy, &moved}) {
        ASSERT_EQ(lines->size(), 3u);
        EXPECT_EQ((*lines)[0], "x");
        EXPECT_EQ((*lines)[2], "z");
        EXPECT_TRUE(lines->IsSetAside(1));
        EXPECT_FALSE(lines->IsSetAside(2));
    }
    EXPECT_EQ(copy, moved);
    EXPECT_NE(copy, (TextLines{"x", "y", "z"}));
}
