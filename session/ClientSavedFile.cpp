#include "session/ClientSavedFile.h"

#include "optionfiles/OptionScript.h"
#include "platform/HostPath.h"
#include "platform/VirtualStore.h"
#include "session/SessionSteps.h"

ClientSavedFile::ClientSavedFile()
{
    const std::string clientCopy = PerUserCopyOfCurrentFolder();
    if (clientCopy.empty())
        return;
    copyPath_ = clientCopy + "\\" + SetupSession::SavedFileName();
    const HostPathParts parts = SplitHostPath(copyPath_);
    copyName_ = parts.name;
    folderError_ = folder_.Open(parts.folder);
    if (IsMissingFileError(folderError_))
        return;  // no copy of the save folder, so none of the file
    if (folderError_ == kNoError) {
        SystemError error = kNoError;
        if (!folder_.Folder().OpenPlainFile(parts.name, error) && IsMissingFileError(error))
            return;
    }
    copyThere_ = true;
    readBefore_ = g_optionScript.ReadFileFrom(SetupSession::SavedFileName(), copyPath_);
}

namespace {

// The saved file's name in the save folder that the caller holds.
std::string SavedFileNameThere()
{
    return SplitHostPath(SetupSession::SavedFileHostPath()).name;
}

}  // namespace

ClientSavedFile::~ClientSavedFile()
{
    if (copyThere_)
        g_optionScript.ReadFileFrom(SetupSession::SavedFileName(), readBefore_);
}

std::string ClientSavedFile::HostPath() const
{
    return copyThere_ ? copyPath_ : SetupSession::SavedFileHostPath();
}

FileBytes ClientSavedFile::Read() const
{
    if (!copyThere_)
        return ReadUnlinkedFileBytes(SetupSession::SavedFileHostPath(), kMaxSavedFileBytes);
    if (folderError_ != kNoError) {
        FileBytes unreadable;
        unreadable.status = FileBytes::Status::kUnreadable;
        unreadable.error = folderError_;
        return unreadable;
    }
    return ReadFileBytesIn(folder_.Folder(), copyName_, kMaxSavedFileBytes);
}

FileBytes ClientSavedFile::Read(const HeldFolder& saveFolder) const
{
    if (!copyThere_)
        return ReadFileBytesIn(saveFolder, SavedFileNameThere(),
                               kMaxSavedFileBytes);
    return Read();
}

// A copy whose folder could not be held has no stamp to be had.
SeenFile ClientSavedFile::See(const HeldFolder& saveFolder) const
{
    if (!copyThere_)
        return SeeFile(saveFolder, SavedFileNameThere());
    if (folderError_ != kNoError) {
        SeenFile unknown;
        unknown.status = StampStatus::kUnknown;
        return unknown;
    }
    return SeeFile(folder_.Folder(), copyName_);
}

bool ClientSavedFile::MayHaveChanged(const SeenFile& seen, const HeldFolder& saveFolder) const
{
    if (!copyThere_)
        return ::MayHaveChanged(seen, saveFolder, SavedFileNameThere());
    if (folderError_ != kNoError)
        return true;
    return ::MayHaveChanged(seen, folder_.Folder(), copyName_);
}

SystemError ClientSavedFile::RemoveCopy() const
{
    if (!copyThere_)
        return kNoError;
    if (folderError_ != kNoError)
        return folderError_;
    return folder_.Folder().RemoveName(copyName_);
}
