#pragma once

#include <string>

// The application object: the framework's WinMain calls InitInstance once;
// when it returns false, ExitInstance runs and its result is the process's
// exit code. There is exactly one, a global of the program.
class CWinApp {
public:
    // Without a name the application is named after its executable, less
    // the extension.
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();

    virtual bool InitInstance();
    virtual int ExitInstance();

    const char* AppName() const;

    static CWinApp* Instance();

private:
    std::string appName_;
};

// A message box captioned with the application's name; returns the button
// that closed it.
int AfxMessageBox(const char* text, unsigned int type);
