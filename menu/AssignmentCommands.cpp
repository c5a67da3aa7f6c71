#include "menu/AssignmentCommands.h"

#include <utility>

#include "core/LayerButton.h"
#include "core/TypedText.h"
#include "menu/FileNames.h"
#include "menu/MenuTree.h"

namespace vela::menu {

namespace {

// Without the keyboard's names every key is named in English.
class EnglishOnly final : public KeyNames {
public:
    std::wstring keyName(std::uint16_t) override { return {}; }
};

}  // namespace

AssignmentCommands::AssignmentCommands(SlotModel& model, MenuCommandPorts ports,
                                       std::wstring applicationName)
    : model_(model), ports_(ports), applicationName_(std::move(applicationName)) {}

void AssignmentCommands::openFunctionMenu(Slot slot) {
    const SlotInfo& info = slotInfo(slot);
    if (info.menuAccess == MenuAccess::AfterAltWarning) {
        ports_.messages.showMessage(std::wstring(kAltKeyWarning), applicationName_);
    }
    model().activeSlot = number(slot);
    const Rect r = ports_.captions.captionScreenRect(info.captionControl);
    FunctionMenuExtras extras;
    const ButtonAssignment& a = model().at(slot);
    const std::optional<Slot> layer = editor_ ? editor_->editingLayer() : std::nullopt;
    // Inside a layer no input starts another; its button's caption there is
    // its tap, which acts at once. A layer button holds its layer, nothing
    // else: no option applies to either.
    extras.layerOffered = canCarryLayer(info.trigger) && !layer;
    const bool noOptions = layer == slot || isLayerWhileHeld(a);
    if (isLayerWhileHeld(a)) {
        extras.chosenCommand = kLayerWhileHeldCommand;
    } else if (const auto* press = a.as<action::PressShortcut>()) {
        extras.chosenCommand = kKeysAndShortcutsCommand;
        extras.chosenDetail = shortcutCaption(press->shortcut);
    } else if (const auto* type = a.as<action::TypeText>()) {
        extras.chosenCommand = kTypeTextCommand;
        extras.chosenDetail = typedTextCaption(type->text, kMenuTextPreviewLength);
    }
    for (const SlotOption& option : kSlotOptions)
        if (option.appliesTo(info.trigger) && !noOptions)
            extras.options.push_back({&option, model().at(slot).*option.flag});
    menuScripts_.clear();
    if (info.macro == MacroBehaviour::Playback && ports_.macroFolder && ports_.macroLoader) {
        menuScripts_ = ports_.macroFolder->scriptNames();
        if (menuScripts_.size() > kMaxMenuScripts) menuScripts_.resize(kMaxMenuScripts);
        extras.scripts = menuScripts_;
    }
    ports_.menu.showFunctionMenu({r.left + kMenuOffsetX, r.bottom + kMenuOffsetY}, extras);
}

bool AssignmentCommands::openFunctionMenuForControl(int controlId) {
    for (const SlotInfo& info : kSlotTable) {
        if (info.captionControl == controlId) {
            openFunctionMenu(info.slot);
            return true;
        }
    }
    return false;
}

bool AssignmentCommands::onCommand(std::uint32_t commandId) {
    if (commandId == kOpenMacroFolderCommand) {
        if (ports_.macroFolder) ports_.macroFolder->openFolder();
        return true;
    }
    if (commandId >= kFirstScriptCommand && commandId < kFirstScriptCommand + kMaxMenuScripts) {
        const std::size_t index = commandId - kFirstScriptCommand;
        if (index < menuScripts_.size()) assignScript(menuScripts_[index]);
        return true;
    }
    if (const SlotOption* option = findSlotOption(commandId)) {
        const SlotInfo* info = activeSlotInfo();
        if (info && option->appliesTo(info->trigger)) {
            model().setOption(info->slot, *option, !(model().at(info->slot).*option->flag));
            changed(info->slot);
        }
        return true;
    }
    const CatalogueEntry* entry = findCatalogueEntry(commandId);
    if (!entry) return false;
    applyCatalogueEntry(*entry);
    return true;
}

const SlotInfo* AssignmentCommands::activeSlotInfo() {
    return findSlot(model().activeSlot);
}

SlotModel& AssignmentCommands::model() {
    return editor_ ? editor_->model() : model_;
}

void AssignmentCommands::changed(Slot slot) {
    if (editor_) editor_->slotChanged(slot);
}

void AssignmentCommands::assign(Slot slot, const std::wstring& caption, Action function) {
    model().assign(slot, caption, std::move(function));
    changed(slot);
}

void AssignmentCommands::applyCatalogueEntry(const CatalogueEntry& entry) {
    const SlotInfo* info = activeSlotInfo();
    // A command can only follow a caption click, but a stray one must not
    // write into the unused DPI position or out of range.
    if (!info) return;
    switch (entry.kind) {
        case EntryKind::RestoreOwnFunction:
            restoreOwnFunction();
            return;
        case EntryKind::ChooseProgram:
            chooseProgram();
            return;
        case EntryKind::ChooseShortcut:
            chooseShortcut();
            return;
        case EntryKind::ChooseText:
            chooseText();
            return;
        case EntryKind::LayerWhileHeld:
            chooseLayerWhileHeld();
            return;
        case EntryKind::Mouse:
        case EntryKind::Key:
        case EntryKind::Launch:
        case EntryKind::SwitchApps:
            assign(info->slot, std::wstring(entry.slotCaption), *actionOf(entry));
            return;
    }
}

void AssignmentCommands::restoreOwnFunction() {
    const SlotInfo* info = activeSlotInfo();
    if (!info) return;
    model().revertToNative(info->slot);
    changed(info->slot);
}

void AssignmentCommands::assignScript(const std::wstring& script) {
    const SlotInfo* info = activeSlotInfo();
    if (!info || info->macro != MacroBehaviour::Playback || !ports_.macroLoader) return;
    // The slot's playback is stopped and let go by the new assignment; one
    // that has not stopped by the time the script is read keeps playing the
    // script it started with.
    model().assign(info->slot, scriptCaption(script), action::Macro{script});
    ports_.macroLoader->LoadMacroScript(number(info->slot), script);
    changed(info->slot);
}

void AssignmentCommands::chooseProgram() {
    const SlotInfo* info = activeSlotInfo();
    if (!info) return;
    const OpenFileRequest request{kProgramFilter, true, true, {}, {}};
    const std::optional<ChosenFile> chosen = ports_.files.chooseFile(request);
    if (!chosen) return;
    const std::wstring name =
        chosen->fileName.empty() ? fileNamePart(chosen->fullPath) : chosen->fileName;
    assign(info->slot, programCaption(name), action::Launch{chosen->fullPath});
}

std::wstring AssignmentCommands::shortcutCaption(const Shortcut& shortcut) {
    EnglishOnly english;
    return shortcutText(shortcut,
                        ports_.keyNames ? *ports_.keyNames : static_cast<KeyNames&>(english));
}

void AssignmentCommands::chooseShortcut() {
    const SlotInfo* info = activeSlotInfo();
    if (!info || !ports_.shortcuts) return;
    const ButtonAssignment& a = model().at(info->slot);
    const auto* press = a.as<action::PressShortcut>();
    const std::optional<Shortcut> chosen =
        ports_.shortcuts->askForShortcut(press ? press->shortcut : Shortcut());
    if (!chosen || chosen->empty()) return;
    assign(info->slot, shortcutCaption(*chosen), action::PressShortcut{*chosen});
}

void AssignmentCommands::chooseText() {
    const SlotInfo* info = activeSlotInfo();
    if (!info || !ports_.texts) return;
    const ButtonAssignment& a = model().at(info->slot);
    const auto* type = a.as<action::TypeText>();
    const std::optional<std::wstring> chosen = ports_.texts->askForText(type ? type->text : L"");
    if (!chosen) return;
    const std::wstring text(clipTypedText(*chosen));
    if (text.empty()) return;
    assign(info->slot, typedTextCaption(text), action::TypeText{text});
}

void AssignmentCommands::chooseLayerWhileHeld() {
    const SlotInfo* info = activeSlotInfo();
    if (!info || !canCarryLayer(info->trigger) || (editor_ && editor_->editingLayer())) return;
    const CatalogueEntry& entry = *findCatalogueEntry(kLayerWhileHeldCommand);
    assign(info->slot, std::wstring(entry.slotCaption), *actionOf(entry));
}

void repaintCaptions(CaptionGeometryPort& captions) {
    for (const SlotInfo& info : kSlotTable) {
        captions.invalidate(captions.captionClientRect(info.captionControl));
    }
}

}  // namespace vela::menu
