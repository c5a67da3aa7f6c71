#include "win32/SubclassedControl.h"

#include <commctrl.h>

namespace vela::win32 {

namespace {
constexpr UINT_PTR kSubclassId = 0x56454C41;  // one subclass of ours per control
}

SubclassedControl::~SubclassedControl() {
    detach();
}

bool SubclassedControl::attach(HWND dialog, int id) {
    detach();
    HWND control = GetDlgItem(dialog, id);
    if (!control) return false;
    if (!SetWindowSubclass(control, &subclassProc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    hwnd_ = control;
    onAttached();
    return true;
}

void SubclassedControl::detach() {
    if (hwnd_) RemoveWindowSubclass(hwnd_, &subclassProc, kSubclassId);
    hwnd_ = nullptr;
}

LRESULT SubclassedControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return defaultProcessing(message, wParam, lParam);
}

LRESULT SubclassedControl::defaultProcessing(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::subclassProc(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    auto* control = reinterpret_cast<SubclassedControl*>(self);
    if (message == WM_NCDESTROY) {
        // The window goes first: let go of it so the object can outlive it.
        control->detach();
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return control->handleMessage(message, wParam, lParam);
}

}  // namespace vela::win32
