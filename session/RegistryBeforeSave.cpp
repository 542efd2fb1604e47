#include "platform/RegistryKey.h"
#include "session/StoredRegistryValue.h"
#include "settings/RegistryValues.h"

bool HoldsWhatASaveWrites(const RegistryValue& stored, const StoredRegistryValue& held, const CRegistry& s)
{
    const ValueBytes bytes = stored.written(s);
    return held.exists && held.type == stored.type &&
           held.bytes == std::string(static_cast<const char*>(bytes.data), bytes.size);
}

bool RegistryHoldsWhatASaveWrites(const CRegistry& s)
{
    for (const RegistryValue& stored : RegistryValues())
        if (!HoldsWhatASaveWrites(stored, ReadStoredRegistryValue(stored.name), s))
            return false;
    return true;
}

bool SameStoredValue(const StoredRegistryValue& a, const StoredRegistryValue& b)
{
    return a.exists == b.exists && (!a.exists || (a.type == b.type && a.bytes == b.bytes));
}

RegistryBeforeSave RegistryBeforeSave::Read()
{
    RegistryBeforeSave before;
    for (const RegistryValue& stored : RegistryValues())
        before.held_.push_back(Held{stored.name, ReadStoredRegistryValue(stored.name)});
    return before;
}

std::vector<std::string> RegistryBeforeSave::PutBack() const
{
    std::vector<std::string> notPutBack;
    RegistryKey key = RegistryKey::Create(kProductKeyPath);
    for (const Held& held : held_) {
        const StoredRegistryValue& value = held.value;
        if (SameStoredValue(ReadStoredRegistryValue(held.name), value))
            continue;  // the save did not get to change it
        // A value too large to have been read whole cannot be put back as it was.
        const bool readWhole = !value.exists || !value.bytes.empty() || value.type == RegistryKey::kString;
        SystemError error = key ? kNoError : key.error();
        if (error == kNoError && readWhole)
            error = value.exists ? key.Set(held.name, value.type, value.bytes.data(),
                                           static_cast<uint32_t>(value.bytes.size()))
                                 : key.Remove(held.name);
        if (error != kNoError || !readWhole)
            notPutBack.push_back(held.name);
    }
    return notPutBack;
}
