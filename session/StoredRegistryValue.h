#pragma once

#include <cstdint>
#include <string>

// A value of the product key as it is stored now, whatever its type and
// size: what a save would replace.
struct StoredRegistryValue {
    bool exists = false;
    uint32_t type = 0;
    std::string bytes;  // at most kMaxStoredValueBytes; empty when larger
};

constexpr uint32_t kMaxStoredValueBytes = 4096;

StoredRegistryValue ReadStoredRegistryValue(const char* name);
