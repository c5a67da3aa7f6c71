// One level of an owner-drawn popup menu: a platform popup menu whose rows
// are painted over a background bitmap, with an icon in a button area at the
// left of each row.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "menu/win32/CMenuXPItem.h"
#include "win32/Handle.h"

namespace vela::win32 {

inline void deleteMenuDc(HDC dc) {
    DeleteDC(dc);
}
inline void destroyMenuHandle(HMENU menu) {
    DestroyMenu(menu);
}

// The text of a row that cannot be chosen now.
inline constexpr COLORREF kGreyedTextColour = RGB(128, 128, 128);

class CMenuXP {
public:
    // Starts with an empty popup menu, the system menu font at `dpi` (the
    // system's own DPI when 0) and the system menu colours.
    explicit CMenuXP(int dpi = 0);
    // Frees every row's item and icon, every submenu level with its own rows,
    // the background bitmap and the platform menus, each exactly once.
    virtual ~CMenuXP();
    CMenuXP(const CMenuXP&) = delete;
    CMenuXP& operator=(const CMenuXP&) = delete;

    HMENU handle() const { return menu_.get(); }

    void SetBackgroundColor(COLORREF colour) { backgroundColour_ = colour; }
    void SetSelectedColor(COLORREF colour) { selectedColour_ = colour; }
    void SetTextColor(COLORREF colour) { textColour_ = colour; }
    void SetSelectedTextColor(COLORREF colour) { selectedTextColour_ = colour; }
    // Takes over `bitmap`; nullptr drops the current one. The bitmap is drawn
    // at the menu's scale behind every row, its top line at the row's top.
    void SetBackgroundBitmap(HBITMAP bitmap);

    // An owner-drawn command row.
    void AppendItem(std::unique_ptr<CMenuXPItem> item);
    // An owner-drawn row that opens `submenu`.
    void AppendPopup(std::unique_ptr<CMenuXPItem> item, std::unique_ptr<CMenuXP> submenu);

    // The platform's owner-draw requests for this level's rows.
    virtual void DrawItem(const DRAWITEMSTRUCT& request);
    virtual void MeasureItem(MEASUREITEMSTRUCT& request);

    // Answers WM_MEASUREITEM and WM_DRAWITEM for any row of this tree, with the
    // level that holds the row; false for requests about anything else.
    bool RouteOwnerDraw(UINT message, LPARAM lParam);

    // The level of this tree whose platform menu is `menu`, or nullptr.
    CMenuXP* FindLevel(HMENU menu);
    // The level of this tree holding `item` as a row's data, or nullptr.
    CMenuXP* FindLevelOfItem(ULONG_PTR itemData);

protected:
    virtual void DrawBackground(HDC dc, const RECT& row, bool selected);
    virtual void DrawButton(HDC dc, const RECT& button, bool selected);
    virtual void DrawIcon(HDC dc, const RECT& button, HICON icon);
    // The mark of a checked row, in place of its icon.
    virtual void DrawCheck(HDC dc, const RECT& button, bool selected);
    // A greyed row (nothing to choose there now) is drawn in kGreyedTextColour.
    virtual void DrawItemText(HDC dc, const RECT& row, const CMenuXPItem& item, bool selected,
                              bool greyed);

private:
    struct Row {
        std::unique_ptr<CMenuXPItem> item;
        std::unique_ptr<CMenuXP> submenu;
    };

    // The row item behind `itemData` when it is one of this level's own.
    const CMenuXPItem* ownItem(ULONG_PTR itemData) const;
    void fill(HDC dc, const RECT& area, COLORREF colour) const;

    int dpi_;
    int systemDpi_;
    Owned<HMENU, destroyMenuHandle> menu_;
    Owned<HFONT, deleteGdiObject> menuFont_;
    COLORREF backgroundColour_;
    COLORREF selectedColour_;
    COLORREF textColour_;
    COLORREF selectedTextColour_;
    Owned<HBITMAP, deleteGdiObject> backgroundBitmap_;
    Owned<HDC, deleteMenuDc> bitmapDc_;
    HGDIOBJ bitmapDcOriginal_ = nullptr;  // what bitmapDc_ held before our bitmap
    std::vector<Row> rows_;
};

}  // namespace vela::win32
