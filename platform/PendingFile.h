#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "platform/FileHandle.h"
#include "platform/HeldFolder.h"
#include "platform/SystemError.h"

// The saved option file is rewritten in two steps with other work between
// them. Both steps write one side file, made for this save alone in the
// held folder, which takes the saved file's place only once it is
// complete: a failed write leaves the old file as it was, never a cut-off
// one, and no side file behind. The side file is opened once and kept open
// through both steps; nothing is reopened or made anew by name, so that
// nothing put in its place between the steps is written.
class PendingFile {
public:
    // The side file of name, the saved file in folder, which the save holds.
    PendingFile(const HeldFolder& folder, std::string name);
    // A side file that was not put in place is removed.
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // How many side file names are tried, each new, before the save
    // gives up (kNoFreeSideName): names that others made first are skipped.
    static constexpr int kNameTries = 16;

    // The first step: makes the side file and has write write to it (false
    // when a write failed). On failure no side file is left and the reason
    // is returned.
    SystemError Start(const std::function<bool(std::FILE*)>& write);

    // The side file to add to; null when the first step failed, with error
    // set to its reason.
    std::FILE* Continue(SystemError& error) const;

    // Puts the side file in the saved file's place. When anything written
    // to it failed, it is removed instead, the saved file stays, and the
    // reason is returned.
    SystemError Commit();

    // Removes the side files of name that saves of processes that died
    // left in folder (and links of such names that others put there, never
    // what they lead to). Only while the save lock is held: no other save
    // can then own one.
    static void RemoveLeftOver(const HeldFolder& folder, const std::string& name);

    // The side file's name in the folder, once Start made it.
    const std::string& SideName() const { return sideName_; }

private:
    SystemError CreateSideFile();
    void Abandon();

    const HeldFolder& folder_;
    std::string name_;
    std::string sideName_;
    FileHandle file_;
    SystemError startError_ = kNoError;
};

// A new name for a side file of name, made by this process: its process
// number and a random part, so that nobody can make it first on purpose.
std::string SideFileName(const std::string& name);
