#include "session/SetupSession.h"

#include "platform/SaveLock.h"

SystemError SetupSession::TakeSaveLock(SaveLock& lock)
{
    return lock.Take(".");  // the client folder, which the tools run in
}
