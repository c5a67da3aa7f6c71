// The small borderless dialog in which the user types a slot's description.
#pragma once

#include <windows.h>

#include <string>

#include "win32/Dialog.h"

namespace vela {

class CShowTextDlg : public win32::Dialog {
public:
    // Runs the dialog from `module`'s template; IDOK when the user confirmed.
    INT_PTR run(HINSTANCE module, HWND owner);

    const std::wstring& enteredText() const { return enteredText_; }

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void paintFace();

    std::wstring enteredText_;
};

}  // namespace vela
