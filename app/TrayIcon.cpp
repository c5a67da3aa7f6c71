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

void TrayIcon::setNote(const std::wstring& note, const std::wstring& state) {
    std::wstring tip = note.empty() ? kTrayTip : kTrayTip + std::wstring(L" \u2014 ") + note;
    if (!state.empty()) tip += L" (" + state + L")";
    const std::size_t room = sizeof(data_.szTip) / sizeof(data_.szTip[0]) - 1;
    data_.szTip[tip.copy(data_.szTip, room)] = L'\0';
    if (wanted_) notify(NIM_MODIFY);
}

bool TrayIcon::showBalloon(const std::wstring& title, const std::wstring& text) {
    if (!wanted_) return false;
    NOTIFYICONDATAW balloon = data_;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = NIIF_WARNING;
    constexpr std::size_t kTitleRoom = sizeof(balloon.szInfoTitle) / sizeof(wchar_t) - 1;
    constexpr std::size_t kTextRoom = sizeof(balloon.szInfo) / sizeof(wchar_t) - 1;
    balloon.szInfoTitle[title.copy(balloon.szInfoTitle, kTitleRoom)] = L'\0';
    balloon.szInfo[text.copy(balloon.szInfo, kTextRoom)] = L'\0';
    return Shell_NotifyIconW(NIM_MODIFY, &balloon) != FALSE;
}

void TrayIcon::restore() {
    if (!wanted_) return;
    // A taskbar that kept the icon refuses a second add: nothing to do then.
    notify(NIM_ADD);
}

}  // namespace vela
