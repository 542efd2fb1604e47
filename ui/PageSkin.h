#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/framework/Controls.h"
#include "ui/framework/Gdi.h"
#include "ui/framework/PropertyPage.h"

// What sets the two pages' skins apart.
struct PageLook {
    enum class TextBackground { kWhite, kTransparent };

    int pictureId;
    int pictureX;
    int pictureY;
    TextBackground textBackground;
};

// The skin both pages wear: their picture as the page background, one white
// brush behind every control so labels and boxes blend into the picture's
// white ground, a tooltip that sees every message the sheet's loop
// pre-translates for the page, and a flag telling whether the page's window
// and controls exist yet.
class CPageSkin : public CPropertyPage {
public:
    // False until the page's window has been created and filled.
    bool IsInitialised() const { return initialised_; }

    // Sets every control from the settings record.
    virtual void UpdateControls() = 0;

    bool PreTranslateMessage(MSG* message) override;

    // Draws the picture again at the page's new scale.
    void OnDpiChanged(UINT dpi) override;
    // Where the picture is drawn on the page, at the page's scale.
    RECT PictureRect() const { return pictureRect_; }

protected:
    CPageSkin(int templateId, const PageLook& look);

    // Loads the picture, fills the controls, registers the tooltips.
    bool OnInitDialog() override;
    // Creates the tooltip control and registers the page's texts.
    virtual void SetupToolTips() = 0;

    // Message-map handlers of both pages.
    void OnPaint();
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT message);

    // Creates the tooltip window, owned by the page.
    void CreateToolTip();
    // Registers control for the message script's text of the message key at
    // nameIndex of the name table. The text is looked up when the tooltip is
    // about to show it, so it is what the script says at that moment.
    void AddToolTip(const CWnd& control, int nameIndex);
    // Message-map handler of both pages: answers the tooltip's TTN_GETDISPINFOA.
    void OnToolTipText(NMHDR* header, LRESULT* result);

private:
    // The picture's scale: the page's size in pixels to its size at 96 dots
    // per inch, per axis.
    struct Scale {
        double x = 1.0;
        double y = 1.0;
    };

    // Measures the page's scale as created. Away from 96 dots per inch it
    // gives the controls the font and the drop-down lists the height that
    // keep them in their places on the picture.
    void FitToScale();
    // Gives the controls the font of 96, described, at the page's scale.
    void FitControls(LOGFONTA description96, HFONT font96);
    // Places the picture at scale, stretched from the one at 96 when it is
    // not that picture's own size.
    void ScalePicture(Scale scale);

    struct ToolTipKey {
        HWND control;
        int nameIndex;
        std::string text;  // looked up with the page's others at the first request
    };
    // The texts of every tooltip of the page, from one run of the message
    // script; the texts stay until the page is destroyed.
    void LookUpToolTipTexts();

    PageLook look_;
    CBitmap background_;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    // The page's scale and dots per inch when it was created.
    Scale createdScale_;
    UINT createdDpi_ = 0;
    // The controls' font away from 96 dots per inch.
    CFont font_;
    // The picture as drawn, when it is not the loaded one.
    CBitmap scaledPicture_;
    RECT pictureRect_ = {0, 0, 0, 0};
    CBrush brush_;
    CToolTipCtrl toolTip_;
    std::vector<ToolTipKey> toolTipKeys_;
    bool toolTipTextsKnown_ = false;
    bool initialised_ = false;
};
