#pragma once

#include <chrono>

// The processor time the calling thread has used: unlike the clock on the
// wall, it does not run on while other programs have the processor.
std::chrono::nanoseconds ThreadTime();
