// The registry store file on arbitrary bytes: read them, set one value and
// format them again. Every byte the store does not own must stay: the new
// bytes differ from the old only by that value's line, replaced in place or
// added (with the block of a key that was missing, and a line end for a last
// line that had none), and they read back as the old keys with that one
// value set. A file the store refuses stays exactly as it was.
//
// Input: the file's bytes, then four bytes that choose the change.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/RegExportFile.h"

namespace {

const char kProductKey[] = "Software\\Brindlecast\\Korvane";

void Require(bool holds)
{
    if (!holds)
        std::abort();
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameText(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

struct Change {
    std::string key;
    RegValue value;
};

std::string SwapCase(std::string text)
{
    for (char& c : text)
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))
            c = static_cast<char>(c ^ 0x20);
    return text;
}

// The four control bytes pick the key, the name, the type and the bytes.
Change ChooseChange(const uint8_t control[4], const std::vector<RegKey>& keys)
{
    Change change{kProductKey, RegValue{"SOUNDMODE", 0, {}}};
    const RegKey* key = keys.empty() ? nullptr : &keys[control[0] / 4 % keys.size()];
    switch (control[0] % 4) {
    case 1:
        if (key != nullptr)
            change = Change{key->path, RegValue{"Fuzz", 0, {}}};
        break;
    case 2:
        if (key != nullptr && !key->values.empty())
            change = Change{SwapCase(key->path),
                            RegValue{SwapCase(key->values[control[3] % key->values.size()].name), 0, {}}};
        break;
    case 3:
        change = Change{"Software\\Fuzz\\New", RegValue{"Value", 0, {}}};
        break;
    }
    static const uint32_t kTypes[] = {1, 3, 4, 7};
    change.value.type = control[1] % 5 < 4 ? kTypes[control[1] % 5] : control[1] * 0x01010101u;
    const bool text = control[1] & 0x80;
    uint32_t seed = control[3];
    for (size_t i = 0, n = control[2] % 41; i < n; ++i) {
        seed = seed * 1103515245u + 12345u;
        const uint8_t byte = static_cast<uint8_t>(seed >> 16);
        change.value.data.push_back(text ? static_cast<uint8_t>(0x20 + byte % 0x5F) : byte);
    }
    if (text)
        change.value.data.push_back(0);
    return change;
}

// What the keys must read as after the change: the registry's own rules.
std::vector<RegKey> Applied(std::vector<RegKey> keys, const Change& change)
{
    RegKey* key = nullptr;
    for (RegKey& k : keys)
        if (SameText(k.path, change.key))
            key = &k;
    if (key == nullptr)
        key = &keys.emplace_back(RegKey{change.key, {}});
    for (RegValue& v : key->values) {
        if (SameText(v.name, change.value.name)) {
            v.type = change.value.type;
            v.data = change.value.data;
            return keys;
        }
    }
    key->values.push_back(change.value);
    return keys;
}

bool SameKeys(const std::vector<RegKey>& a, const std::vector<RegKey>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].path != b[i].path || a[i].values.size() != b[i].values.size())
            return false;
        for (size_t j = 0; j < a[i].values.size(); ++j) {
            const RegValue& x = a[i].values[j];
            const RegValue& y = b[i].values[j];
            if (x.name != y.name || x.type != y.type || x.data != y.data)
                return false;
        }
    }
    return true;
}

std::vector<std::string> PhysicalLines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t pos = 0; pos < text.size();) {
        const size_t end = text.find('\n', pos);
        const size_t next = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(pos, next - pos));
        pos = next;
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines, size_t from, size_t to)
{
    std::string out;
    for (size_t i = from; i < to; ++i)
        out += lines[i];
    return out;
}

bool TakePrefix(std::string& text, const std::string& prefix)
{
    if (text.compare(0, prefix.size(), prefix) != 0)
        return false;
    text.erase(0, prefix.size());
    return true;
}

// The line the store writes for the value, in a file of its own.
std::string LineOf(const RegValue& value)
{
    RegExportFile scratch;
    scratch.SetValue("K", value);
    const std::string text = scratch.Format();
    return text.substr(text.find("]\r\n") + 3);
}

// The one region of whole lines in which before and after differ: what was
// removed and what was added there. A last line without a line end may
// gain one.
void DifferingRegion(const std::string& before, const std::string& after, std::string& removed,
                     std::string& added)
{
    const std::vector<std::string> old = PhysicalLines(before);
    const std::vector<std::string> now = PhysicalLines(after);
    size_t prefix = 0;
    while (prefix < old.size() && prefix < now.size() &&
           (old[prefix] == now[prefix] ||
            (prefix + 1 == old.size() && old[prefix].back() != '\n' && now[prefix] == old[prefix] + "\r\n")))
        ++prefix;
    size_t suffix = 0;
    while (suffix < old.size() - prefix && suffix < now.size() - prefix &&
           old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix])
        ++suffix;
    removed = Join(old, prefix, old.size() - suffix);
    added = Join(now, prefix, now.size() - suffix);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const uint8_t none[4] = {0, 0, 0, 0};
    const uint8_t* control = size >= 4 ? data + size - 4 : none;
    const std::string before(reinterpret_cast<const char*>(data), size >= 4 ? size - 4 : 0);

    RegExportFile file = RegExportFile::Parse(before);
    const std::vector<RegKey> keys = file.Keys();
    const Change change = ChooseChange(control, keys);
    const bool hadKey = file.HasKey(change.key);
    const RegValue* found = file.FindValue(change.key, change.value.name);
    const bool replaces = found != nullptr;
    RegValue written = change.value;
    if (replaces)
        written.name = found->name;

    file.SetValue(change.key, change.value);
    const std::string after = file.Format();
    if (file.error() != 0) {
        Require(after == before && keys.empty());
        return 0;
    }

    const RegExportFile back = RegExportFile::Parse(after);
    Require(back.error() == 0);
    Require(SameKeys(back.Keys(), Applied(keys, change)));

    std::string removed;
    std::string added;
    DifferingRegion(before, after, removed, added);
    const std::string line = LineOf(written);
    if (replaces) {
        // One value line of that name went, the new one took its place.
        Require(added == line || (added.empty() && removed.empty()));
        const RegExportFile alone = RegExportFile::Parse("REGEDIT4\n[HKEY_LOCAL_MACHINE\\K]\n" + removed);
        Require(removed.empty() || (alone.Keys().size() == 1 && alone.Keys()[0].values.size() == 1 &&
                                    alone.Keys()[0].values[0].name == written.name));
        return 0;
    }
    Require(removed.empty());
    if (before.empty())
        Require(TakePrefix(added, "REGEDIT4\r\n"));
    // The empty line that ends a continuation at the end of the file, and
    // the one before a new key's block.
    for (int blank = hadKey ? 1 : 2; blank > 0; --blank)
        TakePrefix(added, "\r\n");
    if (!hadKey)
        Require(TakePrefix(added, "[HKEY_LOCAL_MACHINE\\" + change.key + "]\r\n"));
    Require(added == line);
    return 0;
}
