// What setupctl says of a failure, from the failure alone.
#include <gtest/gtest.h>

#include "cli/Elevation.h"
#include "cli/JsonReader.h"
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

// What the profile reader takes apart from the refusals a profile gets as a
// whole: escapes decoded, surrogates paired, numbers told whole or not.
TEST(SetupctlJsonReader, DecodesEscapesAndRefusesWhatJsonDoesNot)
{
    JsonValue value;
    std::string why;
    ASSERT_TRUE(ReadJson(R"( ["a\"\\\/\u00e9\ud83d\ude00", -0, 12, 1.5, 1e3, 1234567890123456789] )", value, why)) << why;
    EXPECT_EQ(value.items[0].text, "a\"\\/\xC3\xA9\xF0\x9F\x98\x80");
    const bool whole[] = {true, true, false, false, false};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(value.items[i + 1].isInteger, whole[i]) << value.items[i + 1].text;
    EXPECT_EQ(value.items[2].integer, 12);
    for (const char* refused : {"", "[1,]", "01", "1.", "-", "\"\\ud800\"", "\"\\udc00x\"", "\"\x01\"", "\"\\x\"",
                                "tru", "{\"a\" 1}", "[1] 2", "\"open", "{1: 2}", "nul"})
        EXPECT_FALSE(ReadJson(refused, value, why)) << refused;
    EXPECT_FALSE(ReadJson("[1]", value, why, JsonLimits{2, 16}));
}
