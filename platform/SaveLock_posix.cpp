#include "platform/SaveLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr unsigned kPollMilliseconds = 20;

// In the client folder, which only those who may change the client write.
// Only its owner may open it: a write lock needs it open for writing, and
// a read lock, which would stand in a write lock's way, needs it open at
// all, so nobody else can hold either.
constexpr char kLockFileName[] = "setup.lock";
constexpr mode_t kOwnerOnly = S_IRUSR | S_IWUSR;

void Pause(unsigned milliseconds)
{
    timespec pause{0, static_cast<long>(milliseconds) * 1000000L};
    nanosleep(&pause, nullptr);
}

// A lock of the whole file, held by this open file (not the process), so
// that two saves of one process stand in each other's way as well.
bool TryLock(int descriptor, short type)
{
    struct flock lock{};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    return fcntl(descriptor, F_OFD_SETLK, &lock) == 0;
}

// A lock file that others could open (made by an earlier tool, or by hand)
// is closed to them, where this user owns it.
SystemError OpenLockFile(int folder, int& descriptor)
{
    descriptor = openat(folder, kLockFileName, O_RDWR | O_CREAT | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, kOwnerOnly);
    if (descriptor < 0)
        return errno == ELOOP ? kRefusedLink : LastSystemError();
    struct stat info;
    if (fstat(descriptor, &info) != 0)
        return LastSystemError();
    if (!S_ISREG(info.st_mode))
        return kRefusedNotAFile;
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0 && info.st_uid == geteuid())
        fchmod(descriptor, kOwnerOnly);
    return kNoError;
}

}  // namespace

SaveLock::~SaveLock()
{
    if (held_)
        TryLock(descriptor_, F_UNLCK);
    if (descriptor_ >= 0)
        close(descriptor_);
}

// The lock is not waited for without a time limit: tried again until the
// time is up.
SystemError SaveLock::Take(const std::string& hostPath)
{
    SystemError error = folder_.Open(hostPath);
    if (error == kNoError)
        error = OpenLockFile(folder_.Descriptor(), descriptor_);
    if (error != kNoError)
        return error;
    for (unsigned waited = 0;; waited += kPollMilliseconds) {
        if (TryLock(descriptor_, F_WRLCK)) {
            held_ = true;
            return kNoError;
        }
        if (errno != EAGAIN && errno != EACCES && errno != EINTR)
            return LastSystemError();
        if (waited >= kWaitMilliseconds)
            return kSaveBusy;
        Pause(kPollMilliseconds);
    }
}
