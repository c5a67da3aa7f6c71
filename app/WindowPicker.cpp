#include "app/WindowPicker.h"

#include "app/ports/Win32ForegroundWatch.h"
#include "core/MessageIds.h"
#include "menu/ProfileCommands.h"
#include "resources/resource.h"

namespace vela {

namespace {

constexpr int kFieldIds[] = {IDC_PICK_PROGRAM, IDC_PICK_CLASS, IDC_PICK_TITLE};

}  // namespace

INT_PTR CWindowPickerDlg::run(HINSTANCE module, HWND owner) {
    return runModal(module, IDD_PICKWINDOW, owner);
}

void CWindowPickerDlg::showPrompt(const std::wstring& text) {
    SetDlgItemTextW(hwnd(), IDC_PICK_PROMPT, text.c_str());
}

std::optional<WindowKey> CWindowPickerDlg::fields() const {
    return menu::windowKeyFromFields(itemText(IDC_PICK_PROGRAM), itemText(IDC_PICK_CLASS),
                                     itemText(IDC_PICK_TITLE));
}

void CWindowPickerDlg::showCount(const wchar_t* before) {
    showPrompt(std::wstring(before) + L"Point at the window the profile is for. It is taken in " +
               std::to_wstring(left_) + L" s.");
}

void CWindowPickerDlg::startCount(const wchar_t* before) {
    left_ = kPickCountSeconds;
    for (int id : kFieldIds) EnableWindow(item(id), FALSE);
    EnableWindow(item(IDOK), FALSE);
    EnableWindow(item(IDC_PICK_AGAIN), FALSE);
    showCount(before);
    SetTimer(hwnd(), kPickCountTimerId, 1000, nullptr);
}

void CWindowPickerDlg::onSecond() {
    if (--left_ > 0) {
        showCount(L"");
        return;
    }
    KillTimer(hwnd(), kPickCountTimerId);
    if (!take()) {
        startCount(L"No other program's window was there. ");
        return;
    }
    for (int id : kFieldIds) EnableWindow(item(id), TRUE);
    EnableWindow(item(IDC_PICK_AGAIN), TRUE);
    showPrompt(
        L"Taken. Widen the title with * (any text) or ? (any one character); an empty box "
        L"takes any.");
    onFieldsChanged();
    // Back in front, the title ready to widen.
    SetForegroundWindow(hwnd());
    HWND title = item(IDC_PICK_TITLE);
    SetFocus(title);
    SendMessageW(title, EM_SETSEL, 0, -1);
}

bool CWindowPickerDlg::take() {
    POINT at{};
    if (!GetCursorPos(&at)) return false;
    const HWND window = GetAncestor(WindowFromPoint(at), GA_ROOT);
    DWORD process = 0;
    if (!window || !GetWindowThreadProcessId(window, &process) || process == GetCurrentProcessId())
        return false;
    const std::wstring fields[] = {win32::programOfWindow(window), win32::classOfWindow(window),
                                   win32::titleOfWindow(window)};
    for (std::size_t i = 0; i < std::size(kFieldIds); ++i)
        SetDlgItemTextW(hwnd(), kFieldIds[i], fields[i].c_str());
    return true;
}

void CWindowPickerDlg::onFieldsChanged() {
    if (left_ > 0) return;
    EnableWindow(item(IDOK), fields().has_value());
}

std::optional<LRESULT> CWindowPickerDlg::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            startCount(L"");
            return TRUE;
        case WM_TIMER:
            if (wParam != kPickCountTimerId) break;
            onSecond();
            return 0;
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return face_.colour(message, wParam);
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_CHANGE) {
                onFieldsChanged();
                return 0;
            }
            if (LOWORD(wParam) == IDC_PICK_AGAIN) {
                startCount(L"");
                return 0;
            }
            if (LOWORD(wParam) == IDOK) {
                if (left_ > 0) return 0;
                picked_ = fields();
                if (picked_) endModal(IDOK);
                return 0;
            }
            if (LOWORD(wParam) == IDCANCEL) KillTimer(hwnd(), kPickCountTimerId);
            break;
        default:
            break;
    }
    return Dialog::handleMessage(message, wParam, lParam);
}

std::optional<WindowKey> Win32WindowPicker::pickWindow() {
    CWindowPickerDlg dialog;
    if (dialog.run(module_, owner_) != IDOK) return std::nullopt;
    return dialog.picked();
}

}  // namespace vela
