// The menu's ports over the main window: message box, file dialogs, the
// function menu and the caption buttons' geometry.
#pragma once

#include <windows.h>

#include <string>

#include "menu/CaptionGeometryPort.h"
#include "menu/DialogPorts.h"
#include "menu/FunctionMenuPort.h"
#include "menu/ProfileMenuPort.h"

namespace vela::win32 {

class Win32MessageBox final : public MessageBoxPort {
public:
    explicit Win32MessageBox(HWND owner) : owner_(owner) {}
    void showMessage(const std::wstring& text, const std::wstring& caption) override;
    bool askYesNo(const std::wstring& text, const std::wstring& caption) override;

private:
    HWND owner_;
};

class Win32OpenFileDialog final : public OpenFileDialogPort, public SaveFileDialogPort {
public:
    explicit Win32OpenFileDialog(HWND owner) : owner_(owner) {}
    std::optional<ChosenFile> chooseFile(const OpenFileRequest& request) override;
    std::optional<ChosenFile> chooseSaveFile(const SaveFileRequest& request) override;

private:
    HWND owner_;
};

// The function menu and the profile menu, both in the owner-drawn look. The
// "Win8 ShortCut" category is offered when `win8MenuEnabled`.
class Win32FunctionMenu final : public FunctionMenuPort, public ProfileMenuPort {
public:
    Win32FunctionMenu(HWND owner, bool win8MenuEnabled)
        : owner_(owner), win8MenuEnabled_(win8MenuEnabled) {}
    void showFunctionMenu(Point at, const FunctionMenuExtras& extras) override;
    void showProfileMenu(Point at, const ProfileMenuContent& content) override;

private:
    HWND owner_;
    bool win8MenuEnabled_;
};

// Caption buttons are the dialog's controls, addressed by control id.
class Win32CaptionGeometry final : public CaptionGeometryPort {
public:
    explicit Win32CaptionGeometry(HWND dialog) : dialog_(dialog) {}
    Rect captionScreenRect(int controlId) override;
    Rect captionClientRect(int controlId) override;
    void invalidate(const Rect& clientRect) override;

private:
    HWND dialog_;
};

// The running executable's name without folder and extension.
std::wstring executableApplicationName();

}  // namespace vela::win32
