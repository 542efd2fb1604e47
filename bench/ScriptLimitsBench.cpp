// What a script in the save folder can make the tool spend.
//
// ElseifChain: one compile of a chain of elseif branches of the given size
// in KiB, in a state without limits: the compile's own cost.
//
// Overrun: a run under the limits of a script whose instructions are each
// costly; "overrun_ms" is the processor time the run took past the 250 ms
// it may take (the most of the rounds).
//   build/bench/bench/script_limits_bench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

#include "optionfiles/LuaLimits.h"
#include "platform/ThreadTime.h"

namespace {

std::string ElseifChain(std::size_t bytes)
{
    std::string source = "local x = 0\nif x == 0 then x = 1\n";
    for (int branch = 1; source.size() < bytes; ++branch)
        source += "elseif x == " + std::to_string(branch) + " then x = 2\n";
    return source + "end\n";
}

void ElseifChainCompile(benchmark::State& state)
{
    const std::string source = ElseifChain(static_cast<std::size_t>(state.range(0)) << 10);
    LuaMemory memory;
    LuaStatePtr lua = NewLimitedState(memory);
    bool compiled = false;
    for (auto _ : state) {
        // Past some 32,000 branches the jumps are too long for Lua's code:
        // the compile fails at the end, having done all the work.
        compiled = luaL_loadbuffer(lua.get(), source.data(), source.size(), "=chain") == 0;
        lua_settop(lua.get(), 0);
    }
    state.counters["compiled"] = compiled;
}

// A string constant of the given size: the same byte, or the same byte
// with a different last one.
std::string LongConstant(std::size_t bytes, const char* byte, const char* last)
{
    std::string constant = "\"";
    for (std::size_t at = 1; at < bytes; ++at)
        constant += byte;
    return constant + last + "\"";
}

const std::string& CostlyScript(int which)
{
    static const std::string scripts[] = {
        // two 4 MiB strings compared, over and over
        "local a = " + LongConstant(4u << 20, "x", "a") + " local b = " + LongConstant(4u << 20, "x", "b") +
            " while true do local c = a < b end",
        // two 256 KiB strings of NUL bytes (strcoll stopped at each)
        "local a = " + LongConstant(256u << 10, "\\0", "a") + " local b = " +
            LongConstant(256u << 10, "\\0", "b") + " while true do local c = a < b end",
        // a string doubled up to the memory ceiling
        "local s = 'xxxxxxxxxxxxxxxx' while true do s = s .. s end",
        // a table grown until the memory ceiling
        "local t = {} local i = 1 while true do t[i] = i i = i + 1 end",
    };
    return scripts[which];
}

void Overrun(benchmark::State& state)
{
    const std::string& source = CostlyScript(static_cast<int>(state.range(0)));
    std::chrono::nanoseconds most{0};
    for (auto _ : state) {
        LuaMemory memory;
        LuaStatePtr lua = NewLimitedState(memory);
        if (luaL_loadbuffer(lua.get(), source.data(), source.size(), "=costly") != 0) {
            state.SkipWithError(lua_tostring(lua.get(), -1));
            break;
        }
        const std::chrono::nanoseconds start = ThreadTime();
        {
            LimitedRun limits(lua.get(), memory);
            lua_pcall(lua.get(), 0, 0, 0);
        }
        most = std::max(most, ThreadTime() - start - kRunTimeLimit);
    }
    state.counters["overrun_ms"] = std::chrono::duration<double, std::milli>(most).count();
}

}  // namespace

BENCHMARK(ElseifChainCompile)->Arg(512)->Arg(1024)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Overrun)->DenseRange(0, 3)->Iterations(2)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
