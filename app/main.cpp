// Vela.exe: remaps the extra inputs of a gaming mouse.
#include <windows.h>

#include "app/App.h"

int WINAPI wWinMain(HINSTANCE module, HINSTANCE, PWSTR commandLine, int) {
    vela::CVoZuzevArarozerudiApp app(module, commandLine ? commandLine : L"");
    return app.run();
}
