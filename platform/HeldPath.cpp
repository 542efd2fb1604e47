#include "platform/HeldPath.h"

namespace {

bool IsSeparator(char c)
{
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

// Where the first folder's name starts: past "C:\" or "/".
std::string::size_type FirstNameAt(const std::string& path)
{
    std::string::size_type at = 0;
#ifdef _WIN32
    if (path.size() >= 2 && path[1] == ':')
        at = 2;
#endif
    while (at < path.size() && IsSeparator(path[at]))
        ++at;
    return at;
}

}  // namespace

SystemError HeldPath::Open(const std::string& hostPath)
{
    folders_.clear();
    std::string::size_type at = FirstNameAt(hostPath);
    if (at >= hostPath.size())
        return kRefusedNotAFile;  // a root is no folder of anybody's
    while (at < hostPath.size()) {
        std::string::size_type end = at;
        while (end < hostPath.size() && !IsSeparator(hostPath[end]))
            ++end;
        folders_.emplace_back();
        const SystemError error = folders_.back().Open(hostPath.substr(0, end));
        if (error != kNoError) {
            folders_.clear();
            return error;
        }
        at = end;
        while (at < hostPath.size() && IsSeparator(hostPath[at]))
            ++at;
    }
    return kNoError;
}
