#include "support/RegistryProbe.h"

#include <windows.h>

namespace probe {

namespace {

// Where the 32-bit client reads, whichever build looks.
constexpr REGSAM kClientView = KEY_WOW64_32KEY;

int CountValues(const char* path, REGSAM view)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return -1;
    DWORD count = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                     nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return static_cast<int>(count);
}

}  // namespace

void ClearVendorKey()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kVendorKey, 0, KEY_ALL_ACCESS | kClientView, &key) !=
        ERROR_SUCCESS)
        return;
    RegDeleteTreeA(key, nullptr);
    RegCloseKey(key);
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kVendorKey, kClientView, 0);
}

int ValueCountIn64BitView(const char* path) { return CountValues(path, KEY_WOW64_64KEY); }

bool KeyExists(const char* path)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | kClientView, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

int ValueCount(const char* path) { return CountValues(path, kClientView); }

Stored Read(const char* path, const char* name)
{
    Stored out;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | kClientView, &key) != ERROR_SUCCESS)
        return out;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        out.bytes.resize(size);
        if (RegQueryValueExA(key, name, nullptr, &type, out.bytes.data(), &size) == ERROR_SUCCESS) {
            out.exists = true;
            out.type = type;
            out.bytes.resize(size);
        }
    }
    RegCloseKey(key);
    return out;
}

void Write(const char* path, const char* name, uint32_t type, const std::vector<uint8_t>& bytes)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS | kClientView, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    // A text whose last byte is not NUL is stored one byte longer when the
    // byte after it is NUL (Windows does so, and Wine reads that byte past
    // the data): a byte after it that is not NUL keeps the size given.
    std::vector<uint8_t> guarded(bytes);
    guarded.push_back(0xFF);
    RegSetValueExA(key, name, 0, type, guarded.data(), static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

void CreateKey(const char* path)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, KEY_ALL_ACCESS | kClientView, nullptr, &key,
                        nullptr) == ERROR_SUCCESS)
        RegCloseKey(key);
}

}  // namespace probe
