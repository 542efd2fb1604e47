#include "ui/framework/WinApp.h"

#include <windows.h>

namespace {

CWinApp* g_app = nullptr;

std::string ExecutableName()
{
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path, length < MAX_PATH ? length : 0);
    size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

}  // namespace

CWinApp::CWinApp(const char* appName)
    : appName_(appName != nullptr ? appName : ExecutableName())
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

bool CWinApp::InitInstance() { return false; }

int CWinApp::ExitInstance() { return 0; }

const char* CWinApp::AppName() const { return appName_.c_str(); }

CWinApp* CWinApp::Instance() { return g_app; }

int AfxMessageBox(const char* text, unsigned int type)
{
    const char* caption = g_app != nullptr ? g_app->AppName() : "";
    return MessageBoxA(GetActiveWindow(), text, caption, type);
}
