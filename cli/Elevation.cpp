#include "cli/Elevation.h"

#include "platform/SystemError.h"
#include "session/SetupSession.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#endif

namespace {

#ifdef _WIN32
constexpr SystemError kAccessDenied = ERROR_ACCESS_DENIED;
#else
constexpr SystemError kAccessDenied = EACCES;
#endif

}  // namespace

std::string AdviceFor(const SaveFailure& failure)
{
    if (failure.place == kProductKeyName && failure.reason == DescribeSystemError(kAccessDenied))
        return "run from an elevated prompt to save the registry values";
    return "";
}
