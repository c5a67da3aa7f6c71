// The data behind each row of a CMenuXP: text, command id and icon.
#pragma once

#include <windows.h>

#include <string>

#include "win32/Handle.h"

namespace vela::win32 {

// Marks item data as belonging to CMenuXP.
inline constexpr DWORD kMenuXPSignature = 0x0505A0A0;

inline void destroyMenuIcon(HICON icon) {
    DestroyIcon(icon);
}

class CMenuXPItem {
public:
    virtual ~CMenuXPItem();
    CMenuXPItem(const CMenuXPItem&) = delete;
    CMenuXPItem& operator=(const CMenuXPItem&) = delete;

    const DWORD signature = kMenuXPSignature;
    const UINT commandId;  // 0 for a row that opens a submenu
    const std::wstring text;
    const int iconSize;  // edge of the icon in pixels, at the menu's scale

    HICON icon() const { return icon_.get(); }

    // Items alive in the process: lets the tests see that a destroyed menu
    // released every one of them.
    static long liveCount();

protected:
    // Takes over `icon`, which must not be a shared icon.
    CMenuXPItem(UINT id, std::wstring itemText, HICON icon, int iconEdge);

private:
    Owned<HICON, destroyMenuIcon> icon_;
};

class CMenuXPText final : public CMenuXPItem {
public:
    CMenuXPText(UINT id, std::wstring itemText, HICON icon, int iconEdge = 16)
        : CMenuXPItem(id, std::move(itemText), icon, iconEdge) {}
};

}  // namespace vela::win32
