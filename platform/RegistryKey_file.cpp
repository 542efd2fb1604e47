#include "platform/RegistryKey.h"

#include <cerrno>
#include <cstring>

#include "platform/RegExportFile.h"

// Hosts without a registry keep HKEY_LOCAL_MACHINE in this export file in
// the working directory. Every call reads the file and every change writes
// it back whole, so the file always shows what the tool has stored. A file
// that cannot be read is never written: the change fails with the reason.
namespace {

const char kStoreFile[] = "HKEY_LOCAL_MACHINE.reg";

// A line end or other control character in a key path or value name would
// break the line it is written on.
bool FitsOnALine(const char* text)
{
    for (; *text != '\0'; ++text)
        if (static_cast<unsigned char>(*text) < 0x20)
            return false;
    return true;
}

}  // namespace

RegistryKey RegistryKey::Create(const char* path)
{
    if (!FitsOnALine(path))
        return RegistryKey(EINVAL, nullptr, path);
    RegExportFile store = RegExportFile::Load(kStoreFile);
    if (store.error() != kNoError)
        return RegistryKey(store.error(), nullptr, path);
    if (!store.HasKey(path)) {
        store.AddKey(path);
        if (const SystemError error = store.Save(kStoreFile))
            return RegistryKey(error, nullptr, path);
    }
    return RegistryKey(kNoError, nullptr, path);
}

RegistryKey RegistryKey::OpenForQuery(const char* path)
{
    RegExportFile store = RegExportFile::Load(kStoreFile);
    if (store.error() != kNoError)
        return RegistryKey(store.error(), nullptr, path);
    return RegistryKey(store.HasKey(path) ? kNoError : ENOENT, nullptr, path);
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : open_(other.open_), error_(other.error_), handle_(nullptr), path_(std::move(other.path_))
{
    other.open_ = false;
}

RegistryKey::~RegistryKey() = default;

bool RegistryKey::Query(const char* name, void* buffer, uint32_t size) const
{
    const RegExportFile store = RegExportFile::Load(kStoreFile);
    const RegValue* value = store.FindValue(path_, name);
    if (value == nullptr || value->data.size() > size)
        return false;
    if (!value->data.empty())
        std::memcpy(buffer, value->data.data(), value->data.size());
    return true;
}

RegistryKey::ValueInfo RegistryKey::QueryInfo(const char* name) const
{
    const RegExportFile store = RegExportFile::Load(kStoreFile);
    const RegValue* value = store.FindValue(path_, name);
    if (value == nullptr)
        return ValueInfo{};
    return ValueInfo{true, value->type, static_cast<uint32_t>(value->data.size())};
}

SystemError RegistryKey::Set(const char* name, uint32_t type, const void* data, uint32_t size)
{
    if (!FitsOnALine(name))
        return EINVAL;
    RegExportFile store = RegExportFile::Load(kStoreFile);
    if (store.error() != kNoError)
        return store.error();
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    store.SetValue(path_, RegValue{name, type, std::vector<uint8_t>(bytes, bytes + size)});
    return store.Save(kStoreFile);
}

// The store keeps the machine-wide root alone: no user's copies.
RegistryKey RegistryKey::OpenPerUserForQuery(const char* path)
{
    return RegistryKey(ENOENT, nullptr, path);
}

RegistryKey RegistryKey::OpenPerUserForChange(const char* path)
{
    return RegistryKey(ENOENT, nullptr, path);
}

std::string RegistryKey::PerUserKeyName(const char*)
{
    return {};
}

SystemError RegistryKey::Remove(const char* name)
{
    RegExportFile store = RegExportFile::Load(kStoreFile);
    if (store.error() != kNoError)
        return store.error();
    if (store.FindValue(path_, name) == nullptr)
        return kNoError;
    store.RemoveValue(path_, name);
    return store.Save(kStoreFile);
}
