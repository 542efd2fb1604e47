// The one failure the tool shows: the settings record cannot be created.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"
#include "support/RegistryProbe.h"
#include "ui/SetupApp.h"

namespace {

struct SeenBox {
    std::string text;
    bool hasCancel = true;
};

// Waits for the application's message box, notes what it shows and presses OK.
SeenBox AnswerMessageBox(const char* caption)
{
    SeenBox seen;
    for (int i = 0; i < 200; ++i) {
        HWND box = FindWindowA("#32770", caption);
        if (box != nullptr) {
            char text[256] = {};
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            seen.text = text;
            seen.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
            PostMessageA(box, WM_COMMAND, IDOK, 0);
            return seen;
        }
        Sleep(50);
    }
    return seen;
}

TEST(Startup, AFailedRecordShowsItsMessageAndDoesNothingElse)
{
    probe::ClearVendorKey();
    ASSERT_TRUE(CRegistry::CrateInstance());  // a record exists: creation must fail
    CSetupApp app;
    SeenBox seen;
    std::thread answer([&] { seen = AnswerMessageBox(app.AppName()); });

    EXPECT_FALSE(app.InitInstance());
    answer.join();

    EXPECT_EQ(seen.text, "fail CRegistry::CrateInstance()");
    EXPECT_FALSE(seen.hasCancel);
    EXPECT_EQ(SettingNameTable[0], nullptr);  // the name table was never filled
    EXPECT_FALSE(probe::KeyExists(probe::kVendorKey));
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_EQ(SetupSettings, nullptr);
}

TEST(Startup, TheApplicationIsNamedAfterItsExecutable)
{
    CSetupApp app;
    EXPECT_STREQ(app.AppName(), "app_tests");
}

}  // namespace
