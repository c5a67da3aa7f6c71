#include "macro/MacroScriptLoader.h"

#include "core/ProgramFiles.h"
#include "macro/MacroScriptParser.h"

namespace vela {

MacroScriptLoader::MacroScriptLoader(FilePort& files, std::wstring moduleFolder,
                                     std::shared_ptr<MacroScripts> scripts)
    : files_(files), moduleFolder_(std::move(moduleFolder)), scripts_(std::move(scripts)) {}

void MacroScriptLoader::LoadMacroScript(int activeSlot, const std::wstring& name) {
    if (activeSlot < 1 || activeSlot > 10 || !scripts_) return;
    const auto bytes = files_.readAll(macroScriptPath(moduleFolder_, name));
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

}  // namespace vela
