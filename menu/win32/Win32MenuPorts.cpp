#include "menu/win32/Win32MenuPorts.h"

#include <commdlg.h>

#include <vector>

#include "menu/FileNames.h"
#include "menu/win32/FunctionMenu.h"

namespace vela::win32 {

void Win32MessageBox::showMessage(const std::wstring& text, const std::wstring& caption) {
    MessageBoxW(owner_, text.c_str(), caption.c_str(), MB_OK);
}

std::optional<menu::ChosenFile> Win32OpenFileDialog::chooseFile(
    const menu::OpenFileRequest& request) {
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

    menu::ChosenFile chosen;
    chosen.fullPath = path.data();
    chosen.fileName = dialog.nFileOffset < chosen.fullPath.size()
                          ? chosen.fullPath.substr(dialog.nFileOffset)
                          : menu::fileNamePart(chosen.fullPath);
    return chosen;
}

void Win32FunctionMenu::showFunctionMenu(Point at) {
    ShowFunctionMenu(owner_, at.x, at.y);
}

namespace {
menu::WindowRect fromRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}
}  // namespace

menu::WindowRect Win32CaptionGeometry::captionScreenRect(int controlId) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog_, controlId), &r);
    return fromRect(r);
}

menu::WindowRect Win32CaptionGeometry::captionClientRect(int controlId) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog_, controlId), &r);
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&r), 2);
    return fromRect(r);
}

void Win32CaptionGeometry::invalidate(const menu::WindowRect& clientRect) {
    const RECT r{clientRect.left, clientRect.top, clientRect.right, clientRect.bottom};
    InvalidateRect(dialog_, &r, FALSE);
}

std::wstring executableApplicationName() {
    std::vector<wchar_t> path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return menu::applicationName(std::wstring_view(path.data(), length));
}

}  // namespace vela::win32
