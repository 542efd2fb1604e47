#pragma once

#include <string>

// The host's name for one of the tool's relative file names, which use
// backslashes and are spelt in more than one case ("SaveData" and
// "savedata" name one folder). On Windows the name is returned unchanged.
// Elsewhere backslashes become slashes, and each part of the name that an
// existing folder entry matches without regard to case takes that entry's
// spelling; parts that match nothing are kept as given.
std::string HostPath(const char* name);

// A host path's folder ("." when it names none) and its name in that folder.
struct HostPathParts {
    std::string folder;
    std::string name;
};
HostPathParts SplitHostPath(const std::string& hostPath);
