#include "menu/win32/CMenuXP.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "menu/MenuRowGeometry.h"
#include "win32/Rect.h"

namespace vela::win32 {

namespace {

// Rows show names as they are (scripts, programs): an "&" is drawn, not
// taken for a mnemonic. No row of the catalogue has one.
constexpr UINT kRowTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

// A row's text and, after a tab, what it holds now ("Ctrl+Shift+T"), shown
// at its right end.
struct RowText {
    std::wstring_view name;
    std::wstring_view detail;
};
RowText splitRowText(const std::wstring& text) {
    const std::size_t tab = text.find(L'\t');
    if (tab == std::wstring::npos) return {text, {}};
    return {std::wstring_view(text).substr(0, tab), std::wstring_view(text).substr(tab + 1)};
}

int textWidth(HDC dc, std::wstring_view text, int& height) {
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, DT_CALCRECT | kRowTextFormat);
    height = std::max(height, static_cast<int>(r.bottom - r.top));
    return r.right - r.left;
}

// The size of NONCLIENTMETRICSW before Vista added its last member: accepted
// by every version, where the full size is refused before Vista.
constexpr UINT kClassicMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);

// The system's menu font, which the system gives for its own DPI, taken to
// `dpi`.
HFONT createMenuFont(int dpi, int systemDpi) {
    LOGFONTW font{};
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = kClassicMetricsSize;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kClassicMetricsSize, &metrics, 0)) {
        font = metrics.lfMenuFont;
    } else {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    }
    if (dpi != systemDpi) {
        font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi);
        font.lfWidth = MulDiv(font.lfWidth, dpi, systemDpi);
    }
    return CreateFontIndirectW(&font);
}

int screenDpi() {
    int dpi = 0;
    if (HDC screen = GetDC(nullptr)) {
        dpi = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : 96;
}

// The screen's device context for measuring, given back on scope exit.
class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() {
        if (dc_) ReleaseDC(nullptr, dc_);
    }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// Puts a DC's selected object, text colour and background mode back.
class DcState {
public:
    explicit DcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~DcState() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    DcState(const DcState&) = delete;
    DcState& operator=(const DcState&) = delete;

private:
    HDC dc_;
    int saved_;
};

}  // namespace

CMenuXP::CMenuXP(int dpi)
    : dpi_(dpi > 0 ? dpi : screenDpi()),
      systemDpi_(screenDpi()),
      menu_(CreatePopupMenu()),
      menuFont_(createMenuFont(dpi_, systemDpi_)),
      backgroundColour_(GetSysColor(COLOR_MENU)),
      selectedColour_(GetSysColor(COLOR_HIGHLIGHT)),
      textColour_(GetSysColor(COLOR_MENUTEXT)),
      selectedTextColour_(GetSysColor(COLOR_HIGHLIGHTTEXT)) {}

CMenuXP::~CMenuXP() {
    menuFont_.reset();
    // Submenus are detached before they go, so each platform menu is
    // destroyed once, by its own level, and never again by its parent.
    for (int position = GetMenuItemCount(menu_.get()) - 1; position >= 0; --position) {
        if (GetSubMenu(menu_.get(), position)) RemoveMenu(menu_.get(), position, MF_BYPOSITION);
    }
    rows_.clear();
    // A bitmap still selected into a DC cannot be deleted: take it out first.
    SetBackgroundBitmap(nullptr);
    menu_.reset();
}

void CMenuXP::SetBackgroundBitmap(HBITMAP bitmap) {
    if (bitmapDc_ && bitmapDcOriginal_) {
        SelectObject(bitmapDc_.get(), bitmapDcOriginal_);
        bitmapDcOriginal_ = nullptr;
    }
    backgroundBitmap_.reset(bitmap);
    if (!bitmap) {
        bitmapDc_.reset();
        return;
    }
    if (!bitmapDc_) bitmapDc_.reset(CreateCompatibleDC(nullptr));
    if (bitmapDc_) bitmapDcOriginal_ = SelectObject(bitmapDc_.get(), bitmap);
}

void CMenuXP::AppendItem(std::unique_ptr<CMenuXPItem> item) {
    if (!item) return;
    AppendMenuW(menu_.get(), MF_OWNERDRAW, item->commandId, reinterpret_cast<LPCWSTR>(item.get()));
    rows_.push_back({std::move(item), nullptr});
}

void CMenuXP::AppendPopup(std::unique_ptr<CMenuXPItem> item, std::unique_ptr<CMenuXP> submenu) {
    if (!item || !submenu) return;
    AppendMenuW(menu_.get(), MF_POPUP | MF_OWNERDRAW, reinterpret_cast<UINT_PTR>(submenu->handle()),
                reinterpret_cast<LPCWSTR>(item.get()));
    rows_.push_back({std::move(item), std::move(submenu)});
}

const CMenuXPItem* CMenuXP::ownItem(ULONG_PTR itemData) const {
    for (const Row& row : rows_) {
        if (reinterpret_cast<ULONG_PTR>(row.item.get()) == itemData) {
            return row.item->signature == kMenuXPSignature ? row.item.get() : nullptr;
        }
    }
    return nullptr;
}

CMenuXP* CMenuXP::FindLevel(HMENU menu) {
    if (menu == menu_.get()) return this;
    for (Row& row : rows_) {
        if (row.submenu) {
            if (CMenuXP* found = row.submenu->FindLevel(menu)) return found;
        }
    }
    return nullptr;
}

CMenuXP* CMenuXP::FindLevelOfItem(ULONG_PTR itemData) {
    if (ownItem(itemData)) return this;
    for (Row& row : rows_) {
        if (row.submenu) {
            if (CMenuXP* found = row.submenu->FindLevelOfItem(itemData)) return found;
        }
    }
    return nullptr;
}

bool CMenuXP::RouteOwnerDraw(UINT message, LPARAM lParam) {
    if (message == WM_MEASUREITEM) {
        auto* request = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (!request || request->CtlType != ODT_MENU) return false;
        CMenuXP* level = FindLevelOfItem(request->itemData);
        if (!level) return false;
        level->MeasureItem(*request);
        return true;
    }
    if (message == WM_DRAWITEM) {
        const auto* request = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!request || request->CtlType != ODT_MENU) return false;
        CMenuXP* level = FindLevel(reinterpret_cast<HMENU>(request->hwndItem));
        if (!level || !level->ownItem(request->itemData)) return false;
        level->DrawItem(*request);
        return true;
    }
    return false;
}

void CMenuXP::MeasureItem(MEASUREITEMSTRUCT& request) {
    if (request.CtlType != ODT_MENU) return;
    const CMenuXPItem* item = ownItem(request.itemData);
    if (!item) return;

    LOGFONTW normal{};
    if (menuFont_) GetObjectW(menuFont_.get(), sizeof(normal), &normal);
    normal.lfWeight = FW_NORMAL;
    Owned<HFONT, deleteGdiObject> font(CreateFontIndirectW(&normal));

    ScreenDc screen;
    int width = 0;
    int height = 0;
    if (screen.get()) {
        const HGDIOBJ previous = SelectObject(screen.get(), font.get());
        const RowText text = splitRowText(item->text);
        width = textWidth(screen.get(), text.name, height);
        // The detail keeps two icons' width from the name.
        if (!text.detail.empty())
            width += 2 * item->iconSize + textWidth(screen.get(), text.detail, height);
        SelectObject(screen.get(), previous);
    }
    const Size size =
        menu::measureMenuRow(width, height, item->iconSize, GetSystemMetrics(SM_CXMENUCHECK));
    request.itemWidth = static_cast<UINT>(size.width > 0 ? size.width : 0);
    request.itemHeight = static_cast<UINT>(size.height);
}

void CMenuXP::DrawItem(const DRAWITEMSTRUCT& request) {
    if (request.CtlType != ODT_MENU || request.itemData == 0) return;
    const CMenuXPItem* item = ownItem(request.itemData);
    if (!item) return;
    const HDC dc = request.hDC;
    const RECT row = request.rcItem;
    const bool selected = (request.itemState & ODS_SELECTED) != 0;

    DrawBackground(dc, row, selected);
    const RECT button = toRECT(menu::menuButtonArea(fromRECT(row)));
    if (request.itemState & ODS_CHECKED) {
        DrawButton(dc, button, selected);
        DrawCheck(dc, button, selected);
    } else if (item->icon()) {
        DrawButton(dc, button, selected);
        DrawIcon(dc, button, item->icon());
    }
    DrawItemText(dc, row, *item, selected, (request.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0);
}

void CMenuXP::DrawCheck(HDC dc, const RECT& button, bool selected) {
    // A tick in the text colour, in the icon's place, as thick as the scale.
    const RECT area = toRECT(menu::menuIconArea(fromRECT(button)));
    const int w = area.right - area.left;
    const int h = area.bottom - area.top;
    const POINT tick[3] = {{area.left + w / 6, area.top + h / 2},
                           {area.left + w * 5 / 12, area.top + h * 3 / 4},
                           {area.left + w * 5 / 6, area.top + h / 4}};
    Owned<HPEN, deleteGdiObject> pen(CreatePen(PS_SOLID, std::max(2, MulDiv(2, dpi_, 96)),
                                               selected ? selectedTextColour_ : textColour_));
    if (!pen) return;
    DcState keep(dc);
    SelectObject(dc, pen.get());
    Polyline(dc, tick, 3);
}

void CMenuXP::fill(HDC dc, const RECT& area, COLORREF colour) const {
    Owned<HBRUSH, deleteGdiObject> brush(CreateSolidBrush(colour));
    if (!brush) return;
    const HGDIOBJ previous = SelectObject(dc, brush.get());
    PatBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, PATCOPY);
    SelectObject(dc, previous);
}

void CMenuXP::DrawBackground(HDC dc, const RECT& row, bool selected) {
    if (selected) {
        fill(dc, row, selectedColour_);
    } else if (backgroundBitmap_ && bitmapDc_) {
        // Each row shows the bitmap's band from its own top, both ways at the
        // menu's scale; a bitmap shorter than the menu starts again.
        BITMAP info{};
        GetObjectW(backgroundBitmap_.get(), sizeof(info), &info);
        const int width = row.right - row.left;
        const int height = row.bottom - row.top;
        const int sourceWidth = std::max(1, MulDiv(width, 96, dpi_));
        const int sourceHeight =
            std::clamp(MulDiv(height, 96, dpi_), 1, std::max(1, static_cast<int>(info.bmHeight)));
        const int sourceTop =
            info.bmHeight > 0 ? MulDiv(row.top, 96, dpi_) % static_cast<int>(info.bmHeight) : 0;
        const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, row.left, row.top, width, height, bitmapDc_.get(), 0,
                   std::min(sourceTop, std::max(0, static_cast<int>(info.bmHeight) - sourceHeight)),
                   sourceWidth, sourceHeight, SRCCOPY);
        SetStretchBltMode(dc, previousMode);
    } else {
        fill(dc, row, backgroundColour_);
    }
}

void CMenuXP::DrawButton(HDC dc, const RECT& button, bool selected) {
    fill(dc, button, backgroundColour_);
    if (selected) {
        RECT edge = button;
        DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    }
}

void CMenuXP::DrawIcon(HDC dc, const RECT& button, HICON icon) {
    const RECT area = toRECT(menu::menuIconArea(fromRECT(button)));
    DrawIconEx(dc, area.left, area.top, icon, area.right - area.left, area.bottom - area.top, 0,
               nullptr, DI_NORMAL);
}

void CMenuXP::DrawItemText(HDC dc, const RECT& row, const CMenuXPItem& item, bool selected,
                           bool greyed) {
    RECT area = toRECT(menu::menuTextArea(fromRECT(row), item.iconSize));
    DcState keep(dc);
    if (menuFont_) SelectObject(dc, menuFont_.get());
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, greyed ? kGreyedTextColour : selected ? selectedTextColour_ : textColour_);
    const RowText text = splitRowText(item.text);
    DrawTextW(dc, text.name.data(), static_cast<int>(text.name.size()), &area,
              DT_LEFT | kRowTextFormat);
    if (!text.detail.empty())
        DrawTextW(dc, text.detail.data(), static_cast<int>(text.detail.size()), &area,
                  DT_RIGHT | kRowTextFormat | DT_END_ELLIPSIS);
}

}  // namespace vela::win32
