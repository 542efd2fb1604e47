#include "session/SessionSteps.h"

void SetupSession::ReadStartupSettings(Access access)
{
    LoadRegistrySettings(access);
    LoadPreservedLines();
    ApplySavedOptions();
}
