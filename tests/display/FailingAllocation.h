#pragma once

#include <cstddef>

// While one lives, every non-throwing array allocation of exactly the given
// number of bytes fails, as it would when memory runs short.
class FailingAllocation {
public:
    explicit FailingAllocation(std::size_t bytes);
    ~FailingAllocation();
    FailingAllocation(const FailingAllocation&) = delete;
    FailingAllocation& operator=(const FailingAllocation&) = delete;
};
