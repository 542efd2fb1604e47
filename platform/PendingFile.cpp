#include "platform/PendingFile.h"

#include "platform/ProcessId.h"
#include "platform/RandomText.h"
#include "platform/WholeFile.h"

namespace {

// A side file is named name + "." + a process number + "-" + the random
// part + this; earlier saves left names without the random part.
constexpr char kSideFileEnd[] = ".new";
constexpr std::size_t kRandomBytes = 8;

bool AllOf(const std::string& text, const char* digits)
{
    return !text.empty() && text.find_first_not_of(digits) == std::string::npos;
}

// A name as SideFileName makes them, or as earlier saves did, for any process.
bool IsSideFileOf(const std::string& entry, const std::string& name)
{
    const std::string end = kSideFileEnd;
    if (entry.size() <= name.size() + 1 + end.size() || entry.compare(0, name.size(), name) != 0 ||
        entry[name.size()] != '.' || entry.compare(entry.size() - end.size(), end.size(), end) != 0)
        return false;
    const std::string middle = entry.substr(name.size() + 1, entry.size() - name.size() - 1 - end.size());
    const std::size_t dash = middle.find('-');
    if (dash == std::string::npos)
        return AllOf(middle, "0123456789");
    return AllOf(middle.substr(0, dash), "0123456789") && AllOf(middle.substr(dash + 1), "0123456789abcdef");
}

}  // namespace

std::string SideFileName(const std::string& name)
{
    return name + "." + std::to_string(CurrentProcessId()) + "-" + RandomHexText(kRandomBytes) + kSideFileEnd;
}

PendingFile::PendingFile(const HeldFolder& folder, std::string name) : folder_(folder), name_(std::move(name))
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
    startError_ = folder_.IsOpen() ? CreateSideFile() : folder_.Error();
    if (!file_)
        return startError_;
    ResetFileError();
    if (write(file_.get()) && std::fflush(file_.get()) == 0)
        return kNoError;
    startError_ = LastFileError();
    Abandon();
    return startError_;
}

// A name that exists is somebody else's: another is tried, a few times.
SystemError PendingFile::CreateSideFile()
{
    for (int tries = 0; tries < kNameTries; ++tries) {
        SystemError error = kNoError;
        sideName_ = SideFileName(name_);
        file_ = folder_.CreateNewFile(sideName_, error);
        if (file_ || error != kFileExists)
            return error;
    }
    return kNoFreeSideName;
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
