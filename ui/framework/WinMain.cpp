#include <windows.h>

#include "ui/framework/WinApp.h"

// The program's entry: the one application object runs its start-up; a
// start-up that returns false ends the program through ExitInstance.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CWinApp* app = CWinApp::Instance();
    if (app == nullptr)
        return -1;
    if (!app->InitInstance())
        return app->ExitInstance();
    // The tool never keeps running after its start-up; an application that
    // did would need a message loop here.
    return app->ExitInstance();
}
