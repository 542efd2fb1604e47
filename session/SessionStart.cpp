#include "session/SessionStart.h"

#include "display/DisplayDevice.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"

const char* const kRecordNotCreated = "fail CRegistry::CrateInstance()";

namespace {

// Every device the platform offers passes.
int32_t AcceptEveryDevice(const DriverCaps&, const DeviceCaps&)
{
    return 0;
}

}  // namespace

bool StartSession(SetupSession::Access access, int32_t* displayResult, EnumerationLog* log)
{
    if (!CRegistry::CrateInstance())
        return false;
    InitSettingNames();
    const int32_t found = BuildDisplayDeviceList(AcceptEveryDevice, log);
    if (displayResult != nullptr)
        *displayResult = found;
    SetupSession::ReadStartupSettings(access);
    return true;
}

void EndSession()
{
    CRegistry::ReleaseInstance();
    FreeDisplayDevices();
}
