#pragma once

#include <cstddef>
#include <utility>

#include "ui/PageSkin.h"
#include "ui/framework/Controls.h"
#include "ui/framework/MessageMap.h"

// The Option page: one check box per client command, "/notrade" to
// "/lightmap". A click stores the box's new state in its command flag.
class CSetupCMD : public CPageSkin {
public:
    static constexpr int kCommandCount = 21;

    CSetupCMD();

    void UpdateControls() override;

protected:
    void DoDataExchange() override;
    void SetupToolTips() override;
    bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The box of the command at name-table index keyIndex (13..33).
    const CButton& BoxOf(int keyIndex) const;
    // A box's click stores its state under the command at keyIndex.
    void StoreCheck(int keyIndex);
    template <int KeyIndex>
    void OnCommandClicked()
    {
        StoreCheck(KeyIndex);
    }

    // One box per command, in name-table order from "/notrade".
    CButton boxes_[kCommandCount];

    // The message map: a click entry for each box of the table of boxes,
    // then painting, colours and tooltips.
    struct Map;
    template <std::size_t... Box>
    static constexpr Map MakeMap(std::index_sequence<Box...>);
    static const Map kMessageMap;
};
