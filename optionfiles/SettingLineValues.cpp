#include "optionfiles/SettingLineValues.h"

#include "optionfiles/ByteOrderMark.h"

namespace {

bool TakePrefix(std::string_view& text, std::string_view prefix)
{
    if (text.substr(0, prefix.size()) != prefix)
        return false;
    text.remove_prefix(prefix.size());
    return true;
}

// An optional minus sign and decimal digits, the whole of text, in 32 bits.
bool ParseInt32(std::string_view text, int32_t& value)
{
    const bool negative = TakePrefix(text, "-");
    if (text.empty())
        return false;
    const int64_t limit = negative ? 2147483648LL : 2147483647LL;
    int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return false;
    }
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}

// The key among first..last whose line this is, with its value; -1 when the
// line is not of that table's form.
int ParseTableLine(std::string_view line, int table, int first, int last, int32_t& value)
{
    if (!TakePrefix(line, SettingName(table)) || !TakePrefix(line, "[\""))
        return -1;
    for (int key = first; key <= last; ++key) {
        std::string_view rest = line;
        if (TakePrefix(rest, SettingName(key)) && TakePrefix(rest, "\"] = ") && ParseInt32(rest, value))
            return key;
    }
    return -1;
}

int ParseSettingLine(std::string_view line, int32_t& value)
{
    const int option = ParseTableLine(line, kOptionInfoList, kFirstOptionKey, kLastOptionKey, value);
    return option >= 0 ? option
                       : ParseTableLine(line, kCmdOnOffList, kFirstCmdOnOffKey, kLastCmdOnOffKey, value);
}

}  // namespace

SettingLineValues ReadSettingLineValues(std::string_view text)
{
    SettingLineValues values;
    // The script loader reads past an editor's mark; so does this.
    if (StartsWithByteOrderMark(text))
        text.remove_prefix(kUtf8ByteOrderMark.size());
    // Only lines with their end count: a line cut off by a torn write may
    // have lost digits.
    for (std::size_t end; (end = text.find('\n')) != std::string_view::npos; text.remove_prefix(end + 1)) {
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        int32_t value = 0;
        const int key = ParseSettingLine(line, value);
        if (key >= 0)
            values[key] = SettingLineValue{true, value};
    }
    return values;
}
