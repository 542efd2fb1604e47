// setupctl export and import: one seat's settings as a portable profile, and
// a profile applied on another seat.
#include "cli/Commands.h"

int RunExport(const Arguments&)
{
    return Fail(kExitUsage, "export is not there yet");
}

int RunImport(const Arguments&)
{
    return Fail(kExitUsage, "import is not there yet");
}
