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

// The first row that gives `function` at once, or nullptr.
const CatalogueEntry* entryOf(const Action& function) {
    for (const CatalogueEntry& e : kCatalogue)
        if (actionOf(e) == function) return &e;
    return nullptr;
}

std::optional<Action>& functionFor(TriggerFunctions& t, ChoiceFor choice) {
    switch (choice) {
        case ChoiceFor::Click:
            return t.click;
        case ChoiceFor::DoubleClick:
            return t.doubleClick;
        case ChoiceFor::LongPress:
            return t.longPress;
        default:
            return t.gestures[static_cast<std::size_t>(choice)];
    }
}

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
    choiceFor_ = ChoiceFor::Function;
    FunctionMenuExtras extras;
    const ButtonAssignment& a = model().at(slot);
    const std::optional<Slot> layer = editor_ ? editor_->editingLayer() : std::nullopt;
    // Inside a layer no input starts another; its button's caption there is
    // its tap, which acts at once. A layer button holds its layer, nothing
    // else: no option applies to either, and it has no double click or long
    // press (its press acts at once).
    extras.buttonRowsOffered = canCarryLayer(info.trigger) && !layer;
    extras.triggerRowsOffered = extras.buttonRowsOffered && !isLayerWhileHeld(a);
    if (extras.triggerRowsOffered) {
        if (a.triggers.doubleClick)
            extras.marked.push_back(
                {kDoubleClickCommand, functionCaption(*a.triggers.doubleClick)});
        if (a.triggers.longPress)
            extras.marked.push_back({kLongPressCommand, functionCaption(*a.triggers.longPress)});
    }
    const bool noOptions = layer == slot || isLayerWhileHeld(a);
    if (a.as<action::Gestures>()) {
        extras.chosenCommand = kGesturesCommand;
    } else if (const auto* scroll = a.as<action::DragScroll>()) {
        extras.chosenCommand = kDragScrollCommand;
        extras.scroll = FunctionMenuExtras::ScrollRows{scroll->axisLock, scroll->speed};
    } else if (isLayerWhileHeld(a)) {
        extras.chosenCommand = kLayerWhileHeldCommand;
        if (!layer) extras.layerOwnClick = layerKeepsOwnClick(info.trigger, a);
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
    ports_.menu.showFunctionMenu(menuPoint(info), extras);
}

Point AssignmentCommands::menuPoint(const SlotInfo& info) {
    const Rect r = ports_.captions.captionScreenRect(info.captionControl);
    return {r.left + kMenuOffsetX, r.bottom + kMenuOffsetY};
}

void AssignmentCommands::openChoiceMenu(ChoiceFor choice, Point at) {
    const SlotInfo* info = activeSlotInfo();
    if (!info || !canCarryLayer(info->trigger)) return;
    choiceFor_ = choice;
    // Any function but another button's use or a script: a script plays in
    // the slot's own playback, which its own function may hold.
    FunctionMenuExtras extras;
    if (const Action* current = currentChoice()) {
        if (const CatalogueEntry* e = entryOf(*current)) extras.chosenCommand = e->commandId;
        if (const auto* press = std::get_if<action::PressShortcut>(current)) {
            extras.chosenCommand = kKeysAndShortcutsCommand;
            extras.chosenDetail = shortcutCaption(press->shortcut);
        } else if (const auto* type = std::get_if<action::TypeText>(current)) {
            extras.chosenCommand = kTypeTextCommand;
            extras.chosenDetail = typedTextCaption(type->text, kMenuTextPreviewLength);
        }
    }
    ports_.menu.showFunctionMenu(at, extras);
}

const Action* AssignmentCommands::currentChoice() {
    const SlotInfo* info = activeSlotInfo();
    if (!info) return nullptr;
    ButtonAssignment& a = model().at(info->slot);
    if (choiceFor_ == ChoiceFor::Function) return &a.action;
    const std::optional<Action>& f = functionFor(a.triggers, choiceFor_);
    return f ? &*f : nullptr;
}

void AssignmentCommands::setChoice(Slot slot, std::optional<Action> function) {
    TriggerFunctions triggers = model().at(slot).triggers;
    functionFor(triggers, choiceFor_) = std::move(function);
    // A menu gives one choice: the next command is the caption's menu's.
    choiceFor_ = ChoiceFor::Function;
    model().setTriggers(slot, triggers);
    changed(slot);
    if (triggersChanged_) triggersChanged_();
    if (gesturesChanged_) gesturesChanged_();
}

std::wstring AssignmentCommands::functionCaption(const Action& function) {
    if (const auto* press = std::get_if<action::PressShortcut>(&function))
        return shortcutCaption(press->shortcut);
    if (const auto* type = std::get_if<action::TypeText>(&function))
        return typedTextCaption(type->text);
    if (const auto* macro = std::get_if<action::Macro>(&function))
        return scriptCaption(macro->script);
    if (const CatalogueEntry* e = entryOf(function); e && !e->slotCaption.empty())
        return std::wstring(e->slotCaption);
    if (const auto* launch = std::get_if<action::Launch>(&function))
        return programCaption(fileNamePart(launch->target));
    return {};
}

std::array<std::wstring, kGestureRows> AssignmentCommands::gestureCaptions() {
    std::array<std::wstring, kGestureRows> captions;
    const SlotInfo* info = activeSlotInfo();
    if (!info) return captions;
    const TriggerFunctions& t = model().at(info->slot).triggers;
    for (std::size_t d = 0; d < t.gestures.size(); ++d)
        captions[d] = t.gestures[d] ? functionCaption(*t.gestures[d]) : std::wstring(kNotSetText);
    captions[4] = t.click ? functionCaption(*t.click) : std::wstring(kOwnClickText);
    return captions;
}

std::array<bool, 4> AssignmentCommands::gestureRepeats() {
    const SlotInfo* info = activeSlotInfo();
    const auto* gestures = info ? model().at(info->slot).as<action::Gestures>() : nullptr;
    return gestures ? gestures->repeat : std::array<bool, 4>{};
}

void AssignmentCommands::chooseGesture(std::size_t row, Point at) {
    if (row < kGestureRows) openChoiceMenu(static_cast<ChoiceFor>(row), at);
}

void AssignmentCommands::setGestureRepeat(std::size_t direction, bool repeat) {
    const SlotInfo* info = activeSlotInfo();
    const auto* gestures = info ? model().at(info->slot).as<action::Gestures>() : nullptr;
    if (!gestures || direction >= gestures->repeat.size()) return;
    action::Gestures changedGestures = *gestures;
    changedGestures.repeat[direction] = repeat;
    const std::wstring caption = model().at(info->slot).caption;
    model().assign(info->slot, caption, changedGestures);
    changed(info->slot);
    if (triggersChanged_) triggersChanged_();
    if (gesturesChanged_) gesturesChanged_();
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
    if (commandId == kLayerOwnClickCommand) {
        const SlotInfo* info = activeSlotInfo();
        const ButtonAssignment* a = info ? &model().at(info->slot) : nullptr;
        if (!a || !isLayerWhileHeld(*a)) return true;
        const bool keeps = layerKeepsOwnClick(info->trigger, *a);
        assign(info->slot, a->caption, action::LayerWhileHeld{!keeps});
        return true;
    }
    if (commandId == kScrollOneAxisCommand ||
        (commandId >= kFirstScrollSpeedCommand &&
         commandId < kFirstScrollSpeedCommand + kScrollSpeeds.size())) {
        const SlotInfo* info = activeSlotInfo();
        const auto* now = info ? model().at(info->slot).as<action::DragScroll>() : nullptr;
        if (!now) return true;
        action::DragScroll scroll = *now;
        if (commandId == kScrollOneAxisCommand)
            scroll.axisLock = !scroll.axisLock;
        else
            scroll.speed = kScrollSpeeds[commandId - kFirstScrollSpeedCommand];
        const std::wstring caption = model().at(info->slot).caption;
        assign(info->slot, caption, scroll);
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
    if (choiceFor_ != ChoiceFor::Function) {
        setChoice(slot, std::move(function));
        return;
    }
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
        case EntryKind::Gestures:
        case EntryKind::DragScroll: {
            if (!canCarryLayer(info->trigger) || choiceFor_ != ChoiceFor::Function) return;
            // Chosen again, it keeps its settings.
            const Action& now = model().at(info->slot).action;
            Action function = now.index() == actionOf(entry)->index() ? now : *actionOf(entry);
            assign(info->slot, std::wstring(entry.slotCaption), std::move(function));
            if (entry.kind == EntryKind::Gestures && ports_.gestures)
                ports_.gestures->editGestures(*this);
            return;
        }
        case EntryKind::DoubleClick:
        case EntryKind::LongPress:
            if (choiceFor_ != ChoiceFor::Function) return;
            openChoiceMenu(entry.kind == EntryKind::DoubleClick ? ChoiceFor::DoubleClick
                                                                : ChoiceFor::LongPress,
                           menuPoint(*info));
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
    if (choiceFor_ != ChoiceFor::Function) {
        setChoice(info->slot, std::nullopt);
        return;
    }
    model().revertToNative(info->slot);
    changed(info->slot);
}

void AssignmentCommands::assignScript(const std::wstring& script) {
    const SlotInfo* info = activeSlotInfo();
    if (!info || info->macro != MacroBehaviour::Playback || !ports_.macroLoader ||
        choiceFor_ != ChoiceFor::Function)
        return;
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
    const Action* current = currentChoice();
    const auto* press = current ? std::get_if<action::PressShortcut>(current) : nullptr;
    const std::optional<Shortcut> chosen =
        ports_.shortcuts->askForShortcut(press ? press->shortcut : Shortcut());
    if (!chosen || chosen->empty()) return;
    assign(info->slot, shortcutCaption(*chosen), action::PressShortcut{*chosen});
}

void AssignmentCommands::chooseText() {
    const SlotInfo* info = activeSlotInfo();
    if (!info || !ports_.texts) return;
    const Action* current = currentChoice();
    const auto* type = current ? std::get_if<action::TypeText>(current) : nullptr;
    const std::optional<std::wstring> chosen = ports_.texts->askForText(type ? type->text : L"");
    if (!chosen) return;
    const std::wstring text(clipTypedText(*chosen));
    if (text.empty()) return;
    assign(info->slot, typedTextCaption(text), action::TypeText{text});
}

void AssignmentCommands::chooseLayerWhileHeld() {
    const SlotInfo* info = activeSlotInfo();
    if (!info || !canCarryLayer(info->trigger) || (editor_ && editor_->editingLayer()) ||
        choiceFor_ != ChoiceFor::Function)
        return;
    const CatalogueEntry& entry = *findCatalogueEntry(kLayerWhileHeldCommand);
    assign(info->slot, std::wstring(entry.slotCaption), *actionOf(entry));
}

void repaintCaptions(CaptionGeometryPort& captions) {
    for (const SlotInfo& info : kSlotTable) {
        captions.invalidate(captions.captionClientRect(info.captionControl));
    }
}

}  // namespace vela::menu
