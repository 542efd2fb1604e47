#include "support/RegistryProbe.h"

#include <cstdio>
#include <cstring>

#include "platform/RegExportFile.h"

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
    RegExportFile kept;
    for (const RegKey& key : RegExportFile::Load(kStoreFile).Keys()) {
        if (IsBelow(key.path, kVendorKey))
            continue;
        kept.AddKey(key.path);
        for (const RegValue& value : key.values)
            kept.SetValue(key.path, value);
    }
    kept.Save(kStoreFile);
}

bool KeyExists(const char* path)
{
    return RegExportFile::Load(kStoreFile).HasKey(path);
}

int ValueCount(const char* path)
{
    for (const RegKey& key : RegExportFile::Load(kStoreFile).Keys())
        if (strcasecmp(key.path.c_str(), path) == 0)
            return static_cast<int>(key.values.size());
    return -1;
}

Stored Read(const char* path, const char* name)
{
    Stored out;
    const RegExportFile store = RegExportFile::Load(kStoreFile);
    if (const RegValue* value = store.FindValue(path, name)) {
        out.exists = true;
        out.type = value->type;
        out.bytes = value->data;
    }
    return out;
}

void Write(const char* path, const char* name, uint32_t type, const std::vector<uint8_t>& bytes)
{
    RegExportFile store = RegExportFile::Load(kStoreFile);
    store.SetValue(path, RegValue{name, type, bytes});
    store.Save(kStoreFile);
}

void CreateKey(const char* path)
{
    RegExportFile store = RegExportFile::Load(kStoreFile);
    store.AddKey(path);
    store.Save(kStoreFile);
}

}  // namespace probe
