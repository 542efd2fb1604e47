#include "platform/VirtualStore.h"

// Only Windows virtualizes; elsewhere the client reads what the tool writes.
std::string PerUserCopyOfCurrentFolder()
{
    return {};
}
