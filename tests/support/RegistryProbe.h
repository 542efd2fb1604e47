#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Looks at the registry store behind the tool's back: the real registry
// through ADVAPI32 on Windows, the export file elsewhere.
namespace probe {

const char kProductKey[] = "Software\\Brindlecast\\Korvane";
const char kSetupKey[] = "Software\\Brindlecast\\TamselSetup";
const char kVendorKey[] = "Software\\Brindlecast";

struct Stored {
    bool exists = false;
    uint32_t type = 0;
    std::vector<uint8_t> bytes;
};

// Removes the vendor key with everything below it.
void ClearVendorKey();
bool KeyExists(const char* path);
int ValueCount(const char* path);
Stored Read(const char* path, const char* name);
void Write(const char* path, const char* name, uint32_t type, const std::vector<uint8_t>& bytes);
void CreateKey(const char* path);
#ifdef _WIN32
// Counts the values of a key as a 64-bit program sees the registry; -1 when
// there is no such key. Everything else here looks where the client does.
int ValueCountIn64BitView(const char* path);
#endif

inline std::vector<uint8_t> Dword(uint32_t v)
{
    return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

}  // namespace probe
