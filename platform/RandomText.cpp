#include "platform/RandomText.h"

#include <vector>

#ifdef _WIN32
#include <windows.h>
// RtlGenRandom, in advapi32 since Windows XP.
extern "C" BOOLEAN WINAPI SystemFunction036(PVOID buffer, ULONG length);
#else
#include <sys/random.h>
#include <time.h>
#endif

namespace {

bool FillRandom(std::vector<unsigned char>& bytes)
{
#ifdef _WIN32
    return SystemFunction036(bytes.data(), static_cast<ULONG>(bytes.size())) != FALSE;
#else
    return getrandom(bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size());
#endif
}

// Should the system's source fail, a clock's finest digits still differ
// from one try to the next.
void FillFromClock(std::vector<unsigned char>& bytes)
{
#ifdef _WIN32
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    unsigned long long value = static_cast<unsigned long long>(now.QuadPart);
#else
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    unsigned long long value = static_cast<unsigned long long>(now.tv_sec) * 1000000000ull +
                               static_cast<unsigned long long>(now.tv_nsec);
#endif
    for (unsigned char& each : bytes) {
        each = static_cast<unsigned char>(value);
        value = (value >> 8) | (value << 56);
    }
}

}  // namespace

std::string RandomHexText(std::size_t count)
{
    std::vector<unsigned char> bytes(count);
    if (!FillRandom(bytes))
        FillFromClock(bytes);
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (const unsigned char each : bytes) {
        text += kDigits[each >> 4];
        text += kDigits[each & 15];
    }
    return text;
}
