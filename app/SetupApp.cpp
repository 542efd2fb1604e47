#include "app/SetupApp.h"

#include <windows.h>

#include "app/SaveConfirmed.h"
#include "display/DisplayDevice.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"

namespace {

// Every device the platform offers passes.
int32_t AcceptEveryDevice(const DriverCaps&, const DeviceCaps&)
{
    return 0;
}

}  // namespace

bool CSetupApp::InitInstance()
{
    if (!CRegistry::CrateInstance()) {
        AfxMessageBox("fail CRegistry::CrateInstance()", MB_OK);
        return false;
    }
    InitSettingNames();
    // Without a usable device the tool goes on with empty lists.
    BuildDisplayDeviceList(AcceptEveryDevice);
    LoadRegistrySettings();
    LoadPreservedLines();
    ApplySavedOptions();

    if (SaveConfirmed) {
        WritePreservedLines();
        SaveRegistrySettings();
        AppendSavedOptions();
    }
    return false;
}

int CSetupApp::ExitInstance()
{
    CRegistry::ReleaseInstance();
    FreeDisplayDevices();
    return CWinApp::ExitInstance();
}
