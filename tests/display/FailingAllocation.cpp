#include "FailingAllocation.h"

#include <new>

namespace {

std::size_t failingSize = 0;

}  // namespace

FailingAllocation::FailingAllocation(std::size_t bytes)
{
    failingSize = bytes;
}

FailingAllocation::~FailingAllocation()
{
    failingSize = 0;
}

// Replaces the library's version for the whole test program; every other
// size goes to the ordinary allocation, so delete[] still matches.
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    if (failingSize != 0 && size == failingSize)
        return nullptr;
    try {
        return ::operator new[](size);
    } catch (...) {
        return nullptr;
    }
}
