// What the press path asks of the platform about the window in front.
#pragma once

namespace vela {

// Which program is in front, asked before a press is looked up.
class ForegroundCheckPort {
public:
    virtual ~ForegroundCheckPort() = default;
    // Looks at the window in front now; a new program's profile applies
    // before this returns.
    virtual void checkForeground() = 0;
    // A left, right or middle click went through: the window in front may
    // change soon.
    virtual void clickSeen() = 0;
};

}  // namespace vela
