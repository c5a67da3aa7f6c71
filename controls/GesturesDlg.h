// "Gestures…": the four directions and the click of a button, each row a
// button naming its function that opens the function menu for its choice,
// each direction with a "Repeat" box. Every choice acts at once; "Close"
// ends the dialog.
#pragma once

#include <windows.h>

#include "controls/DialogFace.h"
#include "menu/DialogPorts.h"
#include "win32/Dialog.h"

namespace vela {

class CGesturesDlg : public win32::Dialog {
public:
    explicit CGesturesDlg(GestureEditing& editing) : editing_(editing) {}

    INT_PTR run(HINSTANCE module, HWND owner);

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The rows as the editing says now.
    void refresh();

    GestureEditing& editing_;
    DialogFace face_;
};

class Win32GesturesDialog final : public GesturesDialogPort {
public:
    Win32GesturesDialog(HINSTANCE module, HWND owner) : module_(module), owner_(owner) {}

    void editGestures(GestureEditing& editing) override;

private:
    HINSTANCE module_;
    HWND owner_;
};

}  // namespace vela
