// The native save lock: one save at a time, and nobody who may only read
// the client folder can hold it and so stop a save.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/SaveLock.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

TEST(SaveLock, IsHeldByOneSaveAtATime)
{
    TempFolder folder;
    SaveLock first;
    ASSERT_EQ(first.Take("."), kNoError);
    const pid_t child = fork();
    if (child == 0) {
        SaveLock second;
        _exit(second.Take(".") == kSaveBusy ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// What a user who may read the client folder can hold there: its
// descriptor locked with flock, and any lock on the lock file it can
// open. The child, as nobody, takes all it can and waits; the save, as
// root, must still take the lock at once.
int HoldWhatAReaderCan(int ready, int done)
{
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr || setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 ||
        setuid(nobody->pw_uid) != 0)
        return 2;
    const int folder = open(".", O_RDONLY | O_DIRECTORY);
    const bool folderLocked = folder >= 0 && flock(folder, LOCK_EX | LOCK_NB) == 0;
    const int lockFile = open("setup.lock", O_RDONLY);
    struct flock lock{};
    lock.l_type = F_RDLCK;
    const bool fileLocked = lockFile >= 0 && fcntl(lockFile, F_OFD_SETLK, &lock) == 0;
    SaveLock save;
    const bool saveLockTaken = save.Take(".") == kNoError;
    const char told = folderLocked ? 'r' : '-';
    if (write(ready, &told, 1) != 1)
        return 2;
    char end;
    if (read(done, &end, 1) != 1)
        return 2;
    return fileLocked || saveLockTaken || lockFile >= 0 ? 1 : 0;
}

TEST(SaveLock, AUserWhoMayOnlyReadTheFolderCannotHoldIt)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "not run as root: no other user to try the lock as";
    TempFolder folder;
    fs::permissions(folder.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
    {
        SaveLock made;  // the lock file exists, as after any earlier save
        ASSERT_EQ(made.Take("."), kNoError);
    }
    int ready[2];
    int done[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(done), 0);
    const pid_t child = fork();
    if (child == 0)
        _exit(HoldWhatAReaderCan(ready[1], done[0]));
    char told = 0;
    ASSERT_EQ(read(ready[0], &told, 1), 1);
    EXPECT_EQ(told, 'r');  // the old lock on the folder was in reach
    SaveLock save;
    EXPECT_EQ(save.Take("."), kNoError);
    EXPECT_EQ(write(done[1], "x", 1), 1);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the reader could open or lock the lock file";
    for (const int end : {ready[0], ready[1], done[0], done[1]})
        close(end);
}

}  // namespace
