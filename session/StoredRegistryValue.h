#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CRegistry;
struct RegistryValue;

#include "platform/SystemError.h"

// A value of the product key as it is stored now, whatever its type and
// size: what a save would replace.
struct StoredRegistryValue {
    bool exists = false;
    uint32_t type = 0;
    std::string bytes;  // at most kMaxStoredValueBytes; empty when larger
    bool perUser = false;  // read from the product key's per-user copy
};

constexpr uint32_t kMaxStoredValueBytes = 4096;

// The product key below the machine-wide root.
constexpr char kProductKeyPath[] = "Software\\Brindlecast\\Korvane";

StoredRegistryValue ReadStoredRegistryValue(const char* name);

// Whether a and b hold the same: both missing, or the same type and bytes.
bool SameStoredValue(const StoredRegistryValue& a, const StoredRegistryValue& b);

// Whether the registry holds under stored's name what a save of s would write.
bool HoldsWhatASaveWrites(const RegistryValue& stored, const StoredRegistryValue& held, const CRegistry& s);
// Whether it does so for every value: a save would change none.
bool RegistryHoldsWhatASaveWrites(const CRegistry& s);

// The product key's values as they were before a save wrote them, to be put
// back when the save cannot finish: a save is all or nothing.
class RegistryBeforeSave {
public:
    // Reads every value a save writes.
    static RegistryBeforeSave Read();
    // Puts each value that changed since back as it was read (removing one
    // that was missing); returns the names of those it could not.
    std::vector<std::string> PutBack() const;

private:
    struct Held {
        const char* name;
        StoredRegistryValue value;
    };
    std::vector<Held> held_;
};

// The value the client reads: from the product key's per-user copy (see
// platform/VirtualStore.h) when it holds one, else from the key.
StoredRegistryValue ReadClientRegistryValue(const char* name);
StoredRegistryValue ReadPerUserRegistryValue(const char* name);

// The per-user copy of the product key, as the registry editor names it;
// "" where the host keeps none.
std::string PerUserProductKeyName();
// Removes a value of the per-user copy; kNoError when it has none.
SystemError RemovePerUserRegistryValue(const char* name);
