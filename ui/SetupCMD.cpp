#include "ui/SetupCMD.h"

#include "res/resource.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"

namespace {

const PageLook kOptionLook = {IDB_OPTION_PAGE, 25, 0, PageLook::TextBackground::kTransparent};

// The box of each command, in name-table order from "/notrade".
const int kCommandBoxIds[CSetupCMD::kCommandCount] = {
    IDC_CMD_NOTRADE,   IDC_CMD_NOSHIFT,   IDC_CMD_NOCTRL,   IDC_CMD_SKILLFAIL, IDC_CMD_NOTALKMSG,
    IDC_CMD_NOTALKMSG2, IDC_CMD_SHOWNAME, IDC_CMD_FOG,      IDC_CMD_AURA,      IDC_CMD_WINDOW,
    IDC_CMD_MISS,      IDC_CMD_EFFECT,    IDC_CMD_SHOPPING, IDC_CMD_STATEINFO, IDC_CMD_LOGINOUT,
    IDC_CMD_SNAP,      IDC_CMD_ITEMSNAP,  IDC_CMD_CAMERA,   IDC_CMD_HOAI,      IDC_CMD_MERAI,
    IDC_CMD_LIGHTMAP,
};

}  // namespace

CSetupCMD::CSetupCMD() : CPageSkin(IDD_OPTION_PAGE, kOptionLook) {}

void CSetupCMD::DoDataExchange()
{
    for (int i = 0; i < kCommandCount; ++i)
        DDX_Control(kCommandBoxIds[i], boxes_[i]);
}

const CButton& CSetupCMD::BoxOf(int keyIndex) const
{
    return boxes_[keyIndex - kFirstCommandKey];
}

// A stored flag other than 0 or 1 goes to its box as it is.
void CSetupCMD::UpdateControls()
{
    for (int key = kFirstCommandKey; key <= kLastCommandKey; ++key)
        BoxOf(key).SetCheck(SetupSettings->Setting(key));
}

void CSetupCMD::SetupToolTips()
{
    CreateToolTip();
    for (int key = kFirstCommandKey; key <= kLastCommandKey; ++key)
        AddToolTip(BoxOf(key), key + kCommandMessageOffset);
}

// An automatic check box has toggled already when it reports the click.
void CSetupCMD::StoreCheck(int keyIndex)
{
    SetupSettings->Setting(keyIndex) = BoxOf(keyIndex).GetCheck() == BST_CHECKED ? 1 : 0;
}

using OptionMap = MessageMap<CSetupCMD>;
const OptionMap::Entry CSetupCMD::kMessageMap[] = {
    OptionMap::Clicked(IDC_CMD_NOTRADE, &CSetupCMD::OnCommandClicked<13>),
    OptionMap::Clicked(IDC_CMD_NOSHIFT, &CSetupCMD::OnCommandClicked<14>),
    OptionMap::Clicked(IDC_CMD_NOCTRL, &CSetupCMD::OnCommandClicked<15>),
    OptionMap::Clicked(IDC_CMD_SKILLFAIL, &CSetupCMD::OnCommandClicked<16>),
    OptionMap::Clicked(IDC_CMD_NOTALKMSG, &CSetupCMD::OnCommandClicked<17>),
    OptionMap::Clicked(IDC_CMD_NOTALKMSG2, &CSetupCMD::OnCommandClicked<18>),
    OptionMap::Clicked(IDC_CMD_SHOWNAME, &CSetupCMD::OnCommandClicked<19>),
    OptionMap::Clicked(IDC_CMD_FOG, &CSetupCMD::OnCommandClicked<20>),
    OptionMap::Clicked(IDC_CMD_AURA, &CSetupCMD::OnCommandClicked<21>),
    OptionMap::Clicked(IDC_CMD_WINDOW, &CSetupCMD::OnCommandClicked<22>),
    OptionMap::Clicked(IDC_CMD_MISS, &CSetupCMD::OnCommandClicked<23>),
    OptionMap::Clicked(IDC_CMD_EFFECT, &CSetupCMD::OnCommandClicked<24>),
    OptionMap::Clicked(IDC_CMD_SHOPPING, &CSetupCMD::OnCommandClicked<25>),
    OptionMap::Clicked(IDC_CMD_STATEINFO, &CSetupCMD::OnCommandClicked<26>),
    OptionMap::Clicked(IDC_CMD_LOGINOUT, &CSetupCMD::OnCommandClicked<27>),
    OptionMap::Clicked(IDC_CMD_SNAP, &CSetupCMD::OnCommandClicked<28>),
    OptionMap::Clicked(IDC_CMD_ITEMSNAP, &CSetupCMD::OnCommandClicked<29>),
    OptionMap::Clicked(IDC_CMD_CAMERA, &CSetupCMD::OnCommandClicked<30>),
    OptionMap::Clicked(IDC_CMD_HOAI, &CSetupCMD::OnCommandClicked<31>),
    OptionMap::Clicked(IDC_CMD_MERAI, &CSetupCMD::OnCommandClicked<32>),
    OptionMap::Clicked(IDC_CMD_LIGHTMAP, &CSetupCMD::OnCommandClicked<33>),
    OptionMap::Paint(&CSetupCMD::OnPaint),
    OptionMap::CtlColor(&CSetupCMD::OnCtlColor),
    OptionMap::NotifyFromAny(TTN_GETDISPINFOA, &CSetupCMD::OnToolTipText),
};

bool CSetupCMD::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    return RouteMessage(*this, kMessageMap, message, wParam, lParam, result);
}
