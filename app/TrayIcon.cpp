#include "app/TrayIcon.h"

#include <cwchar>

#include "VelaVersion.h"

namespace vela {

namespace {

constexpr wchar_t kTrayTip[] = L"Vela V" VELA_VERSION_TEXT;

}  // namespace

TrayIcon::TrayIcon() : taskbarCreated_(RegisterWindowMessageW(kTaskbarCreatedMessageName)) {
    data_.cbSize = sizeof(data_);
    data_.uID = kTrayIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayCallbackMessage;
    wcsncpy(data_.szTip, kTrayTip, sizeof(data_.szTip) / sizeof(data_.szTip[0]) - 1);
}

TrayIcon::~TrayIcon() {
    remove();
}

bool TrayIcon::notify(DWORD action) {
    return Shell_NotifyIconW(action, &data_) != FALSE;
}

void TrayIcon::add(HWND owner, HICON icon) {
    data_.hWnd = owner;
    data_.hIcon = icon;
    wanted_ = true;
    notify(NIM_ADD);
}

void TrayIcon::remove() {
    if (!wanted_) return;
    wanted_ = false;
    notify(NIM_DELETE);
}

void TrayIcon::setIcon(HICON icon) {
    data_.hIcon = icon;
    if (wanted_) notify(NIM_MODIFY);
}

void TrayIcon::setNote(const std::wstring& note) {
    const std::wstring tip = note.empty() ? kTrayTip : kTrayTip + std::wstring(L" \u2014 ") + note;
    const std::size_t room = sizeof(data_.szTip) / sizeof(data_.szTip[0]) - 1;
    data_.szTip[tip.copy(data_.szTip, room)] = L'\0';
    if (wanted_) notify(NIM_MODIFY);
}

void TrayIcon::showBalloon(const wchar_t* title, const std::wstring& text) {
    if (!wanted_) return;
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = NIIF_WARNING;
    wcsncpy(balloon.szInfoTitle, title,
            sizeof(balloon.szInfoTitle) / sizeof(balloon.szInfoTitle[0]) - 1);
    wcsncpy(balloon.szInfo, text.c_str(), sizeof(balloon.szInfo) / sizeof(balloon.szInfo[0]) - 1);
    Shell_NotifyIconW(NIM_MODIFY, &balloon);
}

void TrayIcon::restore() {
    if (!wanted_) return;
    // A taskbar that kept the icon refuses a second add: nothing to do then.
    notify(NIM_ADD);
}

}  // namespace vela
