#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Registry keys and values in the registry editor's export format
// ("REGEDIT4", 8-bit text), as the store of hosts without a registry.
// Key paths and value names compare without regard to case, as on Windows.
struct RegValue {
    std::string name;
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

struct RegKey {
    std::string path;  // below HKEY_LOCAL_MACHINE, backslash-separated
    std::vector<RegValue> values;
};

class RegExportFile {
public:
    // Reads path; a missing or unreadable file gives an empty store, and
    // lines it cannot parse are skipped.
    static RegExportFile Load(const std::string& path);
    static RegExportFile Parse(const std::string& text);

    std::string Format() const;
    // Writes the whole store; the old file is replaced only by a complete new one.
    bool Save(const std::string& path) const;

    RegKey* FindKey(const std::string& path);
    RegKey& AddKey(const std::string& path);
    static const RegValue* FindValue(const RegKey& key, const std::string& name);
    static void SetValue(RegKey& key, RegValue value);

    const std::vector<RegKey>& keys() const { return keys_; }

private:
    std::vector<RegKey> keys_;
};
