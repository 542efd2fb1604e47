#include "platform/RegistryKey.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace {

HKEY AsKey(void* handle) { return static_cast<HKEY>(handle); }

// The 32-bit client reads the 32-bit view; a 64-bit build of ours must
// read and write the same values, not their 64-bit namesakes.
constexpr REGSAM kClientView = KEY_WOW64_32KEY;

}  // namespace

RegistryKey RegistryKey::Create(const char* path)
{
    HKEY key = nullptr;
    const LSTATUS status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr,
                                           REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS | kClientView, nullptr, &key,
                                           nullptr);
    return RegistryKey(static_cast<SystemError>(status), status == ERROR_SUCCESS ? key : nullptr,
                       path);
}

RegistryKey RegistryKey::OpenForQuery(const char* path)
{
    HKEY key = nullptr;
    const LSTATUS status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE | kClientView,
                                       &key);
    return RegistryKey(static_cast<SystemError>(status), status == ERROR_SUCCESS ? key : nullptr,
                       path);
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : open_(other.open_), error_(other.error_), handle_(other.handle_),
      path_(std::move(other.path_))
{
    other.open_ = false;
    other.handle_ = nullptr;
}

RegistryKey::~RegistryKey()
{
    if (open_)
        RegCloseKey(AsKey(handle_));
}

bool RegistryKey::Query(const char* name, void* buffer, uint32_t size) const
{
    // The registry leaves a too-small buffer in an undefined state, so the
    // value is read aside and copied only when it fitted.
    std::vector<BYTE> bytes(size);
    DWORD count = size;
    if (RegQueryValueExA(AsKey(handle_), name, nullptr, nullptr, bytes.data(), &count) != ERROR_SUCCESS)
        return false;
    if (count > 0)
        memcpy(buffer, bytes.data(), count);
    return true;
}

RegistryKey::ValueInfo RegistryKey::QueryInfo(const char* name) const
{
    ValueInfo info;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(AsKey(handle_), name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS)
        info = ValueInfo{true, type, size};
    return info;
}

SystemError RegistryKey::Set(const char* name, uint32_t type, const void* data, uint32_t size)
{
    return static_cast<SystemError>(
        RegSetValueExA(AsKey(handle_), name, 0, type, static_cast<const BYTE*>(data), size));
}

SystemError RegistryKey::Remove(const char* name)
{
    const LONG result = RegDeleteValueA(AsKey(handle_), name);
    return result == ERROR_FILE_NOT_FOUND ? kNoError : static_cast<SystemError>(result);
}
