#include "controls/ShortcutDlg.h"

#include <string>
#include <string_view>

#include "core/ListedKeys.h"
#include "core/MessageIds.h"
#include "resources/resource.h"

namespace vela {

namespace {

constexpr std::wstring_view kNothingPressed = L"Press a shortcut";
constexpr std::wstring_view kClickToGoOn =
    L"Another window has the keyboard now. Click here to go on pressing the shortcut.";
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kQuietText = RGB(120, 120, 120);
// How often the capture is renewed: well inside the engine's lease.
constexpr UINT kCaptureRenewMs = 1000;

std::wstring listedKeyName(ShortcutKey key, KeyNames& names) {
    return shortcutText(Shortcut(0, key), names);
}

}  // namespace

CShortcutDlg::CShortcutDlg(KeyCapturePort& capture, KeyNames& names, const Shortcut& current)
    : capture_(capture), names_(names), shown_(current), white_(CreateSolidBrush(kWhite)) {}

CShortcutDlg::~CShortcutDlg() {
    capture_.endCapture();
}

INT_PTR CShortcutDlg::run(HINSTANCE module, HWND owner) {
    const INT_PTR result = runModal(module, IDD_KEYCHORD, owner);
    capture_.endCapture();
    return result;
}

void CShortcutDlg::onInit() {
    // The shortcut large and bold, in the dialog's own font, which follows
    // the display's scale.
    auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    LOGFONTW font{};
    GetObjectW(dialogFont ? static_cast<HGDIOBJ>(dialogFont) : GetStockObject(DEFAULT_GUI_FONT),
               sizeof(font), &font);
    TEXTMETRICW metrics{};
    {
        win32::WindowDc dc(hwnd());
        win32::SelectObjectScope select(dc.get(), dialogFont);
        GetTextMetricsW(dc.get(), &metrics);
    }
    font.lfHeight = font.lfHeight * 7 / 4;
    font.lfWidth = 0;
    font.lfWeight = FW_BOLD;
    shortcutFont_.reset(CreateFontIndirectW(&font));
    SendMessageW(item(IDC_CHORD_TEXT), WM_SETFONT, reinterpret_cast<WPARAM>(shortcutFont_.get()),
                 FALSE);

    HWND list = item(IDC_CHORD_LIST);
    SendMessageW(list, LB_SETITEMHEIGHT, 0,
                 static_cast<LPARAM>(metrics.tmHeight + metrics.tmHeight / 3));
    for (std::size_t i = 0; i < kListedKeys.size(); ++i) {
        const std::wstring name = listedKeyName(kListedKeys[i].key, names_);
        const LRESULT row =
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (row >= 0) SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(row), i);
    }

    prompt_ = itemText(IDC_CHORD_PROMPT);
    listen(true);
    SetTimer(hwnd(), kCaptureRenewTimerId, kCaptureRenewMs, nullptr);
    showShortcut();
}

// Only while the dialog is in front: the keyboard belongs to the window the
// user clicked into.
void CShortcutDlg::listen(bool on) {
    if (on == listening_) return;
    listening_ = on;
    SetDlgItemTextW(hwnd(), IDC_CHORD_PROMPT, on ? prompt_.c_str() : kClickToGoOn.data());
    if (on) {
        capture_.beginCapture([this](const CapturedKey& key) { onKey(key); });
    } else {
        capture_.endCapture();
        state_.stoppedListening();
    }
}

void CShortcutDlg::onKey(const CapturedKey& key) {
    state_.onKey(key);
    if (state_.shortcut().empty() || state_.shortcut() == shown_) return;
    shown_ = state_.shortcut();
    SendMessageW(item(IDC_CHORD_LIST), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    showShortcut();
}

void CShortcutDlg::onListChoice() {
    HWND list = item(IDC_CHORD_LIST);
    const LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (row == LB_ERR) return;
    const auto index =
        static_cast<std::size_t>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(row), 0));
    if (index >= kListedKeys.size()) return;
    // The modifiers shown stay: Ctrl pressed, then Wheel Up chosen, is zoom.
    state_.chooseFromList(kListedKeys[index].key);
    shown_ = shown_.withKey(kListedKeys[index].key);
    showShortcut();
}

void CShortcutDlg::showShortcut() {
    const std::wstring text =
        shown_.empty() ? std::wstring(kNothingPressed) : shortcutText(shown_, names_);
    SetDlgItemTextW(hwnd(), IDC_CHORD_TEXT, text.c_str());
    InvalidateRect(item(IDC_CHORD_TEXT), nullptr, TRUE);
    EnableWindow(item(IDOK), !shown_.empty());
}

void CShortcutDlg::drawListRow(const DRAWITEMSTRUCT& row) {
    if (row.itemID == static_cast<UINT>(-1) || row.itemData >= kListedKeys.size()) return;
    const ListedKey& listed = kListedKeys[row.itemData];
    const bool selected = (row.itemState & ODS_SELECTED) != 0;
    const HDC dc = row.hDC;
    const int saved = SaveDC(dc);
    win32::UniqueGdi<HBRUSH> fill(
        CreateSolidBrush(selected ? GetSysColor(COLOR_HIGHLIGHT) : kWhite));
    FillRect(dc, &row.rcItem, fill.get());
    if (auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0)))
        SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT text = row.rcItem;
    text.left += metrics.tmAveCharWidth;
    text.right -= metrics.tmAveCharWidth;
    SetBkMode(dc, TRANSPARENT);
    constexpr UINT kRow = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    // The key on the left, the kind of key quieter on the right.
    const std::wstring name = listedKeyName(listed.key, names_);
    ::SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : kBlack);
    DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text, DT_LEFT | kRow);
    ::SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : kQuietText);
    DrawTextW(dc, listed.group.data(), static_cast<int>(listed.group.size()), &text,
              DT_RIGHT | kRow);
    RestoreDC(dc, saved);
}

std::optional<LRESULT> CShortcutDlg::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            onInit();
            // The keys are captured, so no button needs the focus; the list
            // takes it and no button looks chosen.
            SetFocus(item(IDC_CHORD_LIST));
            return FALSE;
        case WM_ACTIVATE:
            listen(LOWORD(wParam) != WA_INACTIVE);
            break;
        case WM_TIMER:
            if (wParam != kCaptureRenewTimerId) break;
            capture_.renewCapture();
            return 0;
        case WM_DRAWITEM:
            if (wParam != IDC_CHORD_LIST) break;
            drawListRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == item(IDC_CHORD_TEXT)) {
                const auto dc = reinterpret_cast<HDC>(wParam);
                ::SetTextColor(dc, shown_.empty() ? kQuietText : kBlack);
                SetBkColor(dc, kWhite);
                return reinterpret_cast<LRESULT>(white_.get());
            }
            return face_.colour(message, wParam);
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORBTN:
            return face_.colour(message, wParam);
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_CHORD_CLEAR:
                    state_.clear();
                    shown_ = Shortcut();
                    SendMessageW(item(IDC_CHORD_LIST), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
                    showShortcut();
                    return 0;
                case IDC_CHORD_LIST:
                    if (HIWORD(wParam) == LBN_SELCHANGE) onListChoice();
                    return 0;
                case IDOK:
                    if (!shown_.empty()) endModal(IDOK);
                    return 0;
                default:
                    break;
            }
            break;
        case WM_DESTROY:
            KillTimer(hwnd(), kCaptureRenewTimerId);
            capture_.endCapture();
            break;
        default:
            break;
    }
    return Dialog::handleMessage(message, wParam, lParam);
}

std::optional<Shortcut> Win32ShortcutDialog::askForShortcut(const Shortcut& current) {
    CShortcutDlg dialog(capture_, names_, current);
    if (dialog.run(module_, owner_) != IDOK || dialog.shortcut().empty()) return std::nullopt;
    return dialog.shortcut();
}

}  // namespace vela
