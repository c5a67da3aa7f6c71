#include "app/App.h"

#include <commctrl.h>
#include <objidl.h>
//
#include <gdiplus.h>

#include "app/AppIdentity.h"
#include "app/Composition.h"
#include "app/SingleInstance.h"

namespace vela {

namespace {

// GDI+ from before the first skinned control to after the last.
class GdiPlusSession {
public:
    GdiPlusSession() {
        Gdiplus::GdiplusStartupInput input;  // version 1, no callback, own thread
        if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
    }
    ~GdiPlusSession() {
        if (token_) Gdiplus::GdiplusShutdown(token_);
    }
    GdiPlusSession(const GdiPlusSession&) = delete;
    GdiPlusSession& operator=(const GdiPlusSession&) = delete;

private:
    ULONG_PTR token_ = 0;
};

// The main dialog's template names this class, so a second start can tell
// Vela's window from any other window titled "Vela".
void registerMainWindowClass(HINSTANCE module) {
    WNDCLASSEXW dialogClass{};
    dialogClass.cbSize = sizeof(dialogClass);
    GetClassInfoExW(nullptr, MAKEINTRESOURCEW(0x8002), &dialogClass);  // the system dialog class
    dialogClass.cbSize = sizeof(dialogClass);
    dialogClass.hInstance = module;
    dialogClass.lpszClassName = kMainWindowClass;
    RegisterClassExW(&dialogClass);
}

}  // namespace

CVoZuzevArarozerudiApp::CVoZuzevArarozerudiApp(HINSTANCE module, std::wstring commandLine)
    : module_(module), commandLine_(std::move(commandLine)) {}

int CVoZuzevArarozerudiApp::run() {
    GdiPlusSession gdiPlus;
    INITCOMMONCONTROLSEX controls{sizeof(controls), 0xFF};
    InitCommonControlsEx(&controls);

    SingleInstance instance(kInstanceMutexName);
    if (instance.anotherIsRunning()) {
        bringRunningInstanceForward(kMainWindowClass, kWindowTitle);
        return 0;
    }
    registerMainWindowClass(module_);
    Composition application(module_, commandLine_);
    application.run();
    return 0;
}

}  // namespace vela
