#include "optionfiles/SetAsideLines.h"

#include <algorithm>

#include "optionfiles/SourceCompile.h"

namespace {

// Past this many bytes compiled, a file that still breaks after each
// round has every remaining kept line set aside at once: each round
// compiles the whole file, and a file of many broken lines must not hold
// the save up for minutes.
constexpr std::size_t kCompileBudget = 64u << 20;

bool IsLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

// For each line of text (ended by LF), the line number Lua gives its first
// byte: Lua counts LF, CR, CR LF and LF CR each as one line end.
std::vector<int> LuaLineNumbers(const std::string& text)
{
    std::vector<int> starts{1};
    int luaLine = 1;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (!IsLineEnd(text[at]))
            continue;
        bool endsLine = text[at] == '\n';
        if (at + 1 < text.size() && IsLineEnd(text[at + 1]) && text[at + 1] != text[at]) {
            ++at;
            endsLine = endsLine || text[at] == '\n';
        }
        ++luaLine;
        if (endsLine)
            starts.push_back(luaLine);
    }
    return starts;
}

// The index of the line of text in which Lua's line luaLine lies.
std::size_t LineAt(const std::vector<int>& starts, int luaLine)
{
    const auto after = std::upper_bound(starts.begin(), starts.end(), luaLine);
    return after == starts.begin() ? 0 : static_cast<std::size_t>(after - starts.begin() - 1);
}

// The kept line to set aside for a failure at line index failed: the
// nearest one at or above it not yet set aside; below it when there is none
// (a line that is set aside already, or the first).
std::size_t Culprit(const std::vector<bool>& aside, std::size_t failed)
{
    for (std::size_t at = std::min(failed + 1, aside.size()); at-- > 0;) {
        if (!aside[at])
            return at;
    }
    return static_cast<std::size_t>(std::find(aside.begin(), aside.end(), false) - aside.begin());
}

std::string Compose(const std::vector<std::string>& kept, const std::vector<bool>& aside,
                    const std::string& blocks)
{
    std::string text;
    for (std::size_t at = 0; at < kept.size(); ++at)
        text += (aside[at] ? SetAsideLine(kept[at]) : kept[at]) + "\r\n";
    return text + blocks;
}

SetAside Finished(SetAside::Outcome outcome, const std::vector<bool>& aside)
{
    SetAside result;
    result.outcome = outcome;
    for (std::size_t at = 0; at < aside.size(); ++at) {
        if (aside[at])
            result.lines.push_back(at);
    }
    return result;
}

}  // namespace

std::size_t ComposedSize(const std::vector<std::string>& kept, const std::string& blocks)
{
    std::size_t size = blocks.size();
    for (const std::string& line : kept)
        size += line.size() + 2;
    return size;
}

std::string SetAsideLine(const std::string& line)
{
    return "-- " + line;
}

SetAside SetAsideUntilCompiles(const std::vector<std::string>& kept, const std::string& blocks)
{
    std::vector<bool> aside(kept.size(), false);
    std::size_t compiled = 0;
    for (;;) {
        const std::string text = Compose(kept, aside, blocks);
        const CompileVerdict verdict = CompileFileBytes(text);
        if (verdict.status == CompileVerdict::Status::kCompiles)
            return Finished(SetAside::Outcome::kCompiles, aside);
        if (verdict.status == CompileVerdict::Status::kUnknown)
            return Finished(SetAside::Outcome::kUnknown, aside);
        // Lua names no line for a file it takes for a precompiled chunk:
        // its first line decides that.
        const std::size_t culprit =
            Culprit(aside, verdict.problem.line > 0 ? LineAt(LuaLineNumbers(text), verdict.problem.line) : 0);
        if (culprit == kept.size())
            return Finished(SetAside::Outcome::kNeverCompiles, aside);
        compiled += text.size();
        if (compiled > kCompileBudget)
            std::fill(aside.begin(), aside.end(), true);
        else
            aside[culprit] = true;
    }
}

std::vector<std::string> WithLinesSetAside(std::vector<std::string> kept, const SetAside& setAside)
{
    for (const std::size_t at : setAside.lines)
        kept[at] = SetAsideLine(kept[at]);
    return kept;
}
