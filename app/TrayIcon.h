// Vela's icon in the notification area: the way back to the window while it
// is hidden, and the home of the tray menu.
#pragma once

#include <windows.h>
// (first: shellapi.h needs it)
#include <shellapi.h>

#include <string>

#include "core/MessageIds.h"

namespace vela {

inline constexpr UINT kTrayIconId = 100;
// The icon's mouse messages arrive at its window as kTrayCallbackMessage
// (core/MessageIds.h).

class TrayIcon {
public:
    TrayIcon();
    // A window that goes away without Exit would leave a dead icon behind
    // until the pointer passes over it.
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Shows the icon for `owner`; the record is kept for re-adding and removal.
    void add(HWND owner, HICON icon);
    void remove();

    // True for the message the shell broadcasts when the taskbar is created,
    // at logon and after Explorer restarts: every icon is gone then.
    bool isTaskbarCreated(UINT message) const {
        return taskbarCreated_ != 0 && message == taskbarCreated_;
    }
    // Puts the icon back after the taskbar was created anew; also catches an
    // icon whose first add failed because there was no taskbar yet.
    void restore();
    // Shows another icon in the same place (kept for a re-add).
    void setIcon(HICON icon);
    // The tip: Vela's name and version, then `note` when there is one, then
    // `state` in parentheses when there is one.
    void setNote(const std::wstring& note, const std::wstring& state);
    std::wstring tip() const { return data_.szTip; }
    // A balloon from the icon: a title and a line or two of text; false
    // when there is no icon to carry it. It replaces any balloon up.
    bool showBalloon(const std::wstring& title, const std::wstring& text);

private:
    bool notify(DWORD action);

    UINT taskbarCreated_ = 0;
    NOTIFYICONDATAW data_{};
    bool wanted_ = false;  // between add and remove
};

}  // namespace vela
