#include "settings/RegistryKey.h"

#include <cerrno>
#include <cstring>

#include "settings/RegExportFile.h"

// Hosts without a registry keep HKEY_LOCAL_MACHINE in this export file in
// the working directory. Every call reads the file and every change writes
// it back whole, so the file always shows what the tool has stored.
namespace {

const char kStoreFile[] = "HKEY_LOCAL_MACHINE.reg";

}  // namespace

RegistryKey RegistryKey::Create(const char* path)
{
    RegExportFile store = RegExportFile::Load(kStoreFile);
    if (store.FindKey(path) == nullptr) {
        store.AddKey(path);
        if (!store.Save(kStoreFile))
            return RegistryKey(LastFileError(), nullptr, path);
    }
    return RegistryKey(kNoError, nullptr, path);
}

RegistryKey RegistryKey::OpenForQuery(const char* path)
{
    RegExportFile store = RegExportFile::Load(kStoreFile);
    return RegistryKey(store.FindKey(path) != nullptr ? kNoError : ENOENT, nullptr, path);
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : open_(other.open_), error_(other.error_), handle_(nullptr), path_(std::move(other.path_))
{
    other.open_ = false;
}

RegistryKey::~RegistryKey() = default;

namespace {

const RegValue* FindStored(RegExportFile& store, const std::string& path, const char* name)
{
    const RegKey* key = store.FindKey(path);
    return key != nullptr ? RegExportFile::FindValue(*key, name) : nullptr;
}

}  // namespace

bool RegistryKey::Query(const char* name, void* buffer, uint32_t size) const
{
    RegExportFile store = RegExportFile::Load(kStoreFile);
    const RegValue* value = FindStored(store, path_, name);
    if (value == nullptr || value->data.size() > size)
        return false;
    if (!value->data.empty())
        std::memcpy(buffer, value->data.data(), value->data.size());
    return true;
}

RegistryKey::ValueInfo RegistryKey::QueryInfo(const char* name) const
{
    RegExportFile store = RegExportFile::Load(kStoreFile);
    const RegValue* value = FindStored(store, path_, name);
    if (value == nullptr)
        return ValueInfo{};
    return ValueInfo{true, value->type, static_cast<uint32_t>(value->data.size())};
}

SystemError RegistryKey::Set(const char* name, uint32_t type, const void* data, uint32_t size)
{
    RegExportFile store = RegExportFile::Load(kStoreFile);
    RegValue value;
    value.name = name;
    value.type = type;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    value.data.assign(bytes, bytes + size);
    RegExportFile::SetValue(store.AddKey(path_), std::move(value));
    return store.Save(kStoreFile) ? kNoError : LastFileError();
}
