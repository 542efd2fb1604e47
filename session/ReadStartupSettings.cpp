#include "session/SessionSteps.h"

#include "session/ClientSavedFile.h"

void SetupSession::ReadStartupSettings(Access access)
{
    const ClientSavedFile client;  // the saved file's values from where the client reads them
    LoadRegistrySettings(access);
    LoadPreservedLines();
    ApplySavedOptions();
}
