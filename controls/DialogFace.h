// The face of Vela's small dialogs: the function menu's light grey behind
// the labels and buttons, the boxes the user types or picks in left white.
#pragma once

#include <windows.h>

#include <optional>

#include "win32/Handle.h"

namespace vela {

inline constexpr COLORREF kDialogFaceColour = RGB(215, 215, 215);

class DialogFace {
public:
    DialogFace() : brush_(CreateSolidBrush(kDialogFaceColour)) {}

    // The answer to a colour request of the dialog or of a label or button
    // on it; nullopt for anything else.
    std::optional<LRESULT> colour(UINT message, WPARAM wParam) const {
        if (message != WM_CTLCOLORDLG && message != WM_CTLCOLORSTATIC && message != WM_CTLCOLORBTN)
            return std::nullopt;
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, kDialogFaceColour);
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(brush_.get());
    }

private:
    win32::UniqueGdi<HBRUSH> brush_;
};

}  // namespace vela
