#pragma once

#include <string>

#include "platform/HeldFolder.h"
#include "platform/SystemError.h"

// One save at a time per client folder: two runs of the tools at once (the
// sheet open while a script runs setupctl) would tear the saved file and
// lose each other's changes. Only one who may save can hold it: natively a
// write lock on a file of the client folder that only its owner may open,
// on Windows a Global\ mutex named from the folder's identity, which only
// administrators and services may make. Held until it goes out of scope.
class SaveLock {
public:
    // How long a save waits for another one to end before it fails: a
    // save that hangs must not stop every later one for ever.
    static constexpr unsigned kWaitMilliseconds = 10000;

    SaveLock() = default;
    ~SaveLock();
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

    // Takes the lock of the folder hostPath, waiting while another process
    // holds it; kSaveBusy when it did not come free in time.
    SystemError Take(const std::string& hostPath);
    bool Held() const { return held_; }

private:
    HeldFolder folder_;
    bool held_ = false;
#ifdef _WIN32
    void* mutex_ = nullptr;
#else
    int descriptor_ = -1;
#endif
};
