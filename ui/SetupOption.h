#pragma once

#include "ui/PageSkin.h"
#include "ui/framework/Controls.h"
#include "ui/framework/MessageMap.h"

// The System page: display device and screen mode, full screen, exclusive
// mouse, sprite and texture detail, the two volumes with their switches and
// the no-sound switch. Every control writes its setting the moment it
// changes (a track bar with each move, by mouse, keyboard or wheel); OK asks
// the player to confirm saving.
class CSetupOption : public CPageSkin {
public:
    CSetupOption();

    void UpdateControls() override;

    // Device list: one line per usable device, DEVICECNT selected.
    void FillDeviceList();
    // Mode list of the usable device at DEVICECNT, with the line of the
    // chosen mode selected. Changes no setting: the device and mode were
    // chosen before (TakeChosenDevice).
    void FillModeList();

protected:
    void DoDataExchange() override;
    void SetupToolTips() override;
    // Asks "ISOK" (the tool's own question where the script has none); the
    // answer alone decides whether the tool saves.
    void OnOK() override;
    bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnFullScreen();
    void OnSliderReleased(NMHDR* header, LRESULT* result);
    const CSliderCtrl* SliderOf(HWND slider, int& key) const;
    // A track bar's WM_HSCROLL, whatever moved it; false when slider is
    // none of the page's.
    bool OnSliderScrolled(HWND slider);
    bool OnWheel(WPARAM wParam, LPARAM lParam);
    void OnBgmSwitch();
    void OnSoundSwitch();
    void OnModeChosen();
    void OnDeviceChosen();
    void OnMouseExclusive();
    void OnNoSound();

    CButton effectSwitch_;
    CButton bgmSwitch_;
    CSliderCtrl effectVolume_;
    CSliderCtrl bgmVolume_;
    CSliderCtrl textureDetail_;
    CSliderCtrl spriteDetail_;
    CButton fullScreen_;
    CComboBox modeList_;
    CComboBox deviceList_;
    CButton mouseExclusive_;
    CButton noSound_;
    int wheelTurn_ = 0;  // of a turn finer than a notch, what is not yet spent

    static const MessageMap<CSetupOption>::Entry kMessageMap[];
};
