#include "app/MainWindow.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/AppIdentity.h"
#include "menu/AssignmentCommands.h"
#include "menu/win32/Win32MenuPorts.h"
#include "resources/resource.h"
#include "win32/Rect.h"

namespace vela {

namespace {

constexpr COLORREF kCaptionGrey = RGB(200, 200, 200);
constexpr COLORREF kCaptionGreen = RGB(0, 200, 20);
constexpr COLORREF kCaptionHot = RGB(255, 255, 254);

// A caption that shows what a profile inherits from "All Programs": its own
// colour at a little over half strength, still readable on the dark skin.
COLORREF dimmed(COLORREF colour) {
    return RGB(GetRValue(colour) * 11 / 20, GetGValue(colour) * 11 / 20,
               GetBValue(colour) * 11 / 20);
}

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

// Labels that invite a description; the Alt+Tab label has no tip, nor has
// the profile's.
constexpr std::array<int, 8> kTooltipControls{IDC_LABEL_R,  IDC_LABEL_M,  IDC_LABEL_WU,
                                              IDC_LABEL_WD, IDC_LABEL_X1, IDC_LABEL_X2,
                                              IDC_LABEL_WL, IDC_LABEL_WR};
constexpr wchar_t kTooltipText[] = L"Click!Add function description.";
constexpr UINT kTooltipDelayMs = 150;

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
    layOutForItsMonitor();
    centreOnScreen();
    events_.onWindowReady();
    return TRUE;
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

void CVoZuzevArarozerudiDlg::setCaptionInherited(Slot slot, bool inherited) {
    const int control = slotInfo(slot).captionControl;
    for (std::size_t i = 0; i < kCaptionStyles.size(); ++i) {
        if (kCaptionStyles[i].control != control) continue;
        const COLORREF normal = kCaptionStyles[i].normal;
        captions_[i].setColours(inherited ? dimmed(normal) : normal, kCaptionHot);
    }
}

void CVoZuzevArarozerudiDlg::setProfileCaption(const std::wstring& text) {
    HWND caption = item(IDC_CAPTION_DPI);
    SetWindowTextW(caption, text.c_str());
    const RECT area = win32::toRECT(win32::rectInParent(caption));
    InvalidateRect(hwnd(), &area, FALSE);
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
        case WM_TIMER:
            events_.onTimer(static_cast<int>(wParam));
            break;
        case WM_QUERYENDSESSION:
            // The system may end the process once every window has answered.
            events_.onSessionEnding();
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) events_.onSessionEnding();
            return 0;
        default:
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
    if (code != BN_CLICKED) return std::nullopt;
    if (events_.onCommand(id)) return 0;
    return std::nullopt;
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
