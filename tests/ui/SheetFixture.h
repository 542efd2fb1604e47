#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "../display/ScriptedSource.h"
#include "UiDriver.h"
#include "display/DisplayDevice.h"
#include "session/ListedModes.h"
#include "session/SaveConfirmed.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"
#include "support/TempFolder.h"
#include "ui/SetupCMD.h"
#include "ui/SetupOption.h"
#include "ui/SetupSheet.h"

// The tool's sheet with both pages, created modelessly in a fresh client
// folder so that a test can drive it message by message, as the modal loop
// would.
class SheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitSettingNames();
        ASSERT_TRUE(CRegistry::CrateInstance());
        SaveConfirmed = false;
        ClearDevices();
        WriteMessageScript();
    }

    void TearDown() override
    {
        sheet_.reset();
        optionPage_.reset();
        systemPage_.reset();
        CRegistry::ReleaseInstance();
        ClearDevices();
    }

    // Enumerates the given drivers into DisplayDeviceList.
    static void UseDrivers(std::vector<scripted::Driver> drivers)
    {
        ClearDevices();
        scripted::Source source(std::move(drivers));
        BuildDisplayDeviceList(&AcceptEveryDevice, source);
    }

    // As Setup.exe opens it: after the start's device and mode choice.
    void OpenSheet()
    {
        TakeChosenDevice();
        systemPage_ = std::make_unique<CSetupOption>();
        optionPage_ = std::make_unique<CSetupCMD>();
        sheet_ = std::make_unique<CSetupSheet>("Korvane Setup", nullptr, 0);
        sheet_->AddPage(systemPage_.get());
        sheet_->AddPage(optionPage_.get());
        ASSERT_TRUE(sheet_->Create());
    }

    void ShowOptionPage() { PropSheet_SetCurSel(SheetWindow(), nullptr, 1); }

    HWND SheetWindow() const { return sheet_->GetSafeHwnd(); }
    HWND SheetItem(int id) const { return GetDlgItem(SheetWindow(), id); }
    HWND SystemItem(int id) const { return systemPage_->GetDlgItem(id); }
    HWND OptionItem(int id) const { return optionPage_->GetDlgItem(id); }

    static int Checked(HWND box) { return static_cast<int>(SendMessageA(box, BM_GETCHECK, 0, 0)); }

    static std::vector<std::string> ComboLines(HWND combo)
    {
        std::vector<std::string> lines;
        int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char line[128] = {};
            SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(line));
            lines.push_back(line);
        }
        return lines;
    }

    static int Selection(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

    // The player picks a line of a drop-down list.
    void Choose(HWND combo, int line) const
    {
        SendMessageA(combo, CB_SETCURSEL, line, 0);
        SendMessageA(GetParent(combo), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    }

    // The player drags a track bar to position and lets go of the mouse.
    static void Release(HWND slider, int position)
    {
        SendMessageA(slider, TBM_SETPOS, TRUE, position);
        NMHDR header = {slider, static_cast<UINT_PTR>(GetDlgCtrlID(slider)),
                        static_cast<UINT>(NM_RELEASEDCAPTURE)};
        SendMessageA(GetParent(slider), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
    }

    static const char* IsOkQuestion() { return "Save the settings now?"; }

    // The page's tooltip: a pop-up the sheet owns, whose tools the page holds.
    HWND ToolTipOf(HWND page) const
    {
        for (HWND w = FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); w != nullptr;
             w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr)) {
            TOOLINFOA tool = {};
            tool.cbSize = sizeof tool;
            if (GetWindow(w, GW_OWNER) == SheetWindow() &&
                SendMessageA(w, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool)) && tool.hwnd == page)
                return w;
        }
        return nullptr;
    }

    struct Tool {
        int id;              // the control's
        bool asksWhenShown;  // registered with LPSTR_TEXTCALLBACKA
        std::string text;    // what it shows now, "" when it shows nothing
    };

    // The tools of a tooltip in the order registered, each with the text
    // the tooltip shows for it now.
    static std::vector<Tool> ToolsOf(HWND tooltip)
    {
        std::vector<Tool> tools;
        int count = static_cast<int>(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char stored[1024] = {};
            TOOLINFOA tool = {};
            tool.cbSize = sizeof tool;
            tool.lpszText = stored;
            SendMessageA(tooltip, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool));
            tools.push_back({GetDlgCtrlID(reinterpret_cast<HWND>(tool.uId)),
                             tool.lpszText == LPSTR_TEXTCALLBACKA, ShownText(tooltip, tool)});
        }
        return tools;
    }

    // Has the tooltip show the tool, tracking, so that neither the mouse nor
    // the active window (both shared with tests running beside) takes part,
    // and tells the text it shows. Wine tracks any tool, not only TTF_TRACK.
    static std::string ShownText(HWND tooltip, TOOLINFOA tool)
    {
        SendMessageA(tooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
        std::string shown = IsWindowVisible(tooltip) ? ui_driver::WindowText(tooltip) : "";
        SendMessageA(tooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
        return shown;
    }

    std::string ShownText(const CPageSkin& page, HWND control) const
    {
        TOOLINFOA tool = {};
        tool.cbSize = sizeof tool;
        tool.hwnd = page.GetSafeHwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        return ShownText(ToolTipOf(page.GetSafeHwnd()), tool);
    }

    TempFolder folder_;
    std::unique_ptr<CSetupOption> systemPage_;
    std::unique_ptr<CSetupCMD> optionPage_;
    std::unique_ptr<CSetupSheet> sheet_;

private:
    static int32_t AcceptEveryDevice(const DriverCaps&, const DeviceCaps&) { return 0; }

    static void ClearDevices()
    {
        FreeDisplayDevices();
        DisplayDeviceList = DisplayDeviceTable{};
    }

    // The question and the System page's tooltips, but for "NoSound".
    static void WriteMessageScript()
    {
        std::filesystem::create_directories("System/LuaFiles514");
        std::ofstream script("System/LuaFiles514/MsgString.lua", std::ios::binary);
        script << "SetupMSG = {\r\n"
               << "  ISOK = \"" << IsOkQuestion() << "\",\r\n"
               << "  Device = \"tip Device\", Mode = \"tip Mode\", FullScreen = \"tip FullScreen\",\r\n"
               << "  MouseExclusive = \"tip MouseExclusive\", Sprite = \"tip Sprite\",\r\n"
               << "  Texture = \"tip Texture\", Bgm_Volume = \"tip Bgm_Volume\",\r\n"
               << "  Effect_Volume = \"tip Effect_Volume\", bgm = \"tip bgm\", sound = \"tip sound\",\r\n"
               << "  fog = \"tip fog\", lightmap = \"tip lightmap\",\r\n"
               << "}\r\n";
    }
};
