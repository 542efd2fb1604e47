#include "optionfiles/SetAsideLines.h"

#include <algorithm>
#include <cstdlib>

namespace {

using Status = CompileVerdict::Status;

// The Lua line on which each kept line begins, as composed, and then the
// blocks' first: Lua ends a line at each lone CR as well, and the CR LF
// behind each kept line ends one more.
std::vector<int> LuaLineStarts(const TextLines& kept)
{
    std::vector<int> starts;
    starts.reserve(kept.size() + 1);
    int luaLine = 1;
    for (std::size_t at = 0; at < kept.size(); ++at) {
        starts.push_back(luaLine);
        luaLine += 1 + static_cast<int>(std::count(kept[at].begin(), kept[at].end(), '\r'));
    }
    starts.push_back(luaLine);
    return starts;
}

// The line Lua blames: for a block never closed, where it was opened
// ("'end' expected (to close 'do' at line 3)"), else where it stopped.
int BlamedLine(const ScriptProblem& problem)
{
    const std::size_t close = problem.message.find("(to close '");
    const std::size_t at = close == std::string::npos ? close : problem.message.find("' at line ", close);
    if (at == std::string::npos)
        return problem.line;
    const int opened = std::atoi(problem.message.c_str() + at + 10);
    return opened > 0 ? opened : problem.line;
}

// The kept line in which Lua's line luaLine lies; the number of kept lines
// for the blocks.
std::size_t KeptLineAt(const std::vector<int>& starts, int luaLine)
{
    const auto after = std::upper_bound(starts.begin(), starts.end(), luaLine);
    return after == starts.begin() ? 0 : static_cast<std::size_t>(after - starts.begin() - 1);
}

// The search's state. The lines below settled are decided (set aside or
// not); every line from restoredEnd on is set aside while a trial compiles.
class Search {
public:
    Search(const TextLines& kept, const std::string& blocks, const Compiler& compile)
        : kept_(kept), blocks_(blocks), compile_(compile), aside_(kept.size(), false),
          starts_(LuaLineStarts(kept))
    {
    }

    SetAside Run();

private:
    // Compiles the decided lines, the lines settled_ .. restoredEnd as they
    // are, and every later line set aside.
    CompileVerdict Trial(std::size_t restoredEnd);
    // The first line from settled_ on that breaks the lines above it, with
    // Lua's hint; kept.size() when the compiles ran out first, with
    // soundEnd_ where what is known to compile ends.
    std::size_t FindBreaker(std::size_t hint);
    // A trial of the search: true when it compiles. An unknown verdict
    // counts as a failure: fewer lines are then tried.
    bool Compiles(std::size_t restoredEnd) { return Trial(restoredEnd).status == Status::kCompiles; }
    SetAside Finished(SetAside::Outcome outcome) const;

    const TextLines& kept_;
    const std::string& blocks_;
    const Compiler& compile_;
    std::vector<bool> aside_;
    std::vector<int> starts_;
    std::size_t settled_ = 0;
    std::size_t soundEnd_ = 0;
    std::size_t wholesaleFrom_ = 0;
    int compiles_ = 0;
};

CompileVerdict Search::Trial(std::size_t restoredEnd)
{
    ++compiles_;
    std::string text;
    text.reserve(ComposedSize(kept_, blocks_) + kSetAsidePrefix.size() * kept_.size());
    for (std::size_t at = 0; at < kept_.size(); ++at) {
        if (aside_[at] || at >= restoredEnd)
            text += kSetAsidePrefix;
        text += kept_[at];
        text += "\r\n";
    }
    text += blocks_;
    return compile_(std::move(text));
}

std::size_t Search::FindBreaker(std::size_t hint)
{
    // Restoring settled_ .. sound compiles, restoring settled_ .. broken does not.
    std::size_t sound = settled_;
    std::size_t broken = kept_.size();
    if (hint >= settled_ && hint + 1 < broken && compiles_ < kMostCompiles) {
        if (Compiles(hint + 1))
            sound = hint + 1;
        else
            broken = hint + 1;
    }
    if (hint > sound && hint < broken && compiles_ < kMostCompiles) {
        if (Compiles(hint))
            sound = hint;
        else
            broken = hint;
    }
    while (broken - sound > 1 && compiles_ < kMostCompiles) {
        const std::size_t middle = sound + (broken - sound) / 2;
        if (Compiles(middle))
            sound = middle;
        else
            broken = middle;
    }
    soundEnd_ = sound;
    return broken - sound == 1 ? sound : kept_.size();
}

SetAside Search::Run()
{
    wholesaleFrom_ = kept_.size();
    bool asideCompiles = false;
    for (;;) {
        const CompileVerdict verdict = Trial(kept_.size());
        if (verdict.status != Status::kFails)
            return Finished(verdict.status == Status::kCompiles ? SetAside::Outcome::kCompiles
                                                                : SetAside::Outcome::kUnknown);
        // What the search stands on: the file with every line not yet
        // decided set aside compiles.
        if (!asideCompiles) {
            const CompileVerdict aside = Trial(settled_);
            if (aside.status != Status::kCompiles)
                return Finished(aside.status == Status::kFails ? SetAside::Outcome::kNeverCompiles
                                                               : SetAside::Outcome::kUnknown);
            asideCompiles = true;
        }
        const std::size_t breaker = FindBreaker(KeptLineAt(starts_, BlamedLine(verdict.problem)));
        if (breaker == kept_.size()) {
            wholesaleFrom_ = soundEnd_;
            std::fill(aside_.begin() + static_cast<std::ptrdiff_t>(soundEnd_), aside_.end(), true);
            return Finished(SetAside::Outcome::kCompiles);
        }
        aside_[breaker] = true;
        settled_ = breaker + 1;
    }
}

SetAside Search::Finished(SetAside::Outcome outcome) const
{
    SetAside result;
    result.outcome = outcome;
    result.wholesaleFrom = wholesaleFrom_;
    for (std::size_t at = 0; at < aside_.size(); ++at) {
        if (aside_[at])
            result.lines.push_back(at);
    }
    return result;
}

}  // namespace

std::size_t ComposedSize(const TextLines& kept, const std::string& blocks)
{
    std::size_t size = blocks.size();
    for (std::size_t at = 0; at < kept.size(); ++at)
        size += kept[at].size() + 2 + (kept.IsSetAside(at) ? kSetAsidePrefix.size() : 0);
    return size;
}

SetAside SetAsideUntilCompiles(const TextLines& kept, const std::string& blocks, const Compiler& compile)
{
    return Search(kept, blocks, compile).Run();
}

void SetLinesAside(TextLines& kept, const SetAside& setAside)
{
    for (const std::size_t at : setAside.lines)
        kept.SetAside(at);
}
