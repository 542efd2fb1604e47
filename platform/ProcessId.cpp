#include "platform/ProcessId.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

unsigned long CurrentProcessId()
{
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}
