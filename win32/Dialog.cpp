#include "win32/Dialog.h"

namespace vela::win32 {

namespace {

// Messages whose answer is the dialog procedure's return value itself rather
// than DWLP_MSGRESULT.
bool answersDirectly(UINT message) {
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
        case WM_INITDIALOG:
            return true;
        default:
            return false;
    }
}

// Destroys a top-level window without hiding it first. Wine on an X server
// without a window manager waits up to 2 s for one to confirm the hide of any
// window that was ever active, the window still on the screen and this thread
// frozen: a typed description looked unconfirmed, and every press waited.
// A window no longer marked visible is simply destroyed; what lay under it is
// drawn again.
void destroyWithoutHide(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) & ~WS_VISIBLE);
    DestroyWindow(window);
    RedrawWindow(nullptr, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace

std::wstring Dialog::itemText(int id) const {
    HWND control = item(id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

INT_PTR Dialog::runModal(HINSTANCE module, int templateId, HWND owner) {
    ended_ = false;
    result_ = -1;
    // A disabled owner is what makes the run modal for the rest of the program.
    const bool ownerWasEnabled = owner && !EnableWindow(owner, FALSE);
    HWND window = CreateDialogParamW(module, MAKEINTRESOURCEW(templateId), owner, &dialogProc,
                                     reinterpret_cast<LPARAM>(this));
    if (!window) {
        if (ownerWasEnabled) EnableWindow(owner, TRUE);
        return -1;
    }
    // Like the system's own modal dialogs: shown even if the template is not
    // visible, unless initialisation already ended the run.
    if (!ended_ && !IsWindowVisible(window)) ShowWindow(window, SW_SHOWNORMAL);
    MSG msg;
    while (!ended_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the outer loop
            break;
        }
        if (got == -1) break;
        if (preTranslateMessage(msg)) continue;
        if (IsDialogMessageW(window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (owner) SetActiveWindow(owner);
    destroyWithoutHide(window);
    return result_;
}

void Dialog::endModal(INT_PTR result) {
    result_ = result;
    ended_ = true;
    PostMessageW(hwnd_, WM_NULL, 0, 0);  // wake the loop if it is waiting
}

bool Dialog::preTranslateMessage(MSG&) {
    return false;
}

std::optional<LRESULT> Dialog::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DRAWITEM:
        case WM_CTLCOLORBTN:
            return reflectToChild(message, wParam, lParam);
        case WM_COMMAND:
            if (lParam == 0 || HIWORD(wParam) == BN_CLICKED) {
                if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                    endModal(LOWORD(wParam));
                    return 0;
                }
            }
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

std::optional<LRESULT> Dialog::reflectToChild(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND child = nullptr;
    if (message == WM_DRAWITEM) {
        child = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    } else {
        child = reinterpret_cast<HWND>(lParam);
    }
    if (!child || GetParent(child) != hwnd_) return std::nullopt;
    const LRESULT answer = SendMessageW(child, reflected(message), wParam, lParam);
    if (message == WM_DRAWITEM) return TRUE;
    // A colour request the child leaves unanswered gets the default answer.
    if (answer == 0) return std::nullopt;
    return answer;
}

INT_PTR CALLBACK Dialog::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (!self) return FALSE;
    const std::optional<LRESULT> answer = self->handleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        self->hwnd_ = nullptr;
    }
    if (!answer) return FALSE;
    if (answersDirectly(message)) return static_cast<INT_PTR>(*answer);
    SetWindowLongPtrW(window, DWLP_MSGRESULT, *answer);
    return TRUE;
}

}  // namespace vela::win32
