#include "app/SetupApp.h"

#include <windows.h>

#include "app/SaveConfirmed.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"

bool CSetupApp::InitInstance()
{
    if (!CRegistry::CrateInstance()) {
        AfxMessageBox("fail CRegistry::CrateInstance()", MB_OK);
        return false;
    }
    InitSettingNames();
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
    return CWinApp::ExitInstance();
}
