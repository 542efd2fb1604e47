#include "optionfiles/PendingFile.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// Flushes the C buffer and the system's cache, so that a renamed file is
// whole on disk; true when every write on file succeeded.
bool FlushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0 || std::ferror(file))
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

bool ReplaceFile(const std::string& from, const std::string& to)
{
#ifdef _WIN32
    return MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

bool CopyBytes(std::FILE* from, std::FILE* to)
{
    char buffer[16384];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, from)) > 0) {
        if (std::fwrite(buffer, 1, count, to) != count)
            return false;
    }
    return !std::ferror(from);
}

FileHandle StartFromSavedBytes(const std::string& hostPath)
{
    const std::string pending = PendingName(hostPath);
    FileHandle file = OpenFile(pending.c_str(), "w+b");
    if (!file)
        return nullptr;
    FileHandle saved = OpenFile(hostPath.c_str(), "rb");
    if (saved && !CopyBytes(saved.get(), file.get())) {
        file.reset();
        std::remove(pending.c_str());
    }
    return file;
}

}  // namespace

std::string PendingName(const std::string& hostPath)
{
    return hostPath + ".new";
}

bool StartPendingFile(const std::string& hostPath, const std::vector<std::string>& lines)
{
    const std::string pending = PendingName(hostPath);
    FileHandle file = OpenFile(pending.c_str(), "wb");
    bool written = file != nullptr;
    for (const std::string& line : lines) {
        if (!written)
            break;
        written = std::fwrite(line.data(), 1, line.size(), file.get()) == line.size() &&
                  std::fwrite("\r\n", 1, 2, file.get()) == 2;
    }
    written = written && std::fflush(file.get()) == 0;
    const bool closed = file && std::fclose(file.release()) == 0;
    if (written && closed)
        return true;
    std::remove(pending.c_str());
    return false;
}

FileHandle ContinuePendingFile(const std::string& hostPath)
{
    FileHandle file = OpenFile(PendingName(hostPath).c_str(), "r+b");
    if (!file)
        return StartFromSavedBytes(hostPath);
    if (std::fseek(file.get(), 0, SEEK_END) != 0)
        return nullptr;
    return file;
}

bool CommitPendingFile(FileHandle file, const std::string& hostPath)
{
    const std::string pending = PendingName(hostPath);
    const bool flushed = FlushToDisk(file.get());
    const bool closed = std::fclose(file.release()) == 0;
    if (flushed && closed && ReplaceFile(pending, hostPath))
        return true;
    std::remove(pending.c_str());
    return false;
}
