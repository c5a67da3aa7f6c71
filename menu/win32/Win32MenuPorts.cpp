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

bool Win32MessageBox::askYesNo(const std::wstring& text, const std::wstring& caption) {
    return MessageBoxW(owner_, text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

namespace {

// The one dialog both file dialogs are: filter, suggested name and extension
// filled in, the chosen path and its file name taken out.
std::optional<ChosenFile> runFileDialog(HWND owner, std::wstring_view filterPairs,
                                        std::wstring_view extension, std::wstring_view initialName,
                                        DWORD flags, BOOL(WINAPI* run)(LPOPENFILENAMEW)) {
    const std::wstring filter = menu::toPlatformFilter(filterPairs);
    const std::wstring defaultExtension(extension);
    // Room for the longest path the system accepts, not just MAX_PATH.
    std::vector<wchar_t> path(32768, L'\0');
    initialName.copy(path.data(), path.size() - 1);

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | flags;
    if (!run(&dialog)) return std::nullopt;

    ChosenFile chosen;
    chosen.fullPath = path.data();
    chosen.fileName = dialog.nFileOffset < chosen.fullPath.size()
                          ? chosen.fullPath.substr(dialog.nFileOffset)
                          : menu::fileNamePart(chosen.fullPath);
    return chosen;
}

}  // namespace

std::optional<ChosenFile> Win32OpenFileDialog::chooseFile(const OpenFileRequest& request) {
    DWORD flags = 0;
    if (request.hideReadOnly) flags |= OFN_HIDEREADONLY;
    if (request.fileMustExist) flags |= OFN_FILEMUSTEXIST;
    return runFileDialog(owner_, request.filter, request.defaultExtension, request.initialFileName,
                         flags, GetOpenFileNameW);
}

std::optional<ChosenFile> Win32OpenFileDialog::chooseSaveFile(const SaveFileRequest& request) {
    return runFileDialog(owner_, request.filter, request.defaultExtension, request.initialFileName,
                         OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY,
                         GetSaveFileNameW);
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
