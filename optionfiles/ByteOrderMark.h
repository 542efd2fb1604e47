#pragma once

#include <string_view>

// Editors such as Notepad begin a UTF-8 file with this mark. Lua does not
// know it, and the tool's own files are written without it.
constexpr std::string_view kUtf8ByteOrderMark("\xEF\xBB\xBF", 3);

inline bool StartsWithByteOrderMark(std::string_view text)
{
    return text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark;
}
