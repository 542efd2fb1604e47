#include "ui/SetupOption.h"

#include <cstring>

#include "display/ModeLine.h"
#include "optionfiles/OptionScript.h"
#include "res/resource.h"
#include "session/ListedModes.h"
#include "session/SaveConfirmed.h"
#include "session/SaveFolder.h"
#include "settings/ScreenModeTable.h"
#include "settings/SettingNames.h"
#include "settings/SettingRanges.h"
#include "settings/SettingsRecord.h"

namespace {

const PageLook kSystemLook = {IDB_SYSTEM_PAGE, 0, 0, PageLook::TextBackground::kWhite};

const char kOwnSaveQuestion[] = "Save these settings and close Setup?";

int32_t& Field(int keyIndex) { return SetupSettings->Setting(keyIndex); }

// A typed view of one of the page's controls.
template <class Typed>
Typed As(const CWnd& control)
{
    Typed typed;
    typed.Attach(control.GetSafeHwnd());
    return typed;
}

void SetSlider(const CSliderCtrl& slider, const SettingRange& range, int32_t position)
{
    slider.SetRange(range.low, range.high, true);
    slider.SetPos(position, true);
}

// The message script's question, or the tool's own where it has none: OK
// and Cancel never stand under an empty box.
const char* SaveQuestion()
{
    const char* question = g_optionScript.GetMessageText("ISOK");
    return question[0] != '\0' ? question : kOwnSaveQuestion;
}

}  // namespace

// Listed in the order of their tooltips' message keys, "Device" to "NoSound".
constexpr CSetupOption::Control CSetupOption::kControls[kControlCount] = {
    {IDC_DEVICE_LIST, &Reach<&CSetupOption::deviceList_>,
     kFirstSystemMessage + 0, kDEVICECNT, Kind::kDeviceList, nullptr},
    {IDC_MODE_LIST, &Reach<&CSetupOption::modeList_>,
     kFirstSystemMessage + 1, kMODECNT, Kind::kModeList, nullptr},
    {IDC_FULLSCREEN, &Reach<&CSetupOption::fullScreen_>,
     kFirstSystemMessage + 2, kISFULLSCREENMODE, Kind::kCheck, nullptr},
    {IDC_MOUSE_EXCLUSIVE, &Reach<&CSetupOption::mouseExclusive_>,
     kFirstSystemMessage + 3, kMouseExclusive, Kind::kCheck, nullptr},
    {IDC_SPRITE_DETAIL, &Reach<&CSetupOption::spriteDetail_>,
     kFirstSystemMessage + 4, kSPRITEMODE, Kind::kSlider, &kDetailRange},
    {IDC_TEXTURE_DETAIL, &Reach<&CSetupOption::textureDetail_>,
     kFirstSystemMessage + 5, kTEXTUREMODE, Kind::kSlider, &kDetailRange},
    {IDC_BGM_VOLUME, &Reach<&CSetupOption::bgmVolume_>,
     kFirstSystemMessage + 6, kBgm_Volume, Kind::kSlider, &kVolumeRange},
    {IDC_EFFECT_VOLUME, &Reach<&CSetupOption::effectVolume_>,
     kFirstSystemMessage + 7, kEffect_Volume, Kind::kSlider, &kVolumeRange},
    {IDC_BGM_ON, &Reach<&CSetupOption::bgmSwitch_>,
     kFirstSystemMessage + 8, kBgmSwitch, Kind::kCheck, nullptr},
    {IDC_EFFECT_ON, &Reach<&CSetupOption::effectSwitch_>,
     kFirstSystemMessage + 9, kSoundSwitch, Kind::kCheck, nullptr},
    {IDC_NO_SOUND, &Reach<&CSetupOption::noSound_>,
     kFirstSystemMessage + 10, kSoundModeKey, Kind::kNoSound, nullptr},
};

const CSetupOption::Control (&CSetupOption::Controls())[kControlCount]
{
    return kControls;
}

CSetupOption::CSetupOption() : CPageSkin(IDD_SYSTEM_PAGE, kSystemLook) {}

void CSetupOption::DoDataExchange()
{
    for (const Control& control : kControls)
        DDX_Control(control.id, ControlOf(control));
}

void CSetupOption::FillDeviceList()
{
    deviceList_.ResetContent();
    for (int position = 0; const DisplayDevice* device = FindUsableDevice(position); ++position) {
        char line[sizeof device->description + 1] = {};
        std::memcpy(line, device->description, sizeof device->description);
        deviceList_.AddString(line);
    }
    deviceList_.SetCurSel(SetupSettings->DEVICECNT);
}

// The line shown as chosen is the mode OK saves (ChosenModeLine).
void CSetupOption::FillModeList()
{
    modeList_.ResetContent();
    ScreenMode modes[ScreenModeList::kSize];
    int count = 0;
    if (const DisplayDevice* device = FindUsableDevice(SetupSettings->DEVICECNT))
        count = ListModes(*device, modes);
    for (int i = 0; i < count; ++i)
        modeList_.AddString(ModeLineText(modes[i]).c_str());
    modeList_.SetCurSel(ChosenModeLine(modes, count));
}

void CSetupOption::UpdateControls()
{
    for (const Control& control : kControls) {
        CWnd& window = ControlOf(control);
        switch (control.kind) {
        case Kind::kDeviceList: FillDeviceList(); break;
        case Kind::kModeList: FillModeList(); break;
        case Kind::kCheck: As<CButton>(window).SetCheck(Field(control.setting)); break;
        case Kind::kSlider:
            SetSlider(As<CSliderCtrl>(window), *control.range, Field(control.setting));
            break;
        case Kind::kNoSound:
            As<CButton>(window).SetCheck(SetupSettings->SOUNDMODE == 0 ? BST_CHECKED : BST_UNCHECKED);
            break;
        }
    }
}

void CSetupOption::SetupToolTips()
{
    CreateToolTip();
    for (const Control& control : kControls)
        AddToolTip(ControlOf(control), control.messageKey);
}

void CSetupOption::OnOK()
{
    int answer = MessageBoxA(hwnd_, SaveQuestion(), "Setup", MB_OKCANCEL);
    SaveConfirmed = answer == IDOK;
    // Whether the folder could be made is told by the save that follows.
    if (SaveConfirmed)
        MakeSaveFolder();
}

// A track bar let go of the mouse: the position it was left at.
void CSetupOption::OnSliderReleased(NMHDR* header, LRESULT* result)
{
    OnSliderScrolled(header->hwndFrom);
    *result = 0;
}

const CSetupOption::Control* CSetupOption::SliderOf(HWND slider)
{
    if (slider == nullptr)
        return nullptr;
    for (const Control& control : kControls)
        if (control.kind == Kind::kSlider && ControlOf(control).GetSafeHwnd() == slider)
            return &control;
    return nullptr;
}

// Keys and the mouse each move a track bar with a WM_HSCROLL of their own
// code; every one of them stores the position shown, so that OK saves what
// the player sees.
bool CSetupOption::OnSliderScrolled(HWND slider)
{
    const Control* row = SliderOf(slider);
    if (row == nullptr)
        return false;
    Field(row->setting) = As<CSliderCtrl>(ControlOf(*row)).GetPos();
    return true;
}

// A wheel turn that reaches the page, because the control it went to does
// not take it (a track bar under Wine, a check box), moves the focused track
// bar, else the one under the pointer, a line a notch, as the Up and Down
// keys do.
bool CSetupOption::OnWheel(WPARAM wParam, LPARAM lParam)
{
    const Control* row = SliderOf(GetFocus());
    if (row == nullptr) {
        const POINT pointer = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        row = SliderOf(WindowFromPoint(pointer));
    }
    if (row == nullptr)
        return false;
    wheelTurn_ += static_cast<short>(HIWORD(wParam));
    const int notches = wheelTurn_ / WHEEL_DELTA;
    wheelTurn_ %= WHEEL_DELTA;
    const CSliderCtrl slider = As<CSliderCtrl>(ControlOf(*row));
    const auto lineSize = static_cast<int>(slider.Send(TBM_GETLINESIZE));
    slider.SetPos(slider.GetPos() - notches * lineSize, true);
    Field(row->setting) = slider.GetPos();
    return true;
}

// An automatic check box has toggled already when it reports the click.
void CSetupOption::StoreCheck(const Control& box)
{
    Field(box.setting) = As<CButton>(ControlOf(box)).GetCheck();
}

// The chosen mode's size and depth come from the table behind the list.
void CSetupOption::OnModeChosen()
{
    int line = modeList_.GetCurSel();
    if (line < 0)
        return;  // no line chosen: nothing to take over
    ChooseModeLine(line);
}

// The mode stays as it was until the player picks one of the new device's;
// the new list shows it where it has it.
void CSetupOption::OnDeviceChosen()
{
    int line = deviceList_.GetCurSel();
    if (line < 0)
        return;  // no line chosen: keep the device
    SetupSettings->DEVICECNT = line;
    TakeChosenDevice();
    FillModeList();
}

void CSetupOption::OnNoSound()
{
    SetupSettings->SOUNDMODE = noSound_.GetCheck() == BST_CHECKED ? 0 : 1;
}

using SystemMap = MessageMap<CSetupOption>;
struct CSetupOption::Map {
    SystemMap::Entry entries[kControlCount + 3];
};

// What a control of the page reports when the player changes it.
template <std::size_t... Row>
constexpr CSetupOption::Map CSetupOption::MakeMap(std::index_sequence<Row...>)
{
    auto entryOf = [](auto row) {
        constexpr int kRow = int(decltype(row)::value);
        constexpr const Control& control = kControls[kRow];
        switch (control.kind) {
        case Kind::kDeviceList: return SystemMap::SelChange(control.id, &CSetupOption::OnDeviceChosen);
        case Kind::kModeList: return SystemMap::SelChange(control.id, &CSetupOption::OnModeChosen);
        case Kind::kCheck:
            return SystemMap::Clicked(control.id, &CSetupOption::OnCheckClicked<kRow>);
        case Kind::kSlider:
            return SystemMap::Notify(NM_RELEASEDCAPTURE, control.id, &CSetupOption::OnSliderReleased);
        case Kind::kNoSound: break;
        }
        return SystemMap::Clicked(control.id, &CSetupOption::OnNoSound);
    };
    return Map{{
        entryOf(std::integral_constant<std::size_t, Row>{})...,
        SystemMap::Paint(&CSetupOption::OnPaint),
        SystemMap::CtlColor(&CSetupOption::OnCtlColor),
        SystemMap::NotifyFromAny(TTN_GETDISPINFOA, &CSetupOption::OnToolTipText),
    }};
}

const CSetupOption::Map CSetupOption::kMessageMap = MakeMap(std::make_index_sequence<kControlCount>());

bool CSetupOption::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if ((message == WM_HSCROLL && OnSliderScrolled(reinterpret_cast<HWND>(lParam))) ||
        (message == WM_MOUSEWHEEL && OnWheel(wParam, lParam))) {
        result = 0;
        return true;
    }
    return RouteMessage(*this, kMessageMap.entries, message, wParam, lParam, result);
}
