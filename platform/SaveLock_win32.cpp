#include "platform/SaveLock.h"

#include <cstdint>
#include <windows.h>

namespace {

// Every session of the machine sees one mutex of this name per folder,
// whichever path reaches it.
std::string MutexName(std::uint64_t volume, std::uint64_t index)
{
    return "Global\\Setup save " + std::to_string(volume) + " " + std::to_string(index);
}

}  // namespace

SaveLock::~SaveLock()
{
    if (held_)
        ReleaseMutex(mutex_);
    if (mutex_ != nullptr)
        CloseHandle(mutex_);
}

// A mutex whose owner died without releasing it comes free abandoned: the
// files it saved are whole or not replaced, so the save goes on.
SystemError SaveLock::Take(const std::string& hostPath)
{
    SystemError error = folder_.Open(hostPath);
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    if (error == kNoError && !folder_.Identity(volume, index))
        error = LastSystemError();
    if (error != kNoError)
        return error;
    mutex_ = CreateMutexA(nullptr, FALSE, MutexName(volume, index).c_str());
    if (mutex_ == nullptr)
        return LastSystemError();
    switch (WaitForSingleObject(mutex_, kWaitMilliseconds)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED: held_ = true; return kNoError;
    case WAIT_TIMEOUT: return kSaveBusy;
    default: return LastSystemError();
    }
}
