// The application object: libraries up, one instance only, then the main
// window until it closes.
#pragma once

#include <windows.h>

#include <string>

namespace vela {

class CVoZuzevArarozerudiApp {
public:
    CVoZuzevArarozerudiApp(HINSTANCE module, std::wstring commandLine);

    // Runs the program; the result is the process exit code.
    int run();

private:
    HINSTANCE module_;
    std::wstring commandLine_;
};

}  // namespace vela
