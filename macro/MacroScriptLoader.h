// Reads a slot's macro script file into the process-wide script table.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "core/FilePort.h"
#include "core/MacroLoaderPort.h"
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

    // Just before a playback: reads the script again when the folder's watch
    // reported a change (`folderChanged`), when the slot holds another
    // script, or when the file's time or size is not what it was when read:
    // network and virtual machine shares send no change notifications.
    void refresh(int activeSlot, const std::wstring& name, bool folderChanged);

    const std::wstring& moduleFolder() const { return moduleFolder_; }

private:
    FilePort& files_;
    std::wstring moduleFolder_;
    std::shared_ptr<MacroScripts> scripts_;
    // What each position was read from: the name, and the file's stamp just
    // before it was read (nullopt: no file), so an edit made during the read
    // is still seen later.
    struct ReadFrom {
        std::wstring name;
        std::optional<FileStamp> stamp;
        bool read = false;
    };
    std::array<ReadFrom, kSlotPositions> readFrom_{};
};

}  // namespace vela
