#include "platform/SaveLock.h"

#include <cerrno>
#include <sys/file.h>
#include <time.h>

namespace {

constexpr unsigned kPollMilliseconds = 20;

void Pause(unsigned milliseconds)
{
    timespec pause{0, static_cast<long>(milliseconds) * 1000000L};
    nanosleep(&pause, nullptr);
}

}  // namespace

SaveLock::~SaveLock()
{
    if (held_)
        flock(folder_.Descriptor(), LOCK_UN);
}

// flock waits without a time limit: tried again until the time is up.
SystemError SaveLock::Take(const std::string& hostPath)
{
    const SystemError error = folder_.Open(hostPath);
    if (error != kNoError)
        return error;
    for (unsigned waited = 0;; waited += kPollMilliseconds) {
        if (flock(folder_.Descriptor(), LOCK_EX | LOCK_NB) == 0) {
            held_ = true;
            return kNoError;
        }
        if (errno != EWOULDBLOCK && errno != EINTR)
            return LastSystemError();
        if (waited >= kWaitMilliseconds)
            return kSaveBusy;
        Pause(kPollMilliseconds);
    }
}
