#include <windows.h>

#include "ui/framework/WinApp.h"

// The program's entry: the one application object runs its start-up, then
// its shut-down, whose result is the exit code. An application whose
// start-up returned true would run a message loop in between; this one
// never does, its start-up runs the whole program.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CWinApp* app = CWinApp::Instance();
    if (app == nullptr)
        return -1;
    app->InitInstance();
    return app->ExitInstance();
}
