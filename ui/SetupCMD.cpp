#include "ui/SetupCMD.h"

#include "res/resource.h"
#include "settings/SettingNames.h"
#include "settings/SettingsRecord.h"

namespace {

const PageLook kOptionLook = {IDB_OPTION_PAGE, 25, 0, PageLook::TextBackground::kTransparent};

// The box of each command, in name-table order from "/notrade".
constexpr int kCommandBoxIds[CSetupCMD::kCommandCount] = {
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
struct CSetupCMD::Map {
    OptionMap::Entry entries[kCommandCount + 3];
};

template <std::size_t... Box>
constexpr CSetupCMD::Map CSetupCMD::MakeMap(std::index_sequence<Box...>)
{
    return Map{{
        OptionMap::Clicked(kCommandBoxIds[Box],
                           &CSetupCMD::OnCommandClicked<kFirstCommandKey + static_cast<int>(Box)>)...,
        OptionMap::Paint(&CSetupCMD::OnPaint),
        OptionMap::CtlColor(&CSetupCMD::OnCtlColor),
        OptionMap::NotifyFromAny(TTN_GETDISPINFOA, &CSetupCMD::OnToolTipText),
    }};
}

const CSetupCMD::Map CSetupCMD::kMessageMap = MakeMap(std::make_index_sequence<kCommandCount>());

bool CSetupCMD::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    return RouteMessage(*this, kMessageMap.entries, message, wParam, lParam, result);
}
