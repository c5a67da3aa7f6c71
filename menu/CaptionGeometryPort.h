// The caption buttons of the main window, as the menus place themselves
// under them and repaint them.
#pragma once

#include "core/Geometry.h"

namespace vela {

// Where the caption buttons are, and repainting the main window under them.
class CaptionGeometryPort {
public:
    virtual ~CaptionGeometryPort() = default;
    virtual Rect captionScreenRect(int controlId) = 0;
    // The control's rectangle in the main window's client coordinates.
    virtual Rect captionClientRect(int controlId) = 0;
    // Marks part of the main window's client area for repainting, without
    // erasing its background.
    virtual void invalidate(const Rect& clientRect) = 0;
};

}  // namespace vela
