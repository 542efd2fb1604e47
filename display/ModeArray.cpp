#include "display/ModeArray.h"

#include <cstddef>
#include <cstdint>
#include <new>

bool ModeArray::Allocate(uint32_t capacity)
{
    Release();
    // A count whose byte size does not fit is a shortage like any other.
    if (uint64_t{capacity} * sizeof(DisplayMode) > SIZE_MAX)
        return false;
    items_.reset(new (std::nothrow) DisplayMode[capacity]());
    if (!items_)
        return false;
    capacity_ = capacity;
    return true;
}

void ModeArray::Release()
{
    items_.reset();
    capacity_ = 0;
}
