#include "platform/RegExportFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>

#include "platform/FileBytes.h"
#include "platform/WholeFile.h"

namespace {

const char kHeader[] = "REGEDIT4";
const char kRoot[] = "HKEY_LOCAL_MACHINE\\";
const char kLineEnd[] = "\r\n";

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (Lower(c) >= 'a' && Lower(c) <= 'f');
}

// The digits must all be hexadecimal: strtoul alone would take signs,
// spaces and "0x".
bool ReadHexNumber(std::string_view digits, size_t maxDigits, unsigned long& out)
{
    if (digits.empty() || digits.size() > maxDigits)
        return false;
    out = 0;
    for (char c : digits) {
        if (!IsHexDigit(c))
            return false;
        out = out * 16 + static_cast<unsigned long>(c <= '9' ? c - '0' : Lower(c) - 'a' + 10);
    }
    return true;
}

// ---- Value syntax ----

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

std::string Quote(std::string_view text)
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

std::string FormatData(const RegValue& v)
{
    if (v.type == 1 && IsPlainText(v.data))
        return Quote(std::string_view(reinterpret_cast<const char*>(v.data.data()), v.data.size() - 1));
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

std::string ValueLineText(const RegValue& v)
{
    return Quote(v.name) + "=" + FormatData(v) + kLineEnd;
}

// Reads a quoted text at pos (pos at the opening quote); false when unterminated.
bool ReadQuoted(std::string_view line, size_t& pos, std::string& out)
{
    if (pos >= line.size() || line[pos] != '"')
        return false;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c == '\\' && ++pos == line.size())
            return false;
        out += line[pos];
    }
    return false;
}

// Comma-separated bytes of one or two hexadecimal digits each.
bool ReadHexBytes(std::string_view text, std::vector<uint8_t>& out)
{
    while (!text.empty()) {
        const size_t comma = text.find(',');
        unsigned long byte = 0;
        if (!ReadHexNumber(text.substr(0, comma), 2, byte))
            return false;
        out.push_back(static_cast<uint8_t>(byte));
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
        if (text.empty())
            return false;  // a trailing comma: the rest is missing
    }
    return true;
}

bool ParseData(std::string_view rest, RegValue& value)
{
    if (!rest.empty() && rest[0] == '"') {
        size_t end = 0;
        std::string text;
        if (!ReadQuoted(rest, end, text) || end != rest.size())
            return false;
        value.type = 1;
        value.data.assign(text.begin(), text.end());
        value.data.push_back(0);
        return true;
    }
    unsigned long n = 0;
    if (rest.substr(0, 6) == "dword:") {
        if (!ReadHexNumber(rest.substr(6), 8, n) || rest.size() != 14)
            return false;
        value.type = 4;
        value.data = {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
        return true;
    }
    if (rest.substr(0, 4) == "hex:") {
        value.type = 3;
        return ReadHexBytes(rest.substr(4), value.data);
    }
    const size_t close = rest.find("):");
    if (rest.substr(0, 4) != "hex(" || close == std::string_view::npos ||
        !ReadHexNumber(rest.substr(4, close - 4), 8, n))
        return false;
    value.type = static_cast<uint32_t>(n);
    return ReadHexBytes(rest.substr(close + 2), value.data);
}

bool ParseValueLine(std::string_view line, RegValue& value)
{
    size_t pos = 0;
    return ReadQuoted(line, pos, value.name) && pos < line.size() && line[pos] == '=' &&
           ParseData(line.substr(pos + 1), value);
}

// ---- Lines ----

// The line at pos without its end (LF or CR LF); pos moves past the end.
std::string_view TakeLine(std::string_view text, size_t& pos)
{
    const size_t end = std::min(text.find('\n', pos), text.size());
    std::string_view line = text.substr(pos, end - pos);
    if (end < text.size() && !line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    pos = std::min(end + 1, text.size());
    return line;
}

bool IsValueLike(std::string_view content)
{
    return !content.empty() && (content[0] == '"' || content[0] == '@');
}

struct LogicalLine {
    std::string content;  // without line ends, continuations joined
    bool joinsNext = false;
};

// A value line continues on the next line while a line ends in a
// backslash; the continuation's leading spaces are indentation.
LogicalLine TakeLogicalLine(std::string_view text, size_t& pos)
{
    std::string_view physical = TakeLine(text, pos);
    LogicalLine line{std::string(physical)};
    if (!IsValueLike(line.content))
        return line;
    while (!physical.empty() && physical.back() == '\\') {
        line.content.pop_back();
        if (pos == text.size()) {
            line.joinsNext = true;
            break;
        }
        physical = TakeLine(text, pos);
        const size_t start = physical.find_first_not_of(" \t");
        if (start != std::string_view::npos)
            line.content += physical.substr(start);
    }
    return line;
}

// For "[HKEY_LOCAL_MACHINE\path]" the path; nullopt for other roots.
std::optional<std::string> KeyPathOf(std::string_view content)
{
    const std::string_view root = kRoot;
    const std::string_view full = content.substr(1, content.size() - 2);
    if (!EqualNoCase(full.substr(0, root.size()), root))
        return std::nullopt;
    return std::string(full.substr(root.size()));
}

bool IsKeyLine(std::string_view content)
{
    return content.size() >= 2 && content.front() == '[' && content.back() == ']';
}

bool IsBlank(std::string_view text)
{
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

bool IsBlankOrComment(std::string_view text)
{
    const size_t start = text.find_first_not_of(" \t\r\n");
    return start == std::string_view::npos || text[start] == ';';
}

}  // namespace

RegExportFile RegExportFile::Parse(std::string_view text)
{
    RegExportFile file;
    size_t pos = 0;
    std::optional<std::string> key;  // the block the lines are in
    while (pos < text.size()) {
        const size_t start = pos;
        LogicalLine logical = TakeLogicalLine(text, pos);
        Line line;
        line.text = std::string(text.substr(start, pos - start));
        line.joinsNext = logical.joinsNext;
        if (start == 0 && logical.content != kHeader) {
            // Another format or encoding: nothing in it is ours to change.
            file.lines_.assign(1, TextLine(std::string(text)));
            file.error_ = EILSEQ;
            return file;
        }
        if (start > 0 && IsKeyLine(logical.content)) {
            key = KeyPathOf(logical.content);
            line.kind = key ? Line::Kind::kKey : Line::Kind::kOtherRootKey;
            line.key = key.value_or("");
        } else if (key && ParseValueLine(logical.content, line.value)) {
            line.kind = Line::Kind::kValue;
            line.key = *key;
        } else {
            line.value = RegValue();  // a line this store does not read
        }
        file.lines_.push_back(std::move(line));
    }
    return file;
}

RegExportFile RegExportFile::Load(const std::string& path)
{
    FileBytes file = ReadFileBytes(path);
    RegExportFile refused;
    switch (file.status) {
    case FileBytes::Status::kRead: return Parse(file.bytes);
    case FileBytes::Status::kMissing: return RegExportFile();
    case FileBytes::Status::kUnreadable: refused.error_ = file.error; break;
    case FileBytes::Status::kTooLarge: refused.error_ = kFileTooLarge; break;
    }
    return refused;
}

std::string RegExportFile::Format() const
{
    std::string out;
    for (const Line& line : lines_)
        out += line.text;
    return out;
}

SystemError RegExportFile::Save(const std::string& path) const
{
    return error_ != kNoError ? error_ : ReplaceWhole(path, Format());
}

bool RegExportFile::HasKey(std::string_view path) const
{
    return LastKeyLine(path) < lines_.size();
}

void RegExportFile::AddKey(const std::string& path)
{
    if (error_ != kNoError || HasKey(path))
        return;
    if (lines_.empty())
        lines_.push_back(TextLine(std::string(kHeader) + kLineEnd));
    lines_.back().End();
    if (!IsBlank(lines_.back().text))
        lines_.push_back(TextLine(kLineEnd));
    Line key = TextLine("[" + std::string(kRoot) + path + "]" + kLineEnd);
    key.kind = Line::Kind::kKey;
    key.key = path;
    lines_.push_back(std::move(key));
}

const RegValue* RegExportFile::FindValue(std::string_view keyPath, std::string_view name) const
{
    const Line* line = LastValueLine(keyPath, name);
    return line != nullptr ? &line->value : nullptr;
}

void RegExportFile::SetValue(const std::string& keyPath, RegValue value)
{
    if (error_ != kNoError)
        return;
    if (const Line* found = LastValueLine(keyPath, value.name)) {
        Line& line = lines_[static_cast<size_t>(found - lines_.data())];
        value.name = line.value.name;  // the file's spelling stays
        line.text = ValueLineText(value);
        line.value = std::move(value);
        line.joinsNext = false;
        return;
    }
    AddKey(keyPath);
    const size_t keyLine = LastKeyLine(keyPath);
    const size_t after = EndOfBlock(keyLine);
    lines_[after].End();
    Line line = TextLine(ValueLineText(value));
    line.kind = Line::Kind::kValue;
    line.key = lines_[keyLine].key;
    line.value = std::move(value);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after + 1), std::move(line));
}

void RegExportFile::RemoveValue(std::string_view keyPath, std::string_view name)
{
    if (error_ != kNoError)
        return;
    while (const Line* found = LastValueLine(keyPath, name))
        lines_.erase(lines_.begin() + (found - lines_.data()));
}

std::vector<RegKey> RegExportFile::Keys() const
{
    std::vector<RegKey> keys;
    auto keyOf = [&keys](const std::string& path) -> RegKey& {
        for (RegKey& key : keys)
            if (EqualNoCase(key.path, path))
                return key;
        return keys.emplace_back(RegKey{path, {}});
    };
    for (const Line& line : lines_) {
        if (line.kind == Line::Kind::kKey) {
            keyOf(line.key);
        } else if (line.kind == Line::Kind::kValue) {
            std::vector<RegValue>& values = keyOf(line.key).values;
            auto same = [&line](const RegValue& v) { return EqualNoCase(v.name, line.value.name); };
            auto found = std::find_if(values.begin(), values.end(), same);
            if (found != values.end())
                *found = line.value;
            else
                values.push_back(line.value);
        }
    }
    return keys;
}

RegExportFile::Line RegExportFile::TextLine(std::string text)
{
    Line line;
    line.text = std::move(text);
    return line;
}

void RegExportFile::Line::End()
{
    if (text.empty() || text.back() != '\n')
        text += kLineEnd;
    if (joinsNext)
        text += kLineEnd;  // an empty continuation line ends it
    joinsNext = false;
}

const RegExportFile::Line* RegExportFile::LastValueLine(std::string_view keyPath,
                                                        std::string_view name) const
{
    for (auto line = lines_.rbegin(); line != lines_.rend(); ++line)
        if (line->kind == Line::Kind::kValue && EqualNoCase(line->key, keyPath) &&
            EqualNoCase(line->value.name, name))
            return &*line;
    return nullptr;
}

// The index of the key's last block header; lines_.size() when it has none.
size_t RegExportFile::LastKeyLine(std::string_view path) const
{
    for (size_t i = lines_.size(); i-- > 0;)
        if (lines_[i].kind == Line::Kind::kKey && EqualNoCase(lines_[i].key, path))
            return i;
    return lines_.size();
}

// The last line of the block that holds something: new values go after it,
// before the blank lines and comments that part it from the next block.
size_t RegExportFile::EndOfBlock(size_t keyLine) const
{
    size_t last = keyLine;
    for (size_t i = keyLine + 1; i < lines_.size(); ++i) {
        const Line::Kind kind = lines_[i].kind;
        if (kind == Line::Kind::kKey || kind == Line::Kind::kOtherRootKey)
            break;
        if (!IsBlankOrComment(lines_[i].text))
            last = i;
    }
    return last;
}
