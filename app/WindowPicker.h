// "The Window Under the Pointer…": a short count while the user points at a
// window, then its program, class and title in boxes the user may edit (the
// title widened to a pattern) before the profile is made.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "controls/DialogFace.h"
#include "menu/ProfileMenuPort.h"
#include "win32/Dialog.h"

namespace vela {

// Seconds the user has to point at the window before it is taken.
inline constexpr int kPickCountSeconds = 3;

class CWindowPickerDlg : public win32::Dialog {
public:
    INT_PTR run(HINSTANCE module, HWND owner);
    // The windows confirmed with OK.
    const std::optional<WindowKey>& picked() const { return picked_; }

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Counts again from kPickCountSeconds, the boxes locked meanwhile.
    void startCount(const wchar_t* before);
    void onSecond();
    // Takes the window under the pointer into the boxes; false where it is
    // none or Vela's own.
    bool take();
    void showPrompt(const std::wstring& text);
    // The count's prompt, after `before`.
    void showCount(const wchar_t* before);
    // The windows the boxes name now, if they name any.
    std::optional<WindowKey> fields() const;
    void onFieldsChanged();

    std::optional<WindowKey> picked_;
    int left_ = 0;  // seconds until the window is taken; 0 once taken
    DialogFace face_;
};

class Win32WindowPicker final : public WindowPickerPort {
public:
    Win32WindowPicker(HINSTANCE module, HWND owner) : module_(module), owner_(owner) {}

    std::optional<WindowKey> pickWindow() override;

private:
    HINSTANCE module_;
    HWND owner_;
};

}  // namespace vela
