#pragma once

#include <cstddef>
#include <utility>

#include "settings/SettingRanges.h"
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
    // What a control of the page is, and so how it shows and stores its setting.
    enum class Kind {
        kDeviceList,  // DEVICECNT: a line per usable device
        kModeList,    // MODECNT: a line per listed mode of the chosen device
        kCheck,       // the setting is the box's state, 0 or 1
        kSlider,      // the setting is the track bar's position, within range
        kNoSound,     // SOUNDMODE 0 while checked, 1 while not
    };
    // One control: its id, its member, the message key of its tooltip, the
    // setting it edits (a name-table index, kSoundModeKey for SOUNDMODE)
    // and its kind; a slider's range. The one list of the page's controls
    // that binding, tooltips, sliders and the message map all read.
    struct Control {
        int id;
        CWnd& (*member)(CSetupOption& page);
        int messageKey;
        int setting;
        Kind kind;
        const SettingRange* range;
    };
    static constexpr int kControlCount = 11;
    static const Control kControls[kControlCount];
    // The table for code outside the page (its tests): the compiler may fold
    // every use of the constant table here and never emit it.
    static const Control (&Controls())[kControlCount];

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
    template <auto Member>
    static CWnd& Reach(CSetupOption& page)
    {
        return page.*Member;
    }
    CWnd& ControlOf(const Control& control) { return control.member(*this); }
    // A box's click stores its state in the setting of row Row.
    template <int Row>
    void OnCheckClicked()
    {
        StoreCheck(kControls[Row]);
    }
    void StoreCheck(const Control& box);
    void OnSliderReleased(NMHDR* header, LRESULT* result);
    // The row of kControls whose track bar has the window slider; null when
    // none has.
    const Control* SliderOf(HWND slider);
    // A track bar's WM_HSCROLL, whatever moved it; false when slider is
    // none of the page's.
    bool OnSliderScrolled(HWND slider);
    bool OnWheel(WPARAM wParam, LPARAM lParam);
    void OnModeChosen();
    void OnDeviceChosen();
    void OnNoSound();

    CComboBox deviceList_;
    CComboBox modeList_;
    CButton fullScreen_;
    CButton mouseExclusive_;
    CSliderCtrl spriteDetail_;
    CSliderCtrl textureDetail_;
    CSliderCtrl bgmVolume_;
    CSliderCtrl effectVolume_;
    CButton bgmSwitch_;
    CButton effectSwitch_;
    CButton noSound_;
    int wheelTurn_ = 0;  // of a turn finer than a notch, what is not yet spent

    // The message map: an entry for each control of kControls by its kind,
    // then painting, colours and tooltips.
    struct Map;
    template <std::size_t... Row>
    static constexpr Map MakeMap(std::index_sequence<Row...>);
    static const Map kMessageMap;
};
