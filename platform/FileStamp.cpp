#include "platform/FileStamp.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace {

#ifdef _WIN32
constexpr std::int64_t kTicksPerSecond = 10'000'000;  // FILETIME's 100 ns

std::int64_t Ticks(FILETIME time)
{
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) |
                                     time.dwLowDateTime);
}
#else
constexpr std::int64_t kTicksPerSecond = 1'000'000'000;

std::int64_t Ticks(const timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * kTicksPerSecond + time.tv_nsec;
}
#endif

// More than the coarsest file time (FAT's two seconds) and a clock tick.
constexpr std::int64_t kUnsettledTicks = 3 * kTicksPerSecond;

}  // namespace

#ifdef _WIN32

// No access asked for: enough to read the file's information, and never in
// the way of another program that has it open.
StampStatus StampFile(const std::string& hostPath, FileStamp& stamp)
{
    const HANDLE file = CreateFileA(hostPath.c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? StampStatus::kMissing
                   : StampStatus::kUnknown;
    }
    const StampStatus status = StampHandle(file, stamp);
    CloseHandle(file);
    return status;
}

StampStatus StampHandle(void* handle, FileStamp& stamp)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(handle, &info))
        return StampStatus::kUnknown;
    stamp.volume = info.dwVolumeSerialNumber;
    stamp.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    stamp.writeTime = Ticks(info.ftLastWriteTime);
    stamp.changeTime = stamp.writeTime;
    return StampStatus::kStamped;
}

std::int64_t FileClockNow()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return Ticks(now);
}

#else

StampStatus StampFile(const std::string& hostPath, FileStamp& stamp)
{
    return StampAt(AT_FDCWD, hostPath.c_str(), 0, stamp);
}

StampStatus StampAt(int folder, const char* name, int flags, FileStamp& stamp)
{
    struct stat info;
    if (fstatat(folder, name, &info, flags) != 0)
        return errno == ENOENT || errno == ENOTDIR ? StampStatus::kMissing : StampStatus::kUnknown;
    stamp.volume = static_cast<std::uint64_t>(info.st_dev);
    stamp.index = static_cast<std::uint64_t>(info.st_ino);
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.writeTime = Ticks(info.st_mtim);
    stamp.changeTime = Ticks(info.st_ctim);
    return StampStatus::kStamped;
}

std::int64_t FileClockNow()
{
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return Ticks(now);
}

#endif

bool MayChangeUnseen(const FileStamp& stamp, std::int64_t now)
{
    const std::int64_t settled = now - kUnsettledTicks;
    return stamp.writeTime >= settled || stamp.changeTime >= settled;
}
