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

CSetupOption::CSetupOption() : CPageSkin(IDD_SYSTEM_PAGE, kSystemLook) {}

void CSetupOption::DoDataExchange()
{
    DDX_Control(IDC_EFFECT_ON, effectSwitch_);
    DDX_Control(IDC_BGM_ON, bgmSwitch_);
    DDX_Control(IDC_EFFECT_VOLUME, effectVolume_);
    DDX_Control(IDC_BGM_VOLUME, bgmVolume_);
    DDX_Control(IDC_TEXTURE_DETAIL, textureDetail_);
    DDX_Control(IDC_SPRITE_DETAIL, spriteDetail_);
    DDX_Control(IDC_FULLSCREEN, fullScreen_);
    DDX_Control(IDC_MODE_LIST, modeList_);
    DDX_Control(IDC_DEVICE_LIST, deviceList_);
    DDX_Control(IDC_MOUSE_EXCLUSIVE, mouseExclusive_);
    DDX_Control(IDC_NO_SOUND, noSound_);
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
    const CRegistry& s = *SetupSettings;
    FillDeviceList();
    FillModeList();
    fullScreen_.SetCheck(s.ISFULLSCREENMODE);
    mouseExclusive_.SetCheck(s.MouseExclusive);
    SetSlider(spriteDetail_, kDetailRange, s.SPRITEMODE);
    SetSlider(textureDetail_, kDetailRange, s.TEXTUREMODE);
    SetSlider(bgmVolume_, kVolumeRange, s.Bgm_Volume);
    bgmSwitch_.SetCheck(Field(kBgmSwitch));
    SetSlider(effectVolume_, kVolumeRange, s.Effect_Volume);
    effectSwitch_.SetCheck(Field(kSoundSwitch));
    noSound_.SetCheck(s.SOUNDMODE == 0 ? BST_CHECKED : BST_UNCHECKED);
}

void CSetupOption::SetupToolTips()
{
    CreateToolTip();
    const CWnd* controls[] = {&deviceList_,   &modeList_,  &fullScreen_,    &mouseExclusive_,
                              &spriteDetail_, &textureDetail_, &bgmVolume_, &effectVolume_,
                              &bgmSwitch_,    &effectSwitch_,  &noSound_};
    int nameIndex = kFirstSystemMessage;
    for (const CWnd* control : controls)
        AddToolTip(*control, nameIndex++);
}

void CSetupOption::OnOK()
{
    int answer = MessageBoxA(hwnd_, SaveQuestion(), "Setup", MB_OKCANCEL);
    SaveConfirmed = answer == IDOK;
    // Whether the folder could be made is told by the save that follows.
    if (SaveConfirmed)
        MakeSaveFolder();
}

void CSetupOption::OnFullScreen() { SetupSettings->ISFULLSCREENMODE = fullScreen_.GetCheck(); }

// A track bar let go of the mouse: the position it was left at.
void CSetupOption::OnSliderReleased(NMHDR* header, LRESULT* result)
{
    OnSliderScrolled(header->hwndFrom);
    *result = 0;
}

// The page's track bar whose window is slider, with its setting; null when
// it is none of them.
const CSliderCtrl* CSetupOption::SliderOf(HWND slider, int& key) const
{
    const struct {
        const CSliderCtrl& control;
        int key;
    } sliders[] = {
        {spriteDetail_, kSPRITEMODE},
        {textureDetail_, kTEXTUREMODE},
        {bgmVolume_, kBgm_Volume},
        {effectVolume_, kEffect_Volume},
    };
    for (const auto& each : sliders) {
        if (slider != nullptr && slider == each.control.GetSafeHwnd()) {
            key = each.key;
            return &each.control;
        }
    }
    return nullptr;
}

// Keys and the mouse each move a track bar with a WM_HSCROLL of their own
// code; every one of them stores the position shown, so that OK saves what
// the player sees.
bool CSetupOption::OnSliderScrolled(HWND slider)
{
    int key = 0;
    const CSliderCtrl* control = SliderOf(slider, key);
    if (control == nullptr)
        return false;
    Field(key) = control->GetPos();
    return true;
}

// A wheel turn that reaches the page, because the control it went to does
// not take it (a track bar under Wine, a check box), moves the focused track
// bar, else the one under the pointer, a line a notch, as the Up and Down
// keys do.
bool CSetupOption::OnWheel(WPARAM wParam, LPARAM lParam)
{
    int key = 0;
    const CSliderCtrl* slider = SliderOf(GetFocus(), key);
    if (slider == nullptr) {
        const POINT pointer = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        slider = SliderOf(WindowFromPoint(pointer), key);
    }
    if (slider == nullptr)
        return false;
    wheelTurn_ += static_cast<short>(HIWORD(wParam));
    const int notches = wheelTurn_ / WHEEL_DELTA;
    wheelTurn_ %= WHEEL_DELTA;
    const auto lineSize = static_cast<int>(slider->Send(TBM_GETLINESIZE));
    slider->SetPos(slider->GetPos() - notches * lineSize, true);
    Field(key) = slider->GetPos();
    return true;
}

void CSetupOption::OnBgmSwitch() { Field(kBgmSwitch) = bgmSwitch_.GetCheck(); }

void CSetupOption::OnSoundSwitch() { Field(kSoundSwitch) = effectSwitch_.GetCheck(); }

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

void CSetupOption::OnMouseExclusive() { SetupSettings->MouseExclusive = mouseExclusive_.GetCheck(); }

void CSetupOption::OnNoSound()
{
    SetupSettings->SOUNDMODE = noSound_.GetCheck() == BST_CHECKED ? 0 : 1;
}

using SystemMap = MessageMap<CSetupOption>;
const SystemMap::Entry CSetupOption::kMessageMap[] = {
    SystemMap::Clicked(IDC_FULLSCREEN, &CSetupOption::OnFullScreen),
    SystemMap::NotifyFromAny(NM_RELEASEDCAPTURE, &CSetupOption::OnSliderReleased),
    SystemMap::Clicked(IDC_BGM_ON, &CSetupOption::OnBgmSwitch),
    SystemMap::Clicked(IDC_EFFECT_ON, &CSetupOption::OnSoundSwitch),
    SystemMap::SelChange(IDC_MODE_LIST, &CSetupOption::OnModeChosen),
    SystemMap::SelChange(IDC_DEVICE_LIST, &CSetupOption::OnDeviceChosen),
    SystemMap::Paint(&CSetupOption::OnPaint),
    SystemMap::CtlColor(&CSetupOption::OnCtlColor),
    SystemMap::Clicked(IDC_MOUSE_EXCLUSIVE, &CSetupOption::OnMouseExclusive),
    SystemMap::Clicked(IDC_NO_SOUND, &CSetupOption::OnNoSound),
    SystemMap::NotifyFromAny(TTN_GETDISPINFOA, &CSetupOption::OnToolTipText),
};

bool CSetupOption::OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if ((message == WM_HSCROLL && OnSliderScrolled(reinterpret_cast<HWND>(lParam))) ||
        (message == WM_MOUSEWHEEL && OnWheel(wParam, lParam))) {
        result = 0;
        return true;
    }
    return RouteMessage(*this, kMessageMap, message, wParam, lParam, result);
}
