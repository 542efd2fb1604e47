#pragma once

#include <cstdint>

// A GUID kept as the 16 bytes the platform stores, in the platform's layout.
struct RawGuid {
    uint8_t bytes[16];
};
