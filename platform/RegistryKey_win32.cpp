#include "platform/RegistryKey.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace {

HKEY AsKey(void* handle) { return static_cast<HKEY>(handle); }

// The 32-bit client reads the 32-bit view; a 64-bit build of ours must
// read and write the same values, not their 64-bit namesakes.
constexpr REGSAM kClientView = KEY_WOW64_32KEY;

// Windows keeps a virtualized program's copies of HKLM\Software here.
const char kVirtualStore[] = "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\";
const char kSoftware[] = "Software\\";

bool IsOn64BitWindows()
{
#ifdef _WIN64
    return true;
#else
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
#endif
}

// The copy's path in the user's hive; "" for a key outside Software, which
// Windows does not virtualize. The 32-bit client's copies lie under
// WOW6432Node on a 64-bit Windows, named here since the copies' key is
// opened in the 64-bit view, which names every key as it is.
std::string PerUserPath(const char* path)
{
    const size_t prefix = sizeof kSoftware - 1;
    if (_strnicmp(path, kSoftware, prefix) != 0)
        return {};
    return std::string(kVirtualStore) + (IsOn64BitWindows() ? "WOW6432Node\\" : "") + (path + prefix);
}

LSTATUS OpenPerUser(const char* path, REGSAM access, HKEY& key)
{
    const std::string perUser = PerUserPath(path);
    if (perUser.empty())
        return ERROR_FILE_NOT_FOUND;
    return RegOpenKeyExA(HKEY_CURRENT_USER, perUser.c_str(), 0, access | KEY_WOW64_64KEY, &key);
}

}  // namespace

RegistryKey RegistryKey::OpenPerUserForQuery(const char* path)
{
    HKEY key = nullptr;
    const LSTATUS status = OpenPerUser(path, KEY_QUERY_VALUE, key);
    return RegistryKey(static_cast<SystemError>(status), status == ERROR_SUCCESS ? key : nullptr, path);
}

RegistryKey RegistryKey::OpenPerUserForChange(const char* path)
{
    HKEY key = nullptr;
    const LSTATUS status = OpenPerUser(path, KEY_QUERY_VALUE | KEY_SET_VALUE, key);
    return RegistryKey(static_cast<SystemError>(status), status == ERROR_SUCCESS ? key : nullptr, path);
}

std::string RegistryKey::PerUserKeyName(const char* path)
{
    const std::string perUser = PerUserPath(path);
    return perUser.empty() ? perUser : "HKEY_CURRENT_USER\\" + perUser;
}

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
