// What the press path asks of the platform about the window in front.
#pragma once

#include "core/OverlayKey.h"

namespace vela {

// Which window is in front, asked before a press is looked up.
class ForegroundCheckPort {
public:
    virtual ~ForegroundCheckPort() = default;
    // Looks at the window in front now (with `titles`, at its title too); a
    // new window's profile applies before this returns.
    virtual void checkForeground(bool titles) = 0;
    // The top-level window under the pointer now; all empty for none.
    virtual WindowIdentity windowUnderPointer() = 0;
    // A left, right or middle click went through: the window in front may
    // change soon.
    virtual void clickSeen() = 0;
};

}  // namespace vela
