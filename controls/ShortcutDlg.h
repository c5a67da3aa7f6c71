// "Keys and Shortcuts...": the user presses a shortcut and sees it at once in
// the keyboard's own names; keys a keyboard lacks come from a list.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "controls/DialogFace.h"
#include "core/HookPorts.h"
#include "core/KeyNames.h"
#include "core/ShortcutCapture.h"
#include "menu/DialogPorts.h"
#include "win32/Dialog.h"
#include "win32/Handle.h"

namespace vela {

// While it is open and in front the keyboard is Vela's alone
// (KeyCapturePort): Windows, Alt+Tab, Print Screen, Alt+F4, Escape and Enter
// are captured as keys, not acted on. Behind another window it lets the
// keyboard be and asks to be clicked. Only its buttons end it: OK (with a
// shortcut to give), Cancel, and Clear, which empties it. The capture ends on
// every way out, the dialog's destruction included.
class CShortcutDlg : public win32::Dialog {
public:
    // Shows `current` until something is pressed or chosen.
    CShortcutDlg(KeyCapturePort& capture, KeyNames& names, const Shortcut& current);
    ~CShortcutDlg() override;

    // Runs the dialog from `module`'s template; IDOK when the user confirmed.
    INT_PTR run(HINSTANCE module, HWND owner);
    // The shortcut shown now.
    const Shortcut& shortcut() const { return shown_; }

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void onInit();
    void listen(bool on);
    void onKey(const CapturedKey& key);
    void onListChoice();
    void showShortcut();
    void drawListRow(const DRAWITEMSTRUCT& row);

    KeyCapturePort& capture_;
    KeyNames& names_;
    ShortcutCapture state_;
    Shortcut shown_;
    bool listening_ = false;
    std::wstring prompt_;  // what it asks for while it listens
    DialogFace face_;
    win32::UniqueGdi<HBRUSH> white_;
    win32::UniqueGdi<HFONT> shortcutFont_;
};

// The port the assignment commands ask through.
class Win32ShortcutDialog final : public ShortcutDialogPort {
public:
    Win32ShortcutDialog(HINSTANCE module, HWND owner, KeyCapturePort& capture, KeyNames& names)
        : module_(module), owner_(owner), capture_(capture), names_(names) {}

    std::optional<Shortcut> askForShortcut(const Shortcut& current) override;

private:
    HINSTANCE module_;
    HWND owner_;
    KeyCapturePort& capture_;
    KeyNames& names_;
};

}  // namespace vela
