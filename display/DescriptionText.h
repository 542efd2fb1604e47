#pragma once

#include <cstddef>

// Copies a driver's or device's text into a 40-byte description. The copy is
// bounded at 39 bytes with the terminator, so at most 38 characters are kept;
// a missing text gives an empty description.
inline void CopyDescription(char (&to)[40], const char* from)
{
    constexpr size_t kBound = 39;
    size_t length = 0;
    if (from) {
        while (length + 1 < kBound && from[length] != '\0') {
            to[length] = from[length];
            ++length;
        }
    }
    to[length] = '\0';
}
