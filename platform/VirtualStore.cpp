#include "platform/VirtualStore.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

std::string WithoutTrailingSeparators(std::string path)
{
    while (!path.empty() && IsSeparator(path.back()))
        path.pop_back();
    return path;
}

// path is folder or lies below it.
bool LiesIn(const std::string& path, const std::string& folder)
{
    if (folder.empty() || path.size() < folder.size())
        return false;
    const bool samePrefix = std::equal(folder.begin(), folder.end(), path.begin(), [](unsigned char a, unsigned char b) {
        return std::tolower(a) == std::tolower(b) || (IsSeparator(char(a)) && IsSeparator(char(b)));
    });
    return samePrefix && (path.size() == folder.size() || IsSeparator(path[folder.size()]));
}

bool HasDrive(const std::string& path)
{
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

}  // namespace

// Only a path on a drive is virtualized: the protected folders are local.
std::string VirtualStorePathOf(const std::string& path, const std::vector<std::string>& protectedFolders,
                               const std::string& localAppData)
{
    if (localAppData.empty() || !HasDrive(path))
        return {};
    const bool isProtected = std::any_of(protectedFolders.begin(), protectedFolders.end(),
                                         [&](const std::string& folder) {
                                             return LiesIn(path, WithoutTrailingSeparators(folder));
                                         });
    if (!isProtected)
        return {};
    return WithoutTrailingSeparators(localAppData) + "\\VirtualStore" + WithoutTrailingSeparators(path.substr(2));
}
