#include "settings/RegExportFile.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

const char kHeader[] = "REGEDIT4";
const char kRoot[] = "HKEY_LOCAL_MACHINE\\";

bool EqualNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// A string value that is printable text followed by exactly one NUL is written
// as "text"; any other bytes keep their exact form as hex(1):.
bool IsPlainText(const std::vector<uint8_t>& data)
{
    if (data.empty() || data.back() != 0)
        return false;
    for (size_t i = 0; i + 1 < data.size(); ++i)
        if (data[i] < 0x20 || data[i] == 0x7F)
            return false;
    return true;
}

std::string Quote(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string Hex(const std::vector<uint8_t>& data)
{
    std::string out;
    char byte[4];
    for (size_t i = 0; i < data.size(); ++i) {
        std::snprintf(byte, sizeof byte, "%02x", data[i]);
        if (i > 0)
            out += ',';
        out += byte;
    }
    return out;
}

std::string FormatValue(const RegValue& v)
{
    if (v.type == 1 && IsPlainText(v.data))
        return Quote(std::string(v.data.begin(), v.data.end() - 1));
    if (v.type == 4 && v.data.size() == 4) {
        char text[16];
        uint32_t n = v.data[0] | v.data[1] << 8 | v.data[2] << 16 | uint32_t(v.data[3]) << 24;
        std::snprintf(text, sizeof text, "dword:%08x", static_cast<unsigned>(n));
        return text;
    }
    if (v.type == 3)
        return "hex:" + Hex(v.data);
    char prefix[24];
    std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(v.type));
    return prefix + Hex(v.data);
}

// Reads a quoted text at pos (pos at the opening quote); false when unterminated.
bool ReadQuoted(const std::string& line, size_t& pos, std::string& out)
{
    if (pos >= line.size() || line[pos] != '"')
        return false;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '\\' && pos + 1 < line.size()) {
            out += line[++pos];
        } else if (c == '"') {
            ++pos;
            return true;
        } else {
            out += c;
        }
    }
    return false;
}

bool ReadHexBytes(const std::string& text, std::vector<uint8_t>& out)
{
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        if (item.empty() && in.eof() && out.empty())
            return true;
        char* end = nullptr;
        unsigned long byte = std::strtoul(item.c_str(), &end, 16);
        if (item.empty() || *end != '\0' || byte > 0xFF)
            return false;
        out.push_back(static_cast<uint8_t>(byte));
    }
    return true;
}

bool ParseValueLine(const std::string& line, RegValue& value)
{
    size_t pos = 0;
    if (!ReadQuoted(line, pos, value.name) || pos >= line.size() || line[pos] != '=')
        return false;
    std::string rest = line.substr(pos + 1);
    if (!rest.empty() && rest[0] == '"') {
        size_t p = 0;
        std::string text;
        if (!ReadQuoted(rest, p, text))
            return false;
        value.type = 1;
        value.data.assign(text.begin(), text.end());
        value.data.push_back(0);
        return true;
    }
    if (rest.compare(0, 6, "dword:") == 0) {
        char* end = nullptr;
        unsigned long n = std::strtoul(rest.c_str() + 6, &end, 16);
        if (rest.size() != 14 || *end != '\0')
            return false;
        value.type = 4;
        value.data = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
        return true;
    }
    if (rest.compare(0, 4, "hex:") == 0) {
        value.type = 3;
        return ReadHexBytes(rest.substr(4), value.data);
    }
    if (rest.compare(0, 4, "hex(") == 0) {
        size_t close = rest.find("):");
        if (close == std::string::npos || close == 4)
            return false;
        const std::string digits = rest.substr(4, close - 4);
        char* end = nullptr;
        unsigned long type = std::strtoul(digits.c_str(), &end, 16);
        if (*end != '\0' || type > 0xFFFFFFFFul)
            return false;
        value.type = static_cast<uint32_t>(type);
        return ReadHexBytes(rest.substr(close + 2), value.data);
    }
    return false;
}

// Joins continuation lines (a trailing backslash) and drops CR before LF.
std::vector<std::string> LogicalLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string current;
    std::stringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.back() == '\\' && line.find('=') != std::string::npos) {
            line.pop_back();
            current += line;
            continue;
        }
        size_t start = current.empty() ? 0 : line.find_first_not_of(' ');
        current += start == std::string::npos ? "" : line.substr(start);
        lines.push_back(current);
        current.clear();
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

}  // namespace

RegExportFile RegExportFile::Parse(const std::string& text)
{
    RegExportFile file;
    RegKey* key = nullptr;
    for (const std::string& line : LogicalLines(text)) {
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            std::string full = line.substr(1, line.size() - 2);
            std::string root = kRoot;
            key = EqualNoCase(full.substr(0, root.size()), root) ? &file.AddKey(full.substr(root.size()))
                                                                 : nullptr;
            continue;
        }
        RegValue value;
        if (key != nullptr && ParseValueLine(line, value))
            SetValue(*key, std::move(value));
    }
    return file;
}

RegExportFile RegExportFile::Load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return RegExportFile();
    std::stringstream text;
    text << in.rdbuf();
    return Parse(text.str());
}

std::string RegExportFile::Format() const
{
    std::string out = std::string(kHeader) + "\r\n";
    for (const RegKey& key : keys_) {
        out += "\r\n[" + std::string(kRoot) + key.path + "]\r\n";
        for (const RegValue& v : key.values)
            out += Quote(v.name) + "=" + FormatValue(v) + "\r\n";
    }
    return out;
}

bool RegExportFile::Save(const std::string& path) const
{
    const std::string temp = path + ".new";
    const std::string text = Format();
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (f == nullptr)
        return false;
    bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    written = std::fclose(f) == 0 && written;
    if (!written || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

RegKey* RegExportFile::FindKey(const std::string& path)
{
    for (RegKey& key : keys_)
        if (EqualNoCase(key.path, path))
            return &key;
    return nullptr;
}

RegKey& RegExportFile::AddKey(const std::string& path)
{
    if (RegKey* key = FindKey(path))
        return *key;
    keys_.push_back(RegKey{path, {}});
    return keys_.back();
}

const RegValue* RegExportFile::FindValue(const RegKey& key, const std::string& name)
{
    for (const RegValue& v : key.values)
        if (EqualNoCase(v.name, name))
            return &v;
    return nullptr;
}

void RegExportFile::SetValue(RegKey& key, RegValue value)
{
    for (RegValue& v : key.values) {
        if (EqualNoCase(v.name, value.name)) {
            v = std::move(value);
            return;
        }
    }
    key.values.push_back(std::move(value));
}
