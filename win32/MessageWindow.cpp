#include "win32/MessageWindow.h"

namespace vela::win32 {

MessageWindow::MessageWindow(HINSTANCE module, const wchar_t* className, Kind kind, Handler handler)
    : handler_(std::move(handler)) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &MessageWindow::windowProc;
    windowClass.hInstance = module;
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);  // refused when registered already: that one serves
    const bool messageOnly = kind == Kind::MessageOnly;
    window_.reset(CreateWindowExW(messageOnly ? 0 : WS_EX_TOOLWINDOW, className, L"", WS_POPUP, 0,
                                  0, 0, 0, messageOnly ? HWND_MESSAGE : nullptr, nullptr, module,
                                  nullptr));
    // From here on, not earlier: what the window sends itself while it is
    // made would reach an owner whose members are not all there yet.
    if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MessageWindow::~MessageWindow() {
    // Its last messages (the destruction's own) reach nobody: the owner is
    // half gone by now.
    if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

LRESULT CALLBACK MessageWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && self->handler_) {
        if (const std::optional<LRESULT> handled = self->handler_(message, wParam, lParam))
            return *handled;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace vela::win32
