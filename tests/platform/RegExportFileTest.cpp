#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <sys/resource.h>

#include "platform/RegExportFile.h"
#include "platform/RegistryKey.h"
#include "support/TempFolder.h"

namespace {

const char kStore[] = "HKEY_LOCAL_MACHINE.reg";
const char kSideFile[] = "HKEY_LOCAL_MACHINE.reg.new";
const char kProduct[] = "Software\\Vendor\\Product";

RegValue Value(const char* name, uint32_t type, std::vector<uint8_t> data)
{
    return RegValue{name, type, std::move(data)};
}

std::string ReadAll(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteAll(const char* path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(RegExportFile, WritesTheRegistryEditorsFormatAndReadsItBackExactly)
{
    RegExportFile file;
    file.SetValue(kProduct, Value("Plain", 1, {'N', 'o', ' ', 'P', '"', '\\', 0}));
    file.SetValue(kProduct, Value("Padded", 1, {'A', 0, 'x', 'y'}));
    file.SetValue(kProduct, Value("Guid", 3, {0x01, 0xab, 0xff}));
    file.SetValue(kProduct, Value("Count", 4, {0x78, 0x56, 0x34, 0x12}));
    file.SetValue(kProduct, Value("Empty", 3, {}));
    file.AddKey("Software\\Vendor\\Other");

    const std::string text = file.Format();
    EXPECT_EQ(text,
              "REGEDIT4\r\n"
              "\r\n[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Product]\r\n"
              "\"Plain\"=\"No P\\\"\\\\\"\r\n"
              "\"Padded\"=hex(1):41,00,78,79\r\n"
              "\"Guid\"=hex:01,ab,ff\r\n"
              "\"Count\"=dword:12345678\r\n"
              "\"Empty\"=hex:\r\n"
              "\r\n[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Other]\r\n");

    RegExportFile back = RegExportFile::Parse(text);
    EXPECT_EQ(back.Format(), text);
    EXPECT_TRUE(back.HasKey("SOFTWARE\\vendor\\other"));  // case does not matter
    const RegValue* padded = back.FindValue("SOFTWARE\\vendor\\product", "padded");
    ASSERT_NE(padded, nullptr);
    EXPECT_EQ(padded->data, (std::vector<uint8_t>{'A', 0, 'x', 'y'}));
}

// What the store does not read stays byte for byte: header, comments, other
// roots, default values, damaged lines, LF line ends, a last line without
// an end. Only the lines of values it sets are written, with CR LF.
TEST(RegExportFile, ChangesOnlyTheLinesOfTheValuesItSets)
{
    const std::string before =
        "REGEDIT4\r\n"
        "\r\n"
        "; kept by hand\r\n"
        "[HKEY_CURRENT_USER\\Software\\Vendor\\Product]\n"
        "\"Count\"=dword:00000009\n"
        "\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Product]\r\n"
        "@=\"default\"\r\n"
        "\"Count\"=dword:00000001\n"
        "\"Bad\"=dword:-0000001\r\n"
        "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
        "  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,\\\r\n"
        "  2e,2f\r\n" +
        std::string("garbage \x01\x02\x00 line\n", 17) +
        "\"Name\"=\"old\"\r\n"
        "\r\n"
        "; the next block\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Other]\r\n"
        "\"Keep\"=hex(7):41,00,00";
    RegExportFile file = RegExportFile::Parse(before);
    ASSERT_EQ(file.error(), kNoError);
    EXPECT_EQ(file.Format(), before);

    const std::vector<RegKey> keys = file.Keys();
    ASSERT_EQ(keys.size(), 2u);
    ASSERT_EQ(keys[0].values.size(), 3u);  // Count, Blob, Name
    std::vector<uint8_t> blob;
    for (uint8_t b = 0; b < 0x30; ++b)
        blob.push_back(b);
    EXPECT_EQ(keys[0].values[1].data, blob);
    EXPECT_EQ(keys[0].values[2].data, (std::vector<uint8_t>{'o', 'l', 'd', 0}));

    file.SetValue(kProduct, Value("NAME", 1, {'n', 'e', 'w', 0}));
    file.SetValue(kProduct, Value("count", 4, {2, 0, 0, 0}));
    file.SetValue(kProduct, Value("Added", 3, {0xAD}));
    file.SetValue("Software\\Vendor\\Third", Value("New", 4, {3, 0, 0, 0}));

    const std::string after = file.Format();
    std::string expected = before;
    expected.replace(expected.find("\"Count\"=dword:00000001\n"), 23, "\"Count\"=dword:00000002\r\n");
    expected.replace(expected.find("\"Name\"=\"old\""), 12, "\"Name\"=\"new\"\r\n\"Added\"=hex:ad");
    expected += "\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Third]\r\n\"New\"=dword:00000003\r\n";
    EXPECT_EQ(after, expected);

    RegExportFile back = RegExportFile::Parse(after);
    EXPECT_EQ(back.FindValue(kProduct, "Count")->data, (std::vector<uint8_t>{2, 0, 0, 0}));
    EXPECT_EQ(back.FindValue("Software\\Vendor\\Other", "Keep")->data, (std::vector<uint8_t>{'A', 0, 0}));
    EXPECT_EQ(back.Keys().size(), 3u);
}

TEST(RegExportFile, ReadsContinuationsOfAnyLengthAndReplacesThemWhole)
{
    const std::string before =
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Product]\n"
        "\"Long\"=hex:01,\\\n  02,\\\n  03,\\\n\t04\n"
        "\"After\"=dword:00000005\n";
    RegExportFile file = RegExportFile::Parse(before);
    ASSERT_NE(file.FindValue(kProduct, "Long"), nullptr);
    EXPECT_EQ(file.FindValue(kProduct, "Long")->data, (std::vector<uint8_t>{1, 2, 3, 4}));
    ASSERT_NE(file.FindValue(kProduct, "After"), nullptr);

    file.SetValue(kProduct, Value("Long", 3, {9}));
    EXPECT_EQ(file.Format(),
              "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Vendor\\Product]\n"
              "\"Long\"=hex:09\r\n"
              "\"After\"=dword:00000005\n");
}

// A store file that exists but cannot be used is never written, and a write
// that fails leaves the old file whole: the reason reaches the caller and no
// side file is left behind.
TEST(RegistryKeyFile, KeepsAFileItCannotReadAndOneItFailedToWrite)
{
    TempFolder folder;
    const std::string utf16("\xFF\xFEW\0i\0n\0d\0o\0w\0s\0\r\0\n\0", 20);
    WriteAll(kStore, utf16);
    EXPECT_EQ(RegistryKey::Create(kProduct).error(), static_cast<SystemError>(EILSEQ));
    EXPECT_FALSE(RegistryKey::OpenForQuery(kProduct));
    EXPECT_EQ(ReadAll(kStore), utf16);

    std::filesystem::remove(kStore);
    std::filesystem::create_directory(kStore);  // there, but not readable as a file
    EXPECT_EQ(RegistryKey::Create(kProduct).error(), static_cast<SystemError>(EISDIR));
    EXPECT_TRUE(std::filesystem::is_directory(kStore));
    std::filesystem::remove(kStore);

    RegistryKey key = RegistryKey::Create(kProduct);
    ASSERT_TRUE(key);
    const std::string stored = ReadAll(kStore);
    // A file size limit makes the side file's write fail part way.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const std::vector<uint8_t> large(8192, 0xAB);
    const SystemError error = key.Set("Large", RegistryKey::kBinary, large.data(), 8192);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(error, static_cast<SystemError>(EFBIG));
    EXPECT_EQ(ReadAll(kStore), stored);

    EXPECT_FALSE(std::filesystem::exists(kSideFile));
}

}  // namespace
