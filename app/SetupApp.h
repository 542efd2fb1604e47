#pragma once

#include "ui/framework/WinApp.h"

// The application: one straight sequence from creating the settings record
// to saving what the player confirmed.
class CSetupApp : public CWinApp {
public:
    CSetupApp() = default;

    bool InitInstance() override;
    int ExitInstance() override;

    static void LoadRegistrySettings();
    static void SaveRegistrySettings();
};
