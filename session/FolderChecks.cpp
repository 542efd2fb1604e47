#include "session/FolderChecks.h"

#include <sys/stat.h>

#include "platform/HostPath.h"
#include "platform/SystemError.h"
#include "session/SaveFolder.h"
#include "settings/SettingNames.h"

#ifndef _WIN32
#include <cerrno>
#include <unistd.h>
#endif

namespace {

enum class Entry { kMissing, kFolder, kOther };

Entry EntryOf(const std::string& name)
{
    struct stat found;
    if (stat(HostPath(name.c_str()).c_str(), &found) != 0)
        return Entry::kMissing;
    return (found.st_mode & S_IFMT) == S_IFDIR ? Entry::kFolder : Entry::kOther;
}

}  // namespace

std::string ScriptFolderName()
{
    const std::string script = SettingName(kOptionInfoScript);
    const size_t slash = script.rfind('\\');
    return slash == std::string::npos ? script : script.substr(0, slash);
}

bool IsClientFolder()
{
    return EntryOf(ScriptFolderName()) == Entry::kFolder || EntryOf(kSaveFolder) == Entry::kFolder;
}

std::string WhySaveFolderCannotBeMade()
{
    switch (EntryOf(kSaveFolder)) {
    case Entry::kFolder: return "";
    case Entry::kOther: return "it is a file, not a folder, so a save cannot make the save folder";
    case Entry::kMissing: break;
    }
#ifndef _WIN32
    // Windows tells only by trying, and a check writes nothing.
    if (access(".", W_OK) != 0)
        return "a save cannot make the save folder here: " + DescribeSystemError(LastSystemError());
#endif
    return "";
}
