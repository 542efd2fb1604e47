#include <gtest/gtest.h>

#include <string>

#include "settings/RegExportFile.h"

namespace {

RegValue Value(const char* name, uint32_t type, std::vector<uint8_t> data)
{
    return RegValue{name, type, std::move(data)};
}

TEST(RegExportFile, WritesTheRegistryEditorsFormatAndReadsItBackExactly)
{
    RegExportFile file;
    RegKey& key = file.AddKey("Software\\Vendor\\Product");
    RegExportFile::SetValue(key, Value("Plain", 1, {'N', 'o', ' ', 'P', '"', '\\', 0}));
    RegExportFile::SetValue(key, Value("Padded", 1, {'A', 0, 'x', 'y'}));
    RegExportFile::SetValue(key, Value("Guid", 3, {0x01, 0xab, 0xff}));
    RegExportFile::SetValue(key, Value("Count", 4, {0x78, 0x56, 0x34, 0x12}));
    RegExportFile::SetValue(key, Value("Empty", 3, {}));
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
    RegKey* product = back.FindKey("SOFTWARE\\vendor\\product");  // case does not matter
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(RegExportFile::FindValue(*product, "padded")->data, (std::vector<uint8_t>{'A', 0, 'x', 'y'}));
}

TEST(RegExportFile, SkipsWhatItCannotReadAndKeepsTheRest)
{
    static const char raw[] =
        "REGEDIT4\n"
        "\"Orphan\"=dword:00000001\n"          // before any key
        "[HKEY_CURRENT_USER\\Elsewhere]\n"     // another root
        "\"Skipped\"=dword:00000001\n"
        "[HKEY_LOCAL_MACHINE\\Key]\n"
        "\"Bad\"=dword:zz\n"
        "\"Short\"=dword:1\n"
        "\"Junk\"=hex:1,2,xyz\n"
        "\"Open\"=\"no end\n"
        "garbage \x01\x02\x00 line\n"
        "\"Good\"=hex:01,\\\n"
        "  02\r\n";
    RegExportFile file = RegExportFile::Parse(std::string(raw, sizeof raw - 1));
    ASSERT_EQ(file.keys().size(), 1u);
    const RegKey& key = file.keys()[0];
    ASSERT_EQ(key.values.size(), 1u);
    EXPECT_EQ(key.values[0].name, "Good");
    EXPECT_EQ(key.values[0].data, (std::vector<uint8_t>{1, 2}));
}

}  // namespace
