#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The client keeps its texts (device names, saved lines) in its own 8-bit
// code page; JSON wants UTF-8.

// The code page the client's texts are in when none is named: the ANSI code
// page on Windows (0, CP_ACP), 949 elsewhere.
constexpr unsigned kClientCodePage = 0;

struct Utf8Text {
    std::string text;
    size_t replacedBytes = 0;  // bytes that no character of the code page begins
};

bool IsValidUtf8(std::string_view text);

// text itself when it is valid UTF-8; otherwise text read in codePage, each
// byte that cannot be converted replaced by U+FFFD and counted.
Utf8Text ToUtf8(std::string_view text, unsigned codePage);
