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

    // The saved option file: its other lines, its values, and the save.
    static void LoadPreservedLines();
    static void ApplySavedOptions();
    static void WritePreservedLines();
    static void AppendSavedOptions();
};
