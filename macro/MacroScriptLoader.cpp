#include "macro/MacroScriptLoader.h"

#include "core/ProgramFiles.h"
#include "macro/MacroScriptParser.h"

namespace vela {

MacroScriptLoader::MacroScriptLoader(FilePort& files, std::wstring moduleFolder,
                                     std::shared_ptr<MacroScripts> scripts)
    : files_(files), moduleFolder_(std::move(moduleFolder)), scripts_(std::move(scripts)) {}

void MacroScriptLoader::LoadMacroScript(int activeSlot, const std::wstring& name) {
    if (activeSlot < 1 || activeSlot > 10 || !scripts_) return;
    const std::wstring path = macroScriptPath(moduleFolder_, name);
    readFrom_[static_cast<std::size_t>(activeSlot)] = {name, files_.stamp(path), true};
    const auto bytes = files_.readAll(path);
    if (!bytes) {
        scripts_->put(activeSlot, {});
        return;
    }
    // The slot whose own hook watches the right button must not hold
    // right-button steps.
    const SlotInfo* info = findSlot(activeSlot);
    const bool skipRightButton = info && info->ownFunction == MouseFunction::RightClick;
    scripts_->put(activeSlot, parseMacroScript(*bytes, skipRightButton));
}

void MacroScriptLoader::refresh(int activeSlot, const std::wstring& name, bool folderChanged) {
    if (activeSlot < 1 || activeSlot > 10) return;
    const ReadFrom& last = readFrom_[static_cast<std::size_t>(activeSlot)];
    if (folderChanged || !last.read || last.name != name ||
        files_.stamp(macroScriptPath(moduleFolder_, name)) != last.stamp) {
        LoadMacroScript(activeSlot, name);
    }
}

}  // namespace vela
