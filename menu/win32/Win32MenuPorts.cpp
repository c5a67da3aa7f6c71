#include "menu/win32/Win32MenuPorts.h"

#include <commdlg.h>

#include <vector>

#include "menu/AssignmentCommands.h"
#include "menu/FileNames.h"
#include "menu/win32/FunctionMenu.h"
#include "win32/ModulePath.h"
#include "win32/Rect.h"

namespace vela::win32 {

void Win32MessageBox::showMessage(const std::wstring& text, const std::wstring& caption) {
    MessageBoxW(owner_, text.c_str(), caption.c_str(), MB_OK);
}

std::optional<ChosenFile> Win32OpenFileDialog::chooseFile(const OpenFileRequest& request) {
    const std::wstring filter = menu::toPlatformFilter(request.filter);
    const std::wstring defaultExtension(request.defaultExtension);
    // Room for the longest path the system accepts, not just MAX_PATH.
    std::vector<wchar_t> path(32768, L'\0');
    request.initialFileName.copy(path.data(), path.size() - 1);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING;
    if (request.hideReadOnly) dialog.Flags |= OFN_HIDEREADONLY;
    if (request.fileMustExist) dialog.Flags |= OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameW(&dialog)) return std::nullopt;

    ChosenFile chosen;
    chosen.fullPath = path.data();
    chosen.fileName = dialog.nFileOffset < chosen.fullPath.size()
                          ? chosen.fullPath.substr(dialog.nFileOffset)
                          : menu::fileNamePart(chosen.fullPath);
    return chosen;
}

void Win32FunctionMenu::showFunctionMenu(Point at, const FunctionMenuExtras& extras) {
    ShowFunctionMenu(owner_, at.x, at.y, win8MenuEnabled_, GetModuleHandleW(nullptr), extras);
}

void Win32FunctionMenu::showProfileMenu(Point at, const ProfileMenuContent& content) {
    ShowProfileMenu(owner_, at.x, at.y, content);
}

Rect Win32CaptionGeometry::captionScreenRect(int controlId) {
    return windowRect(GetDlgItem(dialog_, controlId));
}

Rect Win32CaptionGeometry::captionClientRect(int controlId) {
    return rectInParent(GetDlgItem(dialog_, controlId));
}

void Win32CaptionGeometry::invalidate(const Rect& clientRect) {
    const RECT r = toRECT(clientRect);
    InvalidateRect(dialog_, &r, FALSE);
}

std::wstring executableApplicationName() {
    return menu::applicationName(modulePath());
}

}  // namespace vela::win32
