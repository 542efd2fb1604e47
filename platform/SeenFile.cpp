#include "platform/SeenFile.h"

#include "platform/HeldFolder.h"

namespace {

// A folder that is not there, or is no folder, holds no file; one that
// could not be opened for another reason may.
StampStatus StampIn(const HeldFolder& folder, const std::string& name, FileStamp& stamp)
{
    if (folder.IsOpen())
        return folder.Stamp(name, stamp);
    const SystemError error = folder.Error();
    return MeansMissing(error) || error == kRefusedNotAFile ? StampStatus::kMissing : StampStatus::kUnknown;
}

}  // namespace

SeenFile SeeFile(const HeldFolder& folder, const std::string& name)
{
    SeenFile seen;
    seen.seenAt = FileClockNow();
    seen.status = StampIn(folder, name, seen.stamp);
    return seen;
}

bool MayHaveChanged(const SeenFile& seen, const HeldFolder& folder, const std::string& name)
{
    const SeenFile now = SeeFile(folder, name);
    if (now.status != seen.status || now.status == StampStatus::kUnknown)
        return true;
    if (now.status == StampStatus::kMissing)
        return false;
    return now.stamp != seen.stamp || MayChangeUnseen(seen.stamp, seen.seenAt);
}
