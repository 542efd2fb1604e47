#pragma once

#include "ui/framework/WinApp.h"

// The application: one straight sequence from creating the settings record
// to saving what the player confirmed.
class CSetupApp : public CWinApp {
public:
    CSetupApp() = default;

    bool InitInstance() override;
    // 1 when a confirmed save failed, else the framework's own result.
    int ExitInstance() override;

private:
    bool saveFailed_ = false;
};
