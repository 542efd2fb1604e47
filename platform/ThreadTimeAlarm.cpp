#include "platform/ThreadTimeAlarm.h"

#include <algorithm>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#endif

namespace {

// How often a rung alarm rings again; also the shortest wait.
constexpr std::chrono::milliseconds kRingAgain{1};

}  // namespace

#ifdef _WIN32

ThreadClock::ThreadClock()
{
    const HANDLE process = GetCurrentProcess();
    valid_ = DuplicateHandle(process, GetCurrentThread(), process, &thread_, 0, FALSE,
                             DUPLICATE_SAME_ACCESS) != 0;
}

ThreadClock::~ThreadClock()
{
    if (valid_)
        CloseHandle(thread_);
}

std::chrono::nanoseconds ThreadClock::Used() const
{
    FILETIME created, exited, kernel, user;
    if (!valid_ || !GetThreadTimes(thread_, &created, &exited, &kernel, &user))
        return std::chrono::nanoseconds(0);
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return std::chrono::nanoseconds((ticks(kernel) + ticks(user)) * 100);  // in 100 ns
}

#else

ThreadClock::ThreadClock()
{
    valid_ = pthread_getcpuclockid(pthread_self(), &clock_) == 0;
}

ThreadClock::~ThreadClock() = default;

std::chrono::nanoseconds ThreadClock::Used() const
{
    timespec used{};
    if (!valid_ || clock_gettime(clock_, &used) != 0)
        return std::chrono::nanoseconds(0);
    return std::chrono::seconds(used.tv_sec) + std::chrono::nanoseconds(used.tv_nsec);
}

#endif

ThreadTimeAlarm::ThreadTimeAlarm(std::chrono::nanoseconds at, std::function<void()> ring)
    : at_(at), ring_(std::move(ring))
{
    if (!clock_.valid())
        return;
    try {
        watcher_ = std::thread(&ThreadTimeAlarm::Watch, this);
    } catch (const std::system_error&) {
        // no thread to spare: the alarm stays silent
    }
}

ThreadTimeAlarm::~ThreadTimeAlarm()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    stop_.notify_one();
    if (watcher_.joinable())
        watcher_.join();
}

// Processor time passes no faster than the clock on the wall: the watched
// thread cannot reach `at` before the time still left has passed.
void ThreadTimeAlarm::Watch()
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        const std::chrono::nanoseconds left = at_ - clock_.Used();
        if (left <= std::chrono::nanoseconds(0))
            ring_();
        stop_.wait_for(lock, std::max<std::chrono::nanoseconds>(left, kRingAgain));
    }
}
