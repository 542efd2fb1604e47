#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "platform/SystemError.h"

// An open key under the machine-wide registry root, closed when it goes out
// of scope. On Windows it is an HKEY of ADVAPI32; elsewhere the keys live in
// a registry export file (RegExportFile) in the working directory.
class RegistryKey {
public:
    // Value types, as the registry numbers them.
    enum : uint32_t { kString = 1, kBinary = 3, kDword = 4 };

    // Opens the key with all access, creating it when missing.
    static RegistryKey Create(const char* path);
    // Opens an existing key for reading values.
    static RegistryKey OpenForQuery(const char* path);

    // The per-user copy of a key under Software that Windows keeps for a
    // virtualized program (see VirtualStore.h) in the user's hive, in the
    // 32-bit view the client writes; its values are read before the key's
    // own. Hosts without a registry have none.
    static RegistryKey OpenPerUserForQuery(const char* path);
    static RegistryKey OpenPerUserForChange(const char* path);
    // The per-user copy's full name, as the registry editor shows it; ""
    // where the host keeps none.
    static std::string PerUserKeyName(const char* path);

    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&&) = delete;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey();

    explicit operator bool() const { return open_; }
    // Why the key could not be opened or created; kNoError when it is open.
    SystemError error() const { return error_; }

    // Copies the stored bytes into buffer; true when it did. A missing
    // value, or one larger than size, leaves the buffer untouched.
    bool Query(const char* name, void* buffer, uint32_t size) const;

    // The type and size of a stored value, without its bytes.
    struct ValueInfo {
        bool exists = false;
        uint32_t type = 0;
        uint32_t size = 0;
    };
    ValueInfo QueryInfo(const char* name) const;
    // Stores size bytes of data under name with the given type; returns why
    // it could not.
    SystemError Set(const char* name, uint32_t type, const void* data, uint32_t size);
    // Removes the value of that name; a value that is not there is no error.
    SystemError Remove(const char* name);

private:
    RegistryKey(SystemError error, void* handle, std::string path)
        : open_(error == kNoError), error_(error), handle_(handle), path_(std::move(path)) {}

    bool open_;
    SystemError error_;
    [[maybe_unused]] void* handle_;  // the HKEY, on Windows
    std::string path_;  // the key's path, in the file store
};
