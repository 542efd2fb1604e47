#pragma once

#include <cstdint>

class CRegistry;

// The bytes of a record field as a registry value holds them.
struct ValueBytes {
    const void* data;
    uint32_t size;
};

// One value of the product key, as the tool stores it: the load, the save
// and the check all read this table.
struct RegistryValue {
    enum class Half { kDevice, kSound };  // the save writes each half on its own

    const char* name;
    uint32_t type;  // RegistryKey::kString, kBinary, kDword
    // Binary and DWORD values: their exact size. Texts: the most the tool
    // reads back, or 0 when it never does.
    uint32_t size;
    Half half;
    // The field a start-up read fills (size bytes); null when it is written only.
    void* (*readInto)(CRegistry& s);
    // The bytes a save writes.
    ValueBytes (*written)(const CRegistry& s);
};

struct RegistryValueList {
    const RegistryValue* first;
    const RegistryValue* last;

    const RegistryValue* begin() const { return first; }
    const RegistryValue* end() const { return last; }
};

// Every value of the product key, in the order the tool writes them.
RegistryValueList RegistryValues();
