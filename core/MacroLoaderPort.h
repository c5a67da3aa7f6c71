// Reading a script into the script table: what the settings, the menu and the
// macro loader all speak, so it sits below them.
#pragma once

#include <string>

namespace vela {

// Reads the script `name` into the script table at position `slotNumber`.
class MacroLoaderPort {
public:
    virtual ~MacroLoaderPort() = default;
    virtual void LoadMacroScript(int slotNumber, const std::wstring& name) = 0;
};

}  // namespace vela
