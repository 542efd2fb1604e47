#include "platform/SeenFile.h"

SeenFile SeeFile(const std::string& hostPath)
{
    SeenFile seen;
    seen.seenAt = FileClockNow();
    seen.status = StampFile(hostPath, seen.stamp);
    return seen;
}

bool MayHaveChanged(const SeenFile& seen, const std::string& hostPath)
{
    const SeenFile now = SeeFile(hostPath);
    if (now.status != seen.status || now.status == StampStatus::kUnknown)
        return true;
    if (now.status == StampStatus::kMissing)
        return false;
    return now.stamp != seen.stamp || MayChangeUnseen(seen.stamp, seen.seenAt);
}
