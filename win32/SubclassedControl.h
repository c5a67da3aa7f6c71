// A control of a dialog template whose messages a C++ object sees first,
// through the common controls' window subclassing.
#pragma once

#include <windows.h>

namespace vela::win32 {

class SubclassedControl {
public:
    SubclassedControl() = default;
    virtual ~SubclassedControl();
    SubclassedControl(const SubclassedControl&) = delete;
    SubclassedControl& operator=(const SubclassedControl&) = delete;

    // Takes over the control `id` of `dialog`; false when there is none.
    bool attach(HWND dialog, int id);
    HWND hwnd() const { return hwnd_; }

protected:
    // Called once the subclass is in place.
    virtual void onAttached() {}
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The control's own processing of a message.
    LRESULT defaultProcessing(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    void detach();

    HWND hwnd_ = nullptr;
};

}  // namespace vela::win32
