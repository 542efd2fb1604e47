#include "session/AssignmentLine.h"

#include <cctype>
#include <cstdlib>

#include "optionfiles/PreservedLines.h"
#include "platform/FileBytes.h"
#include "platform/HostPath.h"
#include "session/SetupSession.h"
#include "settings/SettingsRecord.h"

namespace {

bool IsNameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

void SkipSpace(std::string_view& text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
}

bool Take(std::string_view& text, char c)
{
    SkipSpace(text);
    if (text.empty() || text.front() != c)
        return false;
    text.remove_prefix(1);
    return true;
}

std::string TakeName(std::string_view& text)
{
    SkipSpace(text);
    size_t length = 0;
    while (length < text.size() && IsNameChar(text[length]))
        ++length;
    std::string name(text.substr(0, length));
    text.remove_prefix(length);
    return name;
}

// ["KEY"] or ['KEY'], at text's start.
bool TakeQuotedKey(std::string_view& text, std::string& key)
{
    if (!Take(text, '['))
        return false;
    SkipSpace(text);
    if (text.empty() || (text.front() != '"' && text.front() != '\''))
        return false;
    const char quote = text.front();
    const size_t end = text.find(quote, 1);
    if (end == std::string_view::npos)
        return false;
    key = std::string(text.substr(1, end - 1));
    text.remove_prefix(end + 1);
    return Take(text, ']');
}

// The value's text: up to a comment outside quotes, without a trailing
// comma or semicolon and the spaces around it.
std::string ValueText(std::string_view text)
{
    char quote = 0;
    size_t end = 0;
    for (; end < text.size(); ++end) {
        const char c = text[end];
        if (quote != 0 && c == quote)
            quote = 0;
        else if (quote == 0 && (c == '"' || c == '\''))
            quote = c;
        else if (quote == 0 && c == '-' && end + 1 < text.size() && text[end + 1] == '-')
            break;
    }
    std::string value(text.substr(0, end));
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r'))
        value.pop_back();
    if (!value.empty() && (value.back() == ',' || value.back() == ';'))
        value.pop_back();
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
        value.pop_back();
    size_t start = 0;
    while (start < value.size() && (value[start] == ' ' || value[start] == '\t'))
        ++start;
    return value.substr(start);
}

}  // namespace

bool ParseAssignment(std::string_view line, Assignment& found)
{
    Assignment a;
    SkipSpace(line);
    if (line.substr(0, 2) == "--")
        return false;
    if (!line.empty() && line.front() == '[') {
        if (!TakeQuotedKey(line, a.key))
            return false;
    } else {
        std::string name = TakeName(line);
        if (name.empty())
            return false;
        SkipSpace(line);
        if (!line.empty() && line.front() == '.') {
            line.remove_prefix(1);
            a.table = std::move(name);
            a.key = TakeName(line);
        } else if (!line.empty() && line.front() == '[') {
            a.table = std::move(name);
            if (!TakeQuotedKey(line, a.key))
                return false;
        } else {
            a.key = std::move(name);
        }
    }
    if (a.key.empty() || !Take(line, '=') || (!line.empty() && line.front() == '='))
        return false;
    a.value = ValueText(line);
    // "TABLE = {" opens a table: no key of it gets a value here.
    if (a.value.empty() || a.value.front() == '{')
        return false;
    found = std::move(a);
    return true;
}

bool WrittenAs(const std::string& value, long long number)
{
    if (value.empty() || value.size() > 20)
        return false;
    char* end = nullptr;
    const long long read = std::strtoll(value.c_str(), &end, 10);
    const bool digitsOnly = value.find_first_not_of("-0123456789") == std::string::npos;
    return digitsOnly && *end == '\0' && read == number;
}

void ForEachAssignment(const std::string& file,
                       const std::function<void(int number, const Assignment& a)>& each)
{
    // The saved file is read within its own bound, wherever it is read.
    const bool savedFile = file == SetupSession::SavedFileName() ||
                           (!SetupSettings->savedFileReadFrom.empty() && file == SetupSettings->savedFileReadFrom);
    const std::size_t bound = savedFile ? kMaxSavedFileBytes : kMaxFileBytes;
    const FileBytes read = ReadUnlinkedFileBytes(HostPath(file.c_str()), bound);
    if (read.status != FileBytes::Status::kRead || (!read.bytes.empty() && read.bytes[0] == '\x1b'))
        return;
    int number = 0;
    ForEachLine(read.bytes, [&](std::string_view line) {
        ++number;
        Assignment a;
        if (ParseAssignment(line, a))
            each(number, a);
    });
}

SourceLine FindAssignment(const std::string& file, const std::string& key)
{
    SourceLine found;
    ForEachAssignment(file, [&](int number, const Assignment& a) {
        if (a.key == key) {
            found.number = number;
            found.value = a.value;
        }
    });
    return found;
}
