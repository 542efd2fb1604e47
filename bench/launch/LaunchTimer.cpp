// Times programs from their start to a visible sheet (SheetWatch.h), then
// cancels the sheet and waits for the program to end; prints min, median
// and max of each program in milliseconds.
//
//   launch_timer [-n ROUNDS] [-w WARMUP] [-c CAPTION] PROGRAM FOLDER [PROGRAM FOLDER ...]
//
// ROUNDS (default 7) rounds are counted after WARMUP (default 1) rounds
// that are not. With several programs each round runs every one of them
// once, starting with the next one each round, so that they share the
// machine's ups and downs. Linux paths are taken as Wine's drive Z:. Ends
// with 1, saying why, when a program shows no sheet or does not end after
// CANCEL: a run with a missing figure measures nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "SheetWatch.h"
#include "e2e/RemoteSheet.h"
#include "support/RunProgram.h"

namespace {

constexpr DWORD kSheetTimeoutMs = 120000;
constexpr DWORD kEndTimeoutMs = 30000;

struct Target {
    std::string program;
    std::string folder;
    std::vector<double> launchMs;
};

struct Options {
    int rounds = 7;
    int warmup = 1;
    std::string caption = "Korvane Setup";
    std::vector<Target> targets;
};

bool ParseCount(const char* text, int least, int& count)
{
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < least || value > 1000)
        return false;
    count = static_cast<int>(value);
    return true;
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    int i = 1;
    for (; i + 1 < argc && argv[i][0] == '-'; i += 2) {
        const char* value = argv[i + 1];
        if (std::strcmp(argv[i], "-n") == 0 && ParseCount(value, 1, options.rounds))
            continue;
        if (std::strcmp(argv[i], "-w") == 0 && ParseCount(value, 0, options.warmup))
            continue;
        if (std::strcmp(argv[i], "-c") == 0) {
            options.caption = value;
            continue;
        }
        return false;
    }
    if (i >= argc || (argc - i) % 2 != 0)
        return false;
    for (; i < argc; i += 2)
        options.targets.push_back({run::WinePath(argv[i]), run::WinePath(argv[i + 1]), {}});
    return true;
}

double NowMs()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One launch of target: the milliseconds to its visible sheet, or a
// negative number when it failed (said on stderr).
double TimeLaunch(const Target& target, const std::string& caption)
{
    const double start = NowMs();
    remote::Process process(target.program, target.folder);
    if (!process.started()) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", target.program.c_str(), GetLastError());
        return -1;
    }
    HWND sheet = launch::WaitForVisibleSheet(process.handle(), process.id(), caption.c_str(), kSheetTimeoutMs);
    const double elapsed = NowMs() - start;
    if (sheet == nullptr) {
        std::fprintf(stderr, "%s in %s showed no sheet \"%s\"\n", target.program.c_str(),
                     target.folder.c_str(), caption.c_str());
        return -1;
    }
    launch::CancelSheet(sheet);
    if (process.Wait(kEndTimeoutMs) < 0) {
        std::fprintf(stderr, "%s did not end after its sheet was cancelled\n", target.program.c_str());
        return -1;
    }
    return elapsed;
}

bool RunRounds(Options& options)
{
    const size_t count = options.targets.size();
    for (int round = 0; round < options.warmup + options.rounds; ++round) {
        for (size_t k = 0; k < count; ++k) {
            Target& target = options.targets[(static_cast<size_t>(round) + k) % count];
            double ms = TimeLaunch(target, options.caption);
            if (ms < 0)
                return false;
            if (round >= options.warmup)
                target.launchMs.push_back(ms);
        }
    }
    return true;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void PrintSummary(const Target& target)
{
    const auto [least, most] = std::minmax_element(target.launchMs.begin(), target.launchMs.end());
    std::printf("%s in %s: min %.0f ms, median %.0f ms, max %.0f ms over %zu rounds (",
                target.program.c_str(), target.folder.c_str(), *least, Median(target.launchMs), *most,
                target.launchMs.size());
    for (size_t i = 0; i < target.launchMs.size(); ++i)
        std::printf(i == 0 ? "%.0f" : " %.0f", target.launchMs[i]);
    std::printf(")\n");
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: launch_timer [-n ROUNDS] [-w WARMUP] [-c CAPTION] PROGRAM FOLDER [PROGRAM FOLDER ...]\n");
        return 2;
    }
    if (!RunRounds(options))
        return 1;
    for (const Target& target : options.targets)
        PrintSummary(target);
    return 0;
}
