#include "platform/PendingFile.h"

#include "platform/ProcessId.h"
#include "platform/WholeFile.h"

namespace {

// A side file is named name + "." + a process number + this.
constexpr char kSideFileEnd[] = ".new";

// A name as SideFileName makes them, for any process.
bool IsSideFileOf(const std::string& entry, const std::string& name)
{
    const std::string end = kSideFileEnd;
    if (entry.size() <= name.size() + 1 + end.size() || entry.compare(0, name.size(), name) != 0 ||
        entry[name.size()] != '.' || entry.compare(entry.size() - end.size(), end.size(), end) != 0)
        return false;
    const std::string number = entry.substr(name.size() + 1, entry.size() - name.size() - 1 - end.size());
    return number.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

std::string SideFileName(const std::string& name)
{
    return name + "." + std::to_string(CurrentProcessId()) + kSideFileEnd;
}

PendingFile::PendingFile(const HeldFolder& folder, std::string name)
    : folder_(folder), name_(std::move(name)), sideName_(SideFileName(name_))
{
}

PendingFile::~PendingFile()
{
    Abandon();
}

// Removes the side file this save made, and nothing that took its name.
void PendingFile::Abandon()
{
    if (!file_)
        return;
    folder_.Remove(file_.get(), sideName_);
    file_.reset();
}

void PendingFile::RemoveLeftOver(const HeldFolder& folder, const std::string& name)
{
    for (const std::string& entry : folder.Names())
        if (IsSideFileOf(entry, name))
            folder.RemoveName(entry);
}

SystemError PendingFile::Start(const std::function<bool(std::FILE*)>& write)
{
    startError_ = folder_.IsOpen() ? kNoError : folder_.Error();
    if (startError_ == kNoError)
        file_ = folder_.CreateNewFile(sideName_, startError_);
    if (!file_)
        return startError_;
    ResetFileError();
    if (write(file_.get()) && std::fflush(file_.get()) == 0)
        return kNoError;
    startError_ = LastFileError();
    Abandon();
    return startError_;
}

std::FILE* PendingFile::Continue(SystemError& error) const
{
    if (!file_)
        error = startError_ != kNoError ? startError_ : HeldFolder::kNotOpened;
    return file_.get();
}

SystemError PendingFile::Commit()
{
    if (!file_)
        return startError_;
    ResetFileError();
    SystemError error = FlushToDisk(file_.get()) ? kNoError : LastFileError();
    if (error == kNoError)
        error = folder_.Rename(file_.get(), sideName_, name_);
    if (error != kNoError) {
        Abandon();
        return error;
    }
    // In place under its new name: closing it leaves it there.
    return std::fclose(file_.release()) == 0 ? kNoError : LastFileError();
}
