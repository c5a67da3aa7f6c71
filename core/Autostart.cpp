#include "core/Autostart.h"

namespace vela {

std::wstring runCommandFor(const std::wstring& executablePath) {
    return L"\"" + executablePath + L"\"";
}

bool Autostart::isOn() {
    return port_.readBootValue().value_or(kBootOn) == kBootOn;
}

void Autostart::applyRunEntry(bool on) {
    if (on) {
        port_.setRunValue(runCommandFor(executablePath_));
    } else {
        port_.deleteRunValue();
    }
}

void Autostart::syncAtStartup() {
    applyRunEntry(isOn());
}

void Autostart::toggle() {
    const bool nowOn = !isOn();
    port_.writeBootValue(nowOn ? kBootOn : kBootOff);
    applyRunEntry(nowOn);
}

}  // namespace vela
