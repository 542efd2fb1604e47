#pragma once

#include <cstdint>
#include <memory>

#include "display/DisplayRecords.h"

// An owned array of screen modes with room for a fixed number of entries.
// Allocation reports a shortage of memory instead of throwing, so that the
// enumeration, which runs inside the platform's callbacks, can reject a
// device instead of unwinding through them.
class ModeArray {
public:
    // Replaces the array with room for capacity zeroed modes. On a shortage
    // the array is left empty and the result is false.
    bool Allocate(uint32_t capacity);
    void Release();

    uint32_t capacity() const { return capacity_; }
    DisplayMode* data() { return items_.get(); }
    const DisplayMode* data() const { return items_.get(); }
    DisplayMode& operator[](uint32_t i) { return items_[i]; }
    const DisplayMode& operator[](uint32_t i) const { return items_[i]; }
    explicit operator bool() const { return items_ != nullptr; }

private:
    std::unique_ptr<DisplayMode[]> items_;
    uint32_t capacity_ = 0;
};
