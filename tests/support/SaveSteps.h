#pragma once

#include <filesystem>
#include <string>

#include "platform/HeldFolder.h"
#include "platform/HostPath.h"
#include "platform/PendingFile.h"
#include "session/SessionSteps.h"

// The saved file's two save steps as a save runs them, for a test to call
// one at a time and act between them.
struct SaveSteps {
    SaveSteps() { folder.Open(parts.folder); }

    const HostPathParts parts = SplitHostPath(SetupSession::SavedFileHostPath());
    HeldFolder folder;
    PendingFile file{folder, parts.name};
};

// Whether any side file of a save is left in folder.
inline bool SideFileLeft(const std::string& folder)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().extension() == ".new")
            return true;
    return false;
}
