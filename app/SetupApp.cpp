#include "app/SetupApp.h"

#include <windows.h>

#include "app/SaveConfirmed.h"
#include "display/DisplayDevice.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"
#include "ui/SetupCMD.h"
#include "ui/SetupOption.h"
#include "ui/SetupSheet.h"

namespace {

// Every device the platform offers passes.
int32_t AcceptEveryDevice(const DriverCaps&, const DeviceCaps&)
{
    return 0;
}

// The pages and the sheet live only while the sheet runs. Its own OK or
// Cancel result decides nothing: SaveConfirmed does.
void RunSetupSheet()
{
    CSetupOption systemPage;
    CSetupCMD optionPage;
    CSetupSheet sheet("Korvane Setup", nullptr, 0);
    sheet.AddPage(&systemPage);
    sheet.AddPage(&optionPage);
    sheet.AddFlags(PSH_NOAPPLYNOW);
    sheet.DoModal();
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
    RunSetupSheet();

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
