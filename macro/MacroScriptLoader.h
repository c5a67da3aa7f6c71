// Reads a slot's macro script file into the process-wide script table.
#pragma once

#include <memory>
#include <string>

#include "core/Ports.h"
#include "macro/MacroScript.h"

namespace vela {

class MacroScriptLoader final : public MacroLoaderPort {
public:
    MacroScriptLoader(FilePort& files, std::wstring moduleFolder,
                      std::shared_ptr<MacroScripts> scripts);

    // Reads `moduleFolder\ScriptsMacros\name` into position `activeSlot`.
    // An out-of-range position reads nothing; a file that cannot be read
    // leaves the position empty, so its playback sends nothing.
    void LoadMacroScript(int activeSlot, const std::wstring& name) override;

    const std::wstring& moduleFolder() const { return moduleFolder_; }

private:
    FilePort& files_;
    std::wstring moduleFolder_;
    std::shared_ptr<MacroScripts> scripts_;
};

}  // namespace vela
