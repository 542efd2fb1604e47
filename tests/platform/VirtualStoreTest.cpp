// Where Windows keeps a virtualized client's copy of a folder, and how the
// tool holds the way to it.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/HeldPath.h"
#include "platform/VirtualStore.h"
#include "support/TempFolder.h"

namespace {

const std::vector<std::string> kProtected = {"C:\\Program Files", "C:\\Program Files (x86)\\", "C:\\Windows"};
const char kLocal[] = "C:\\Users\\pat\\AppData\\Local";

std::string CopyOf(const std::string& path)
{
    return VirtualStorePathOf(path, kProtected, kLocal);
}

TEST(VirtualStore, AFolderInAProtectedFolderHasItsCopyAtItsPathWithoutTheDrive)
{
    EXPECT_EQ(CopyOf("C:\\Program Files (x86)\\Korvane"),
              "C:\\Users\\pat\\AppData\\Local\\VirtualStore\\Program Files (x86)\\Korvane");
    EXPECT_EQ(CopyOf("c:\\program files\\Games\\Korvane\\"),
              "C:\\Users\\pat\\AppData\\Local\\VirtualStore\\program files\\Games\\Korvane");
    EXPECT_EQ(CopyOf("C:/Windows/Korvane"), "C:\\Users\\pat\\AppData\\Local\\VirtualStore/Windows/Korvane");
    EXPECT_EQ(CopyOf("C:\\Program Files"), "C:\\Users\\pat\\AppData\\Local\\VirtualStore\\Program Files");
}

TEST(VirtualStore, AFolderElsewhereHasNone)
{
    EXPECT_EQ(CopyOf("C:\\Games\\Korvane"), "");
    EXPECT_EQ(CopyOf("C:\\Program Files Extra\\Korvane"), "");  // a name that only begins like one
    EXPECT_EQ(CopyOf("D:\\Program Files\\Korvane"), "");
    EXPECT_EQ(CopyOf("\\\\server\\Program Files\\Korvane"), "");
    EXPECT_EQ(CopyOf("Program Files\\Korvane"), "");
    EXPECT_EQ(VirtualStorePathOf("C:\\Program Files\\Korvane", kProtected, ""), "");
    EXPECT_EQ(VirtualStorePathOf("C:\\Program Files\\Korvane", {"", "\\"}, kLocal), "");
}

#ifndef _WIN32
namespace fs = std::filesystem;

TEST(HeldPath, HoldsEveryFolderOnTheWayAndRefusesALinkAnywhereOnIt)
{
    TempFolder temp;
    fs::create_directories(temp.path() / "a" / "b" / "c");
    HeldPath held;
    ASSERT_EQ(held.Open((temp.path() / "a" / "b" / "c").string()), kNoError);
    EXPECT_TRUE(held.Folder().IsOpen());

    fs::create_directory_symlink(temp.path() / "a", temp.path() / "link");
    EXPECT_EQ(held.Open((temp.path() / "link" / "b" / "c").string()), kRefusedLink);
    EXPECT_FALSE(held.IsOpen());
    EXPECT_EQ(held.Open((temp.path() / "a" / "missing" / "c").string()), static_cast<SystemError>(ENOENT));
    EXPECT_EQ(held.Open("/"), kRefusedNotAFile);
}
#endif

}  // namespace
