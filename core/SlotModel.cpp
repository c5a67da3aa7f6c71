#include "core/SlotModel.h"

namespace vela {

SlotModel::SlotModel(HookPort& hooks, ViewPort& view, TimerPort& timers, ReleasePort* release)
    : hooks_(hooks), view_(view), timers_(timers), release_(release) {}

void SlotModel::installHook(Slot slot) {
    ButtonAssignment& a = at(slot);
    if (a.hookInstalled) return;
    hooks_.install(slot);
    a.hookInstalled = true;
}

void SlotModel::removeHook(Slot slot) {
    ButtonAssignment& a = at(slot);
    if (!a.hookInstalled) return;
    hooks_.remove(slot);
    a.hookInstalled = false;
}

void SlotModel::setCaption(Slot slot, const std::wstring& caption) {
    at(slot).caption = caption;
    view_.setCaption(slot, caption);
}

void SlotModel::makeNative(Slot slot, const std::wstring& caption) {
    setCaption(slot, caption);
    removeHook(slot);
}

void SlotModel::finishChange(std::uint32_t saveDelayMs) {
    view_.repaintCaptions();
    timers_.start(kSaveTimerId, saveDelayMs);
}

void SlotModel::assignMouseFunction(Slot slot, const std::wstring& caption,
                                    std::int32_t mouseFunction) {
    if (release_) release_->releaseSlot(slot);
    const std::optional<MouseFunction> own = slotInfo(slot).ownFunction;
    if (own && toRaw(*own) == mouseFunction) {
        makeNative(slot, caption);
    } else {
        setCaption(slot, caption);
        installHook(slot);
        ButtonAssignment& a = at(slot);
        a.actionGroup = toRaw(ActionGroup::MouseGroup);
        a.mouseFunction = mouseFunction;
    }
    finishChange(kSaveDelayMs);
}

void SlotModel::assignKeyFunction(Slot slot, const std::wstring& caption, std::int32_t keyAction,
                                  std::uint8_t virtualKey,
                                  const std::optional<std::wstring>& launchTarget) {
    if (release_) release_->releaseSlot(slot);
    setCaption(slot, caption);
    installHook(slot);
    ButtonAssignment& a = at(slot);
    a.actionGroup = toRaw(ActionGroup::KeyGroup);
    a.keyAction = keyAction;
    if (keyAction == toRaw(KeyAction::Launch)) {
        if (launchTarget) a.launchTarget = *launchTarget;
    } else if (keyAction != toRaw(KeyAction::Macro)) {
        a.virtualKey = virtualKey;
    }
    finishChange(kSaveDelayMs);
}

void SlotModel::assignShortcut(Slot slot, const std::wstring& caption, const Shortcut& shortcut) {
    assignKeyFunction(slot, caption, toRaw(KeyAction::Shortcut), at(slot).virtualKey);
    at(slot).shortcut = shortcut;
}

void SlotModel::assignTypedText(Slot slot, const std::wstring& caption, const std::wstring& text) {
    assignKeyFunction(slot, caption, toRaw(KeyAction::TypeText), at(slot).virtualKey);
    at(slot).typedText = text;
}

void SlotModel::setDescription(Slot slot, const std::wstring& description) {
    at(slot).description = description;
    view_.setDescriptionLabel(slot, description);
    timers_.start(kSaveTimerId, kSaveDelayMs);
}

void SlotModel::setOption(Slot slot, const SlotOption& option, bool on) {
    if (release_) release_->releaseSlot(slot);
    at(slot).*option.flag = on;
    timers_.start(kSaveTimerId, kSaveDelayMs);
}

void SlotModel::revertToNative(Slot slot) {
    if (release_) release_->releaseSlot(slot);
    makeNative(slot, std::wstring(slotInfo(slot).nativeCaption));
    finishChange(kSaveDelayAfterRevertMs);
}

void SlotModel::resetAll(SavePort& saver) {
    if (release_) release_->releaseAll();
    for (const SlotInfo& info : kSlotTable) makeNative(info.slot, std::wstring(info.nativeCaption));
    view_.repaintCaptions();
    saver.saveAll();
}

}  // namespace vela
