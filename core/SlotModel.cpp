#include "core/SlotModel.h"

namespace vela {

SlotModel::SlotModel(HookPort& hooks, ViewPort& view, TimerPort& timers, ReleasePort* release)
    : hooks_(hooks), view_(view), timers_(timers), release_(release) {}

void SlotModel::followRemapped(Slot slot) {
    const bool wanted = at(slot).needsHook();
    if (wanted == hooked(slot)) return;
    if (wanted) {
        hooks_.install(slot);
        hooked_.add(slot);
    } else {
        hooks_.remove(slot);
        hooked_.remove(slot);
    }
}

void SlotModel::setCaption(Slot slot, const std::wstring& caption) {
    at(slot).caption = caption;
    view_.setCaption(slot, caption);
}

void SlotModel::makeNative(Slot slot, const std::wstring& caption) {
    setCaption(slot, caption);
    at(slot).remapped = false;
    followRemapped(slot);
}

void SlotModel::finishChange(std::uint32_t saveDelayMs) {
    view_.repaintCaptions();
    timers_.start(kSaveTimerId, saveDelayMs);
}

namespace {

// The key a function sends, where it sends one.
std::uint8_t keyOf(const Action& function) {
    if (const auto* f = std::get_if<action::Key>(&function)) return f->virtualKey;
    if (const auto* f = std::get_if<action::Macro>(&function)) return f->virtualKey;
    if (const auto* f = std::get_if<action::RepeatKey>(&function)) return f->virtualKey;
    return 0;
}

}  // namespace

void SlotModel::assign(Slot slot, const std::wstring& caption, Action function) {
    if (release_) release_->releaseSlot(slot);
    const std::optional<MouseFunction> own = slotInfo(slot).ownFunction;
    const auto* mouse = std::get_if<action::Mouse>(&function);
    if (own && mouse && mouse->function == *own) {
        makeNative(slot, caption);
    } else {
        ButtonAssignment& a = at(slot);
        if (auto* macro = std::get_if<action::Macro>(&function))
            macro->virtualKey = keyOf(a.action);
        setCaption(slot, caption);
        a.action = std::move(function);
        a.remapped = true;
        followRemapped(slot);
    }
    finishChange(kSaveDelayMs);
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

void SlotModel::setTriggers(Slot slot, const TriggerFunctions& triggers) {
    if (release_) release_->releaseSlot(slot);
    at(slot).triggers = triggers;
    followRemapped(slot);
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
