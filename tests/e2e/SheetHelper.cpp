// Works a running Setup.exe from outside, for scripts:
//   sheet_helper wait        waits until the sheet shows
//   sheet_helper tab N       shows page N
//   sheet_helper close       presses CANCEL
//   sheet_helper ok          presses OK and waits until the save question shows
//   sheet_helper no          answers the save question with Cancel
// Exits with 0 when the sheet (and the question) was there, 1 otherwise.
#include <cstdlib>
#include <cstring>

#include "RemoteSheet.h"

namespace {

HWND FindSheet(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    do {
        if (HWND sheet = FindWindowA(nullptr, "Korvane Setup"))
            return sheet;
        Sleep(100);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

DWORD SheetProcess(HWND sheet)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(sheet, &processId);
    return processId;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    HWND sheet = FindSheet(60000);
    if (sheet == nullptr)
        return 1;
    if (std::strcmp(argv[1], "tab") == 0 && argc > 2)
        remote::ShowPage(sheet, std::atoi(argv[2]));
    else if (std::strcmp(argv[1], "close") == 0)
        remote::PostClick(GetDlgItem(sheet, IDCANCEL));
    else if (std::strcmp(argv[1], "ok") == 0) {
        remote::PostClick(GetDlgItem(sheet, IDOK));
        return remote::WaitForWindow(SheetProcess(sheet), "#32770", "Setup", 60000) != nullptr ? 0 : 1;
    } else if (std::strcmp(argv[1], "no") == 0)
        return remote::AnswerSetupQuestion(SheetProcess(sheet), IDCANCEL, 60000) ? 0 : 1;
    return 0;
}
