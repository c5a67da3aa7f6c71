// A text-only caption button drawn over a copy of the skin behind it, in a
// colour that follows the cursor.
#pragma once

#include <windows.h>

#include "core/MessageIds.h"
#include "win32/Handle.h"
#include "win32/SubclassedControl.h"

namespace vela {

enum class TextButtonState : int {
    Hot = 0,       // cursor over the button
    Normal = 1,    // idle
    Released = 2,  // left button released over it
    Pressed = 3,   // left button pressed on it: text one pixel right and down
};

class CTransParentButton : public win32::SubclassedControl {
public:
    // The timer that polls whether the cursor has left; 10 ms is quick
    // enough to look immediate and leaves the hover tracking of the system
    // (which would need a leave notification per button) out of it.
    static constexpr UINT_PTR kHoverTimerId = kCaptionHoverTimerId;
    static constexpr UINT kHoverPollMs = 10;

    CTransParentButton();

    void setColours(COLORREF normal, COLORREF hot);
    void setCursor(HCURSOR cursor) { cursorHandle_ = cursor; }
    // The font of the text (kept by the caller); without one the text is in
    // the device context's default font.
    void setFont(HFONT font);
    // Takes the background again at the next erase: after a move or resize.
    void forgetBackground() { haveBackground_ = false; }

    TextButtonState state() const { return state_; }
    COLORREF textColor() const { return textColor_; }

protected:
    void onAttached() override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void redraw();
    void enterState(TextButtonState state);

    win32::MemoryBitmapDc backgroundDC_;
    bool haveBackground_ = false;
    HFONT font_ = nullptr;
    bool isHovering_ = false;
    bool isEnabled_ = true;
    TextButtonState state_ = TextButtonState::Normal;
    COLORREF normalTextColor_;
    COLORREF hotTextColor_;
    COLORREF textColor_;
    HCURSOR cursorHandle_ = nullptr;  // shared system cursor, not owned
};

}  // namespace vela
