#include "platform/PendingFile.h"

#include <cstdio>

#include "platform/FileBytes.h"
#include "platform/WholeFile.h"

namespace {

// Drops a side file that cannot become the saved file; returns error.
SystemError Abandon(const std::string& hostPath, SystemError error)
{
    std::remove(PendingName(hostPath).c_str());
    return error;
}

// The saved file's bytes, to start a side file from; an error when the file
// is there but cannot be read, which must not be mistaken for an empty one.
SystemError SavedBytes(const std::string& hostPath, std::string& bytes)
{
    FileBytes saved = ReadFileBytes(hostPath);
    switch (saved.status) {
    case FileBytes::Status::kRead: bytes = std::move(saved.bytes); return kNoError;
    case FileBytes::Status::kMissing: return kNoError;
    case FileBytes::Status::kTooLarge: return kFileTooLarge;
    case FileBytes::Status::kUnreadable: break;
    }
    return saved.error;
}

FileHandle StartFromSavedBytes(const std::string& hostPath, SystemError& error)
{
    std::string bytes;
    error = SavedBytes(hostPath, bytes);
    if (error != kNoError)
        return nullptr;
    ResetFileError();
    FileHandle file = OpenFile(PendingName(hostPath).c_str(), "w+b");
    if (file && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size())
        return file;
    error = LastFileError();
    file.reset();
    Abandon(hostPath, error);
    return nullptr;
}

}  // namespace

std::string PendingName(const std::string& hostPath)
{
    return hostPath + ".new";
}

SystemError StartPendingFile(const std::string& hostPath, const std::vector<std::string>& lines)
{
    ResetFileError();
    FileHandle file = OpenFile(PendingName(hostPath).c_str(), "wb");
    if (!file)
        return LastFileError();
    bool written = true;
    for (const std::string& line : lines) {
        written = std::fwrite(line.data(), 1, line.size(), file.get()) == line.size() &&
                  std::fwrite("\r\n", 1, 2, file.get()) == 2;
        if (!written)
            break;
    }
    written = written && std::fflush(file.get()) == 0;
    const bool closed = std::fclose(file.release()) == 0;
    return written && closed ? kNoError : Abandon(hostPath, LastFileError());
}

FileHandle ContinuePendingFile(const std::string& hostPath, SystemError& error)
{
    ResetFileError();
    FileHandle file = OpenFile(PendingName(hostPath).c_str(), "r+b");
    if (!file) {
        // Either the first step left none, or the one it left cannot be
        // opened: start again from the saved bytes.
        return StartFromSavedBytes(hostPath, error);
    }
    if (std::fseek(file.get(), 0, SEEK_END) != 0) {
        error = LastFileError();
        file.reset();
        Abandon(hostPath, error);
        return nullptr;
    }
    return file;
}

SystemError CommitPendingFile(FileHandle file, const std::string& hostPath)
{
    ResetFileError();
    const bool flushed = FlushToDisk(file.get());
    SystemError error = flushed ? kNoError : LastFileError();
    if (std::fclose(file.release()) != 0 && error == kNoError)
        error = LastFileError();
    if (error == kNoError)
        error = MoveOver(PendingName(hostPath), hostPath);
    return error == kNoError ? kNoError : Abandon(hostPath, error);
}
