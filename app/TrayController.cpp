#include "app/TrayController.h"

#include "app/AppIdentity.h"
#include "resources/resource.h"
#include "win32/Handle.h"

namespace vela {

namespace {

// A shortcut after a tab: the menu shows it in a column of its own.
void labelWithShortcut(HMENU menu, UINT id, const std::wstring& shortcut) {
    wchar_t label[128]{};
    if (!GetMenuStringW(menu, id, label, 128, MF_BYCOMMAND)) return;
    const std::wstring text = std::wstring(label) + L"\t" + shortcut;
    ModifyMenuW(menu, id, MF_BYCOMMAND | MF_STRING, id, text.c_str());
}

// The rows as a popup menu; none when the system refuses one.
win32::UniqueMenu buildMenu(const std::vector<menu::MouseMenuRow>& rows) {
    win32::UniqueMenu popup(CreatePopupMenu());
    if (!popup) return popup;
    for (const menu::MouseMenuRow& row : rows) {
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        item.fType = row.separator ? MFT_SEPARATOR : row.radio ? MFT_RADIOCHECK : MFT_STRING;
        item.fState = (row.checked ? MFS_CHECKED : 0) | (row.grayed ? MFS_GRAYED : 0);
        item.wID = row.command;
        std::wstring text = row.text;
        item.dwTypeData = text.data();
        win32::UniqueMenu sub;
        if (!row.rows.empty()) {
            sub = buildMenu(row.rows);
            item.fMask |= MIIM_SUBMENU;
            item.hSubMenu = sub.get();
        }
        const UINT at = static_cast<UINT>(GetMenuItemCount(popup.get()));
        // Once in, a submenu belongs to its parent.
        if (InsertMenuItemW(popup.get(), at, TRUE, &item)) sub.release();
    }
    return popup;
}

// The place of the item with command `id` in `menu`, or -1.
int positionOf(HMENU menu, UINT id) {
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i)
        if (GetMenuItemID(menu, i) == id) return i;
    return -1;
}

}  // namespace

TrayController::TrayController(HINSTANCE module, TrayActions actions)
    : module_(module),
      actions_(std::move(actions)),
      window_(module, kTrayWindowClass, win32::MessageWindow::Kind::HiddenTopLevel,
              [this](UINT message, WPARAM wParam, LPARAM lParam) {
                  return onMessage(message, wParam, lParam);
              }),
      pauseShortcut_(timers_, kPauseHotkeyRetryTimerId, kPauseHotkeyRetryMs,
                     {[this] {
                          return RegisterHotKey(window_.hwnd(), kPauseHotkeyId,
                                                kPauseHotkeyModifiers | MOD_NOREPEAT,
                                                kPauseHotkeyKey) != FALSE;
                      },
                      [this] {
                          showBalloon(L"Pause shortcut in use",
                                      std::wstring(kPauseHotkeyText) +
                                          L" is used by another program: pause from this "
                                          L"icon's menu. Vela takes the shortcut as soon as it "
                                          L"is free.");
                      },
                      [this] { pauseShortcutText_ = kPauseHotkeyText; }}),
      balloons_(timers_, kBalloonNextTimerId, kBalloonLongestShowMs,
                [this](const Balloon& b) { return icon_.showBalloon(b.title, b.text); }) {
    timers_.setWindow(window_.hwnd());
}

void TrayController::add(HWND mainWindow, HICON icon) {
    mainWindow_ = mainWindow;
    normalIcon_ = icon;
    pausedIcon_.reset(static_cast<HICON>(LoadImageW(module_, MAKEINTRESOURCEW(IDI_PAUSED),
                                                    IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), 0)));
    // Vela may be off in the program in front already.
    icon_.add(window_.hwnd(), menu::looksPaused(state_) && pausedIcon_ ? pausedIcon_.get() : icon);
}

void TrayController::showBounces(const BounceCounts& counts) {
    bounces_ = menu::bouncesText(counts.total());
    showState();
}

void TrayController::showPaused(bool paused) {
    state_.paused = paused;
    showState();
}

void TrayController::showVelaOff(const std::wstring& program) {
    state_.offIn = program;
    showState();
}

void TrayController::showState() {
    icon_.setIcon(menu::looksPaused(state_) && pausedIcon_ ? pausedIcon_.get() : normalIcon_);
    icon_.setNote(bounces_, menu::trayStateText(state_));
    SetWindowTextW(window_.hwnd(), icon_.tip().c_str());
}

std::optional<LRESULT> TrayController::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (icon_.isTaskbarCreated(message)) {
        icon_.restore();
        return 0;
    }
    switch (message) {
        case kTrayCallbackMessage:
            return onNotification(wParam, lParam);
        case WM_TIMER:
            if (pauseShortcut_.onTimer(static_cast<int>(wParam)) ||
                balloons_.onTimer(static_cast<int>(wParam)))
                return 0;
            if (wParam != static_cast<WPARAM>(kTrayMenuDelayTimerId)) return std::nullopt;
            openMenu();
            return 0;
        case WM_HOTKEY:
            if (wParam != kPauseHotkeyId) return std::nullopt;
            actions_.events.togglePause();
            return 0;
        case WM_COMMAND:
            if (onCommand(LOWORD(wParam))) return 0;
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

LRESULT TrayController::onNotification(WPARAM iconId, LPARAM mouseMessage) {
    if (iconId != kTrayIconId) return 0;
    switch (static_cast<UINT>(mouseMessage)) {
        case WM_LBUTTONDBLCLK:
            timers_.stop(kTrayMenuDelayTimerId);
            SetForegroundWindow(mainWindow_);
            actions_.window.show();
            break;
        case WM_LBUTTONDOWN:
            timers_.start(kTrayMenuDelayTimerId, GetDoubleClickTime());
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:  // a right click soon after the last one
            openMenu();
            break;
        case NIN_BALLOONTIMEOUT:
        case NIN_BALLOONUSERCLICK:
        case NIN_BALLOONHIDE:
            balloons_.gone();
            break;
        default:
            break;
    }
    return 0;
}

void TrayController::openMenu() {
    timers_.stop(kTrayMenuDelayTimerId);
    win32::UniqueMenu menu(LoadMenuW(module_, MAKEINTRESOURCEW(IDR_TRAY_MENU)));
    if (!menu) return;
    HMENU popup = GetSubMenu(menu.get(), 0);
    if (!popup) return;
    if (actions_.autostart.isOn())
        CheckMenuItem(popup, ID_TRAY_AUTOSTART, MF_BYCOMMAND | MF_CHECKED);
    if (!pauseShortcutText_.empty()) labelWithShortcut(popup, ID_TRAY_PAUSE, pauseShortcutText_);
    if (actions_.events.paused()) CheckMenuItem(popup, ID_TRAY_PAUSE, MF_BYCOMMAND | MF_CHECKED);
    if (actions_.events.showsProfileChanges())
        CheckMenuItem(popup, ID_TRAY_NOTICE, MF_BYCOMMAND | MF_CHECKED);
    if (actions_.events.wheelFollowsPointer())
        CheckMenuItem(popup, ID_TRAY_WHEEL, MF_BYCOMMAND | MF_CHECKED);
    addMouseMenu(popup);
    // The menu needs its owner in front to close on a click elsewhere: the
    // tray's own window, which is never shown.
    SetForegroundWindow(window_.hwnd());
    POINT at{};
    GetCursorPos(&at);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, window_.hwnd(), nullptr);
    // Without a message to the owner after the menu closes, a second click
    // on the icon would not open the menu again (a hidden owner is not truly
    // the foreground window).
    PostMessageW(window_.hwnd(), WM_NULL, 0, 0);
}

// "Mouse", below "Start With Windows".
void TrayController::addMouseMenu(HMENU popup) {
    win32::UniqueMenu mouse = buildMenu(actions_.events.mouseMenu());
    const int after = positionOf(popup, ID_TRAY_AUTOSTART);
    if (!mouse || after < 0) return;
    if (InsertMenuW(popup, static_cast<UINT>(after + 1), MF_BYPOSITION | MF_POPUP,
                    reinterpret_cast<UINT_PTR>(mouse.get()), L"Mouse"))
        mouse.release();
}

bool TrayController::onCommand(std::uint32_t id) {
    switch (id) {
        case ID_TRAY_HIDE:
            actions_.window.hide();
            return true;
        case ID_TRAY_SHOW:
            actions_.window.show();
            return true;
        case ID_TRAY_RESET:
            actions_.events.beforeReset();
            actions_.model.resetAll(actions_.saver);
            return true;
        case ID_TRAY_PAUSE:
            actions_.events.togglePause();
            return true;
        case ID_TRAY_AUTOSTART:
            actions_.autostart.toggle();
            return true;
        case ID_TRAY_NOTICE:
            actions_.events.toggleProfileChanges();
            return true;
        case ID_TRAY_WHEEL:
            actions_.events.toggleWheelFollowsPointer();
            return true;
        case ID_TRAY_EXIT:
            actions_.events.exitApplication();
            return true;
        default:
            if (!kMouseMenuCommands.contains(id)) return false;
            actions_.events.mouseCommand(id);
            return true;
    }
}

}  // namespace vela
