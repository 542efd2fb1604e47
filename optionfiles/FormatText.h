#pragma once

#include <string>

// printf-style formatting into a work area of 4096 bytes; a longer result
// is cut to 4095 bytes.
std::string FormatText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
