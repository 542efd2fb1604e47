#include "support/RegistryProbe.h"

#include <cstdio>
#include <cstring>

#include "settings/RegExportFile.h"

namespace probe {

namespace {

const char kStoreFile[] = "HKEY_LOCAL_MACHINE.reg";

bool IsBelow(const std::string& path, const std::string& top)
{
    return path.size() >= top.size() && strncasecmp(path.c_str(), top.c_str(), top.size()) == 0 &&
           (path.size() == top.size() || path[top.size()] == '\\');
}

}  // namespace

void ClearVendorKey()
{
    RegExportFile store = RegExportFile::Load(kStoreFile);
    RegExportFile kept;
    for (const RegKey& key : store.keys())
        if (!IsBelow(key.path, kVendorKey))
            kept.AddKey(key.path).values = key.values;
    kept.Save(kStoreFile);
}

bool KeyExists(const char* path)
{
    return RegExportFile::Load(kStoreFile).FindKey(path) != nullptr;
}

int ValueCount(const char* path)
{
    RegExportFile store = RegExportFile::Load(kStoreFile);
    const RegKey* key = store.FindKey(path);
    return key != nullptr ? static_cast<int>(key->values.size()) : -1;
}

Stored Read(const char* path, const char* name)
{
    Stored out;
    RegExportFile store = RegExportFile::Load(kStoreFile);
    const RegKey* key = store.FindKey(path);
    const RegValue* value = key != nullptr ? RegExportFile::FindValue(*key, name) : nullptr;
    if (value != nullptr) {
        out.exists = true;
        out.type = value->type;
        out.bytes = value->data;
    }
    return out;
}

void Write(const char* path, const char* name, uint32_t type, const std::vector<uint8_t>& bytes)
{
    RegExportFile store = RegExportFile::Load(kStoreFile);
    RegExportFile::SetValue(store.AddKey(path), RegValue{name, type, bytes});
    store.Save(kStoreFile);
}

void CreateKey(const char* path)
{
    RegExportFile store = RegExportFile::Load(kStoreFile);
    store.AddKey(path);
    store.Save(kStoreFile);
}

}  // namespace probe
