#include "ui/SetupApp.h"

#include <windows.h>

#include "optionfiles/OptionScript.h"
#include "session/ListedModes.h"
#include "session/SaveConfirmed.h"
#include "session/SessionStart.h"
#include "session/SetupSession.h"
#include "ui/SetupCMD.h"
#include "ui/SetupOption.h"
#include "ui/SetupSheet.h"

namespace {

// The pages and the sheet live only while the sheet runs; the sheet hides
// its Apply button itself. Its own OK or Cancel result decides nothing:
// SaveConfirmed does.
void RunSetupSheet()
{
    CSetupOption systemPage;
    CSetupCMD optionPage;
    CSetupSheet sheet("Korvane Setup", nullptr, 0);
    sheet.AddPage(&systemPage);
    sheet.AddPage(&optionPage);
    sheet.DoModal();
}

// After the sheet has closed: what could not be saved, where and why, and
// what the save changed besides the settings. The message script may word
// the failures' heading; the details are the platform's.
void TellSaveReport(const SaveReport& report)
{
    const std::string text = SaveReportText(report, g_optionScript.GetMessageText("SAVEFAIL"));
    if (!text.empty())
        MessageBoxA(nullptr, text.c_str(), "Setup", MB_OK | MB_ICONWARNING);
}

}  // namespace

bool CSetupApp::InitInstance()
{
    if (!StartSession(SetupSession::Access::kReadWrite)) {
        AfxMessageBox(kRecordNotCreated, MB_OK);
        return false;
    }
    TakeChosenDevice();  // what the System page shows and OK saves
    RunSetupSheet();

    if (SaveConfirmed) {
        const SaveReport report = SetupSession::SaveSettings();
        saveFailed_ = !report.Saved();
        TellSaveReport(report);
    }
    return false;
}

int CSetupApp::ExitInstance()
{
    EndSession();
    const int result = CWinApp::ExitInstance();
    return saveFailed_ ? 1 : result;
}
