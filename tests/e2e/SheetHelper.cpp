// Works a running Setup.exe from outside, for scripts:
//   sheet_helper wait        waits until the sheet shows
//   sheet_helper tab N       shows page N
//   sheet_helper close       presses CANCEL
// Exits with 0 when the sheet was there, 1 otherwise.
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
    return 0;
}
