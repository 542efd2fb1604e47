#include "platform/HostPath.h"

#ifndef _WIN32
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <system_error>
#endif

#ifdef _WIN32

std::string HostPath(const char* name)
{
    return name;
}

#else

namespace {

namespace fs = std::filesystem;

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// The spelling of part inside folder: its own when that exists, else the
// first entry in name order that differs only in case, else part itself.
std::string EntrySpelling(const std::string& folder, const std::string& part)
{
    const fs::path base = folder.empty() ? fs::path(".") : fs::path(folder);
    std::error_code error;
    if (part == "." || part == ".." || fs::exists(base / part, error))
        return part;

    std::string best;
    fs::directory_iterator entry(base, error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        std::string candidate = entry->path().filename().string();
        if (SameIgnoringCase(candidate, part) && (best.empty() || candidate < best))
            best = std::move(candidate);
    }
    return best.empty() ? part : best;
}

}  // namespace

std::string HostPath(const char* name)
{
    std::string result;
    std::string part;
    for (const char* p = name;; ++p) {
        if (*p == '\\' || *p == '/' || *p == '\0') {
            if (!part.empty())
                result += EntrySpelling(result, part);
            part.clear();
            if (*p == '\0')
                return result;
            result += '/';
        } else {
            part += *p;
        }
    }
}

#endif

HostPathParts SplitHostPath(const std::string& hostPath)
{
#ifdef _WIN32
    const std::string::size_type slash = hostPath.find_last_of("\\/");
#else
    const std::string::size_type slash = hostPath.rfind('/');
#endif
    if (slash == std::string::npos)
        return {".", hostPath};
    return {hostPath.substr(0, slash), hostPath.substr(slash + 1)};
}
