#pragma once

#include <string>

#include "platform/FileBytes.h"
#include "platform/HeldPath.h"
#include "platform/SeenFile.h"
#include "platform/SystemError.h"

// The saved option file as the client reads it: Windows' per-user copy,
// when a virtualized client left one (see platform/VirtualStore.h), else
// the save folder's own. The copy lies in the user's profile, which the
// user may write, so it is read with the save folder's care and more: the
// source alone, within the saved file's bound, and every folder on its
// way held while this lives, none of them a link. A copy that cannot be
// reached so is there but unreadable: the client reads it, the tool cannot.
//
// While it lives, the script reader reads the copy for the saved file.
// Short-lived, like every hold on a folder others write: a read, a check,
// a save.
class ClientSavedFile {
public:
    ClientSavedFile();
    ~ClientSavedFile();
    ClientSavedFile(const ClientSavedFile&) = delete;
    ClientSavedFile& operator=(const ClientSavedFile&) = delete;

    // A per-user copy is there, and the client reads it instead.
    bool IsPerUserCopy() const { return copyThere_; }
    // Where the client reads: the copy's host path or the saved file's.
    std::string HostPath() const;
    // Where the copy is or would be; "" where none can be (a client folder
    // outside the protected folders, or a host that does not virtualize).
    const std::string& CopyPath() const { return copyPath_; }

    // The bytes of the file the client reads; the second form reaches the
    // save folder's own through saveFolder, held by the caller.
    FileBytes Read() const;
    FileBytes Read(const HeldFolder& saveFolder) const;
    // The file the client reads as it is now, and whether it may differ
    // from what was seen, stamped as Read(saveFolder) reads it.
    SeenFile See(const HeldFolder& saveFolder) const;
    bool MayHaveChanged(const SeenFile& seen, const HeldFolder& saveFolder) const;
    // Removes the per-user copy, so that the client reads the saved file
    // again; kNoError when there is none.
    SystemError RemoveCopy() const;

private:
    std::string copyPath_;
    std::string copyName_;  // the copy's name in folder_
    HeldPath folder_;
    SystemError folderError_ = kNoError;  // why the copy's folder could not be held
    bool copyThere_ = false;
    std::string readBefore_;  // what the script reader read before this
};
