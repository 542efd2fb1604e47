#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#ifndef _WIN32
#include <time.h>
#endif

// The processor-time clock of the thread that made it, readable from any
// thread.
class ThreadClock {
public:
    ThreadClock();
    ~ThreadClock();
    ThreadClock(const ThreadClock&) = delete;
    ThreadClock& operator=(const ThreadClock&) = delete;

    bool valid() const { return valid_; }
    // What the thread has used, as ThreadTime() gives it on that thread.
    std::chrono::nanoseconds Used() const;

private:
    bool valid_ = false;
#ifdef _WIN32
    void* thread_ = nullptr;  // a handle of the thread, to be closed
#else
    clockid_t clock_{};
#endif
};

// While it lives, ring is called from a thread of its own once the thread
// that made the alarm has used `at` of processor time (ThreadTime), and
// again every millisecond after, until the alarm is destroyed: a thread
// that keeps running is told again. Never after the destructor returns.
// Where no thread can be started it never rings.
class ThreadTimeAlarm {
public:
    ThreadTimeAlarm(std::chrono::nanoseconds at, std::function<void()> ring);
    ~ThreadTimeAlarm();
    ThreadTimeAlarm(const ThreadTimeAlarm&) = delete;
    ThreadTimeAlarm& operator=(const ThreadTimeAlarm&) = delete;

private:
    void Watch();

    ThreadClock clock_;
    std::chrono::nanoseconds at_;
    std::function<void()> ring_;
    std::mutex mutex_;
    std::condition_variable stop_;
    bool stopping_ = false;
    std::thread watcher_;  // last: it starts once the rest is ready
};
