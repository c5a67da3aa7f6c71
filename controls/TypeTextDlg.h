// "Type Text...": the text a slot's press types, any characters, new lines as
// Enter.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "controls/DialogFace.h"
#include "menu/DialogPorts.h"
#include "win32/Dialog.h"

namespace vela {

class CTypeTextDlg : public win32::Dialog {
public:
    explicit CTypeTextDlg(std::wstring current) : text_(std::move(current)) {}

    // Runs the dialog from `module`'s template; IDOK when the user confirmed.
    INT_PTR run(HINSTANCE module, HWND owner);
    // The text confirmed, its lines ending in "\r\n".
    const std::wstring& text() const { return text_; }

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void onInit();
    // The count under the box and whether OK can be pressed follow the text.
    void onTextChanged();

    std::wstring text_;
    DialogFace face_;
};

class Win32TypedTextDialog final : public TypedTextDialogPort {
public:
    Win32TypedTextDialog(HINSTANCE module, HWND owner) : module_(module), owner_(owner) {}

    std::optional<std::wstring> askForText(const std::wstring& current) override;

private:
    HINSTANCE module_;
    HWND owner_;
};

}  // namespace vela
