#include "app/MainWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/AppIdentity.h"
#include "controls/MemDC.h"
#include "controls/SkinImage.h"
#include "core/DpiScale.h"
#include "menu/AssignmentCommands.h"
#include "menu/win32/Win32MenuPorts.h"
#include "resources/SkinLayout.h"
#include "resources/resource.h"
#include "win32/Dpi.h"
#include "win32/Rect.h"

namespace vela {

namespace {

constexpr COLORREF kCaptionGrey = RGB(200, 200, 200);
constexpr COLORREF kCaptionGreen = RGB(0, 200, 20);
constexpr COLORREF kCaptionHot = RGB(255, 255, 254);

struct CaptionStyle {
    int control;
    COLORREF normal;
};

// The wheel captions and the DPI caption are green like the wheel's light on
// the skin; everything else is grey.
constexpr std::array<CaptionStyle, 12> kCaptionStyles{{
    {IDC_CAPTION_R, kCaptionGrey},
    {IDC_CAPTION_M, kCaptionGrey},
    {IDC_CAPTION_X1, kCaptionGrey},
    {IDC_CAPTION_X2, kCaptionGrey},
    {IDC_CAPTION_WD, kCaptionGreen},
    {IDC_CAPTION_WU, kCaptionGreen},
    {IDC_CAPTION_DPI, kCaptionGreen},
    {IDC_SCRIPT_MENU, kCaptionGrey},
    {IDC_SPARE_BUTTON, kCaptionGrey},
    {IDC_CAPTION_WL, kCaptionGrey},
    {IDC_CAPTION_WR, kCaptionGrey},
    {IDC_CAPTION_ALTTAB, kCaptionGrey},
}};

// Labels that invite a description; the Alt+Tab label has no tip, the DPI
// label has nothing but the tip.
constexpr std::array<int, 9> kTooltipControls{IDC_LABEL_R,   IDC_LABEL_M,  IDC_LABEL_WU,
                                              IDC_LABEL_WD,  IDC_LABEL_X1, IDC_LABEL_X2,
                                              IDC_LABEL_DPI, IDC_LABEL_WL, IDC_LABEL_WR};
constexpr wchar_t kTooltipText[] = L"Click!Add function description.";
constexpr UINT kTooltipDelayMs = 150;

using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
using SetDialogDpiChangeBehaviorFn = BOOL(WINAPI*)(HWND, int, int);

// The darkest colour of the skin's edge: what a half-covered edge pixel of a
// resized skin is made opaque over.
constexpr COLORREF kSkinEdge = RGB(12, 14, 18);
// Where a face of the layout exists only as a bitmap font (Windows' own
// "System"), text takes this one, which every Windows version has.
constexpr wchar_t kScalableFace[] = L"Tahoma";

HFONT createFont(const SkinFontSpec& spec, int dpi) {
    return win32::createScaledFont(spec.face, spec.height, spec.width, spec.weight, dpi,
                                   kScalableFace);
}

// The window lays itself out at every DPI change; the system must not move
// or resize its controls as it does for other dialogs (Windows 10 1703 on).
void keepSystemOutOfTheLayout(HWND window) {
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32) return;
    auto disable = reinterpret_cast<SetDialogDpiChangeBehaviorFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetDialogDpiChangeBehavior")));
    if (disable) disable(window, kDisableAll, kDisableAll);
}

}  // namespace

CVoZuzevArarozerudiDlg::CVoZuzevArarozerudiDlg(HINSTANCE module, MainWindowEvents& events)
    : module_(module), events_(events) {}

CVoZuzevArarozerudiDlg::~CVoZuzevArarozerudiDlg() = default;

INT_PTR CVoZuzevArarozerudiDlg::run() {
    return runModal(module_, IDD_VELA_DIALOG, nullptr);
}

// ---- Initialisation, in the order the rest of the program relies on --------

BOOL CVoZuzevArarozerudiDlg::onInitDialog() {
    for (std::size_t i = 0; i < kCaptionStyles.size(); ++i)
        captions_[i].attach(hwnd(), kCaptionStyles[i].control);
    saveAndExitButton_.attach(hwnd(), IDC_SAVE_AND_EXIT);
    closeButton_.attach(hwnd(), IDOK);
    keyBrush_.reset(CreateSolidBrush(kColourKey));

    setUpFrame();
    events_.onWindowCreated(hwnd());
    createTooltips();
    configureCaptions();
    keepSystemOutOfTheLayout(hwnd());
    layOut(win32::windowDpi(hwnd()));
    centreOnScreen();
    events_.onWindowReady();
    return TRUE;
}

// Icons, title, and the borderless, colour-keyed frame of the skin.
void CVoZuzevArarozerudiDlg::setUpFrame() {
    bigIcon_.reset(static_cast<HICON>(LoadImageW(module_, MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                 IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                 GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.reset(static_cast<HICON>(LoadImageW(module_, MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                   IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)));
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

    SetWindowTextW(hwnd(), kWindowTitle);

    const LONG_PTR style = GetWindowLongPtrW(hwnd(), GWL_STYLE);
    SetWindowLongPtrW(hwnd(), GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION));
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    const LONG_PTR exStyle = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
        auto setLayered = reinterpret_cast<SetLayeredWindowAttributesFn>(
            reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
        if (setLayered) setLayered(hwnd(), kColourKey, 255, LWA_COLORKEY);
    }
}

void CVoZuzevArarozerudiDlg::disableCaption(int control) {
    EnableWindow(item(control), FALSE);
}

void CVoZuzevArarozerudiDlg::createTooltips() {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(),
                               nullptr, module_, nullptr);
    if (!tooltip_) return;
    SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
    for (int control : kTooltipControls) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(item(control));
        tool.lpszText = const_cast<LPWSTR>(kTooltipText);
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SendMessageW(tooltip_, TTM_SETTIPTEXTCOLOR, RGB(0, 0, 0), 0);
    SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOMATIC, kTooltipDelayMs);
}

void CVoZuzevArarozerudiDlg::configureCaptions() {
    for (std::size_t i = 0; i < kCaptionStyles.size(); ++i)
        captions_[i].setColours(kCaptionStyles[i].normal, kCaptionHot);
}

// Every control at its place on the skin, the skin, the fonts and the image
// buttons, all at `dpi`: at 96 the skin's own pixels, at 192 twice as many.
void CVoZuzevArarozerudiDlg::layOut(int dpi) {
    dpi_ = dpi;
    const Size size = scaleToDpi(kSkinSize, dpi);
    SetWindowPos(hwnd(), nullptr, 0, 0, size.width, size.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    captionFont_.reset(createFont(kCaptionFont, dpi));
    labelFont_.reset(createFont(kLabelFont, dpi));
    for (const SkinPlace& place : kSkinLayout) {
        HWND child = item(place.control);
        if (!child) continue;
        const Rect r = scaleToDpi(place.rect, dpi);
        MoveWindow(child, r.left, r.top, r.width(), r.height(), FALSE);
        if (place.font == SkinFont::Label)
            SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.get()), FALSE);
    }
    for (CTransParentButton& caption : captions_) {
        caption.setFont(captionFont_.get());
        caption.forgetBackground();
    }

    const ImageChoice choice = chooseImage(dpi);
    CGdiPlusBitmapResource skinImage;
    skinImage.loadPng(choice.doubleSize ? IDP_SKIN_2X : IDP_SKIN, module_);
    skin_.reset(createSkinBitmap(skinImage, size, kColourKey, kSkinEdge));
    loadImageButtons(choice);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void CVoZuzevArarozerudiDlg::loadImageButtons(const ImageChoice& choice) {
    auto saveImage = std::make_unique<CGdiPlusBitmapResource>();
    saveImage->loadPng(choice.doubleSize ? IDP_SAVE_AND_EXIT_2X : IDP_SAVE_AND_EXIT, module_);
    saveAndExitButton_.setImage(std::move(saveImage), choice.drawScale);
    auto closeImage = std::make_unique<CGdiPlusBitmapResource>();
    closeImage->loadPng(choice.doubleSize ? IDP_CLOSE_2X : IDP_CLOSE, module_);
    closeButton_.setImage(std::move(closeImage), choice.drawScale);
}

// The window moved to a monitor of another scale: laid out again for it, at
// the place the system suggests.
void CVoZuzevArarozerudiDlg::onDpiChanged(int dpi, const RECT& suggested) {
    if (dpi != dpi_) layOut(dpi);
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CVoZuzevArarozerudiDlg::centreOnScreen() {
    RECT window{};
    GetWindowRect(hwnd(), &window);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    SetWindowPos(hwnd(), nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- What the core shows through the view --------------------------------------

void CVoZuzevArarozerudiDlg::setCaption(Slot slot, const std::wstring& text) {
    SetWindowTextW(item(slotInfo(slot).captionControl), text.c_str());
}

void CVoZuzevArarozerudiDlg::setDescriptionLabel(Slot slot, const std::wstring& text) {
    HWND label = item(slotInfo(slot).descriptionControl);
    const RECT area = win32::toRECT(win32::rectInParent(label));
    // Labels draw on a hollow brush: the skin under the old text goes first.
    InvalidateRect(hwnd(), &area, TRUE);
    SetWindowTextW(label, text.c_str());
}

void CVoZuzevArarozerudiDlg::repaintCaptions() {
    win32::Win32CaptionGeometry geometry(hwnd());
    menu::repaintCaptions(geometry);
}

void CVoZuzevArarozerudiDlg::hide() {
    ShowWindow(hwnd(), SW_MINIMIZE);
    ShowWindow(hwnd(), SW_HIDE);
}

void CVoZuzevArarozerudiDlg::show() {
    ShowWindow(hwnd(), SW_SHOW);
    ShowWindow(hwnd(), SW_SHOWNORMAL);
}

// ---- Messages ---------------------------------------------------------------

bool CVoZuzevArarozerudiDlg::preTranslateMessage(MSG& msg) {
    if (tooltip_) SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    // Neither key may close the window: it is closed from the tray only.
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN))
        return true;
    return false;
}

std::optional<LRESULT> CVoZuzevArarozerudiDlg::handleMessage(UINT message, WPARAM wParam,
                                                             LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return onInitDialog();
        case WM_COMMAND:
            if (auto handled = onCommand(LOWORD(wParam), HIWORD(wParam))) return handled;
            break;
        case WM_ERASEBKGND:
            return onEraseBackground(reinterpret_cast<HDC>(wParam));
        case WM_PAINT:
            if (IsIconic(hwnd())) {
                onPaint();
                return 0;
            }
            return std::nullopt;
        case WM_CTLCOLORDLG:
            return reinterpret_cast<LRESULT>(keyBrush_.get());
        case WM_CTLCOLORSTATIC: {
            auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, kLabelTextColour);
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
        case WM_NCHITTEST:
            return onHitTest(lParam);
        case WM_CLOSE:
            // Alt+F4 and the system menu's Close do what the cross does:
            // the window hides and Vela lives on in the tray.
            hide();
            return 0;
        case WM_DPICHANGED:
            onDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SETCURSOR:
            if (onSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
            return std::nullopt;
        default:
            if (auto handled = events_.onMessage(message, wParam, lParam)) return handled;
            break;
    }
    return Dialog::handleMessage(message, wParam, lParam);
}

std::optional<LRESULT> CVoZuzevArarozerudiDlg::onCommand(WORD id, WORD code) {
    if (code == BN_CLICKED) {  // STN_CLICKED and menu commands have the same value
        switch (id) {
            case IDOK:  // the close cross only hides: Vela lives on in the tray
            case IDCANCEL:
                hide();
                return 0;
            case IDC_SAVE_AND_EXIT:
                hide();
                break;  // the application saves
            case IDC_SCRIPT_MENU:
                openScriptMenu();
                return 0;
            case IDC_CAPTION_DPI:
            case IDC_SPARE_BUTTON:
            case IDC_LABEL_DPI:
            case ID_SCRIPT_OPEN:
            case ID_SCRIPT_SAVE:
            case ID_SCRIPT_SAVE_AS:
            case ID_SCRIPT_RENAME:
            case ID_SCRIPT_EXIT:
                return 0;  // offered, but they do nothing yet
            default:
                break;
        }
    }
    return events_.onMessage(WM_COMMAND, MAKEWPARAM(id, code), 0);
}

void CVoZuzevArarozerudiDlg::openScriptMenu() {
    win32::UniqueMenu menu(LoadMenuW(module_, MAKEINTRESOURCEW(IDR_SCRIPT_MENU)));
    if (!menu) return;
    SetForegroundWindow(hwnd());
    RECT button{};
    GetWindowRect(item(IDC_SCRIPT_MENU), &button);
    TrackPopupMenu(GetSubMenu(menu.get(), 0), TPM_RIGHTBUTTON, button.left, button.bottom + 2, 0,
                   hwnd(), nullptr);
}

BOOL CVoZuzevArarozerudiDlg::onEraseBackground(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    CMemDC mem(dc, &client);
    FillRect(mem.dc(), &client, keyBrush_.get());
    if (skin_) {
        win32::UniqueDc source(CreateCompatibleDC(dc));
        win32::SelectObjectScope select(source.get(), skin_.get());
        BITMAP info{};
        GetObjectW(skin_.get(), sizeof(info), &info);
        BitBlt(mem.dc(), 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
    }
    // The image buttons blend their PNGs over exactly this picture.
    saveAndExitButton_.setBackground(mem.dc());
    closeButton_.setBackground(mem.dc());
    return TRUE;
}

void CVoZuzevArarozerudiDlg::onPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, bigIcon_.get());
    EndPaint(hwnd(), &ps);
}

LRESULT CVoZuzevArarozerudiDlg::onHitTest(LPARAM lParam) {
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    RECT client{};
    GetClientRect(hwnd(), &client);
    MapWindowPoints(hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    // The whole skin is the title bar: drag it anywhere.
    if (PtInRect(&client, at)) return HTCAPTION;
    return DefWindowProcW(hwnd(), WM_NCHITTEST, 0, lParam);
}

bool CVoZuzevArarozerudiDlg::onSetCursor(HWND over) {
    if (!over || over == hwnd()) return false;
    wchar_t className[16]{};
    GetClassNameW(over, className, 16);
    if (std::wstring_view(className) != L"Static" || GetDlgCtrlID(over) == IDC_LOGO) return false;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}

}  // namespace vela
