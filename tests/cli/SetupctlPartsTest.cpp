// What setupctl says of a failure, from the failure alone.
#include <gtest/gtest.h>

#include "cli/Elevation.h"
#include "session/SetupSession.h"

#ifdef _WIN32
#include <windows.h>
const SystemError kDenied = ERROR_ACCESS_DENIED;
#else
#include <cerrno>
const SystemError kDenied = EACCES;
#endif

TEST(SetupctlAdvice, AccessDeniedOnTheRegistryAsksForAnElevatedPrompt)
{
    const std::string denied = DescribeSystemError(kDenied);
    EXPECT_EQ(AdviceFor({"the display device", kProductKeyName, denied, false}),
              "run from an elevated prompt to save the registry values");
    EXPECT_EQ(AdviceFor({"your options", "SaveData\\OptionInfo.lua", denied, false}), "");
    EXPECT_EQ(AdviceFor({"the display device", kProductKeyName, DescribeSystemError(kDenied + 1), false}), "");
}
