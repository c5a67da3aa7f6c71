#include "core/ProfileRuntime.h"

namespace vela {

void ProfileRuntime::foregroundChanged(WindowIdentity window) {
    const Overlay* before = stack_.profile();
    stack_.setForeground(std::move(window));
    if (stack_.profile() == before) return;
    apply();
}

void ProfileRuntime::profilesChanged() {
    apply();
}

void ProfileRuntime::setWheelFollowsPointer(bool follows) {
    wheelFollowsPointer_ = follows;
    apply();
}

bool ProfileRuntime::titlesMatter() const {
    for (const Overlay& overlay : stack_.overlays().all())
        if (const WindowKey* window = windowOf(overlay.key); window && !window->title.empty())
            return true;
    return false;
}

void ProfileRuntime::apply() {
    const Overlay* profile = stack_.profile();
    const SlotSet sets = profile ? profile->setSlots() : SlotSet();
    // Every slot whose assignment may differ now lets go of what it holds:
    // those the profile before set, and those the one now sets.
    const SlotSet touched = applied_ | sets;
    applied_ = sets;
    if (release_) {
        for (const SlotInfo& info : kSlotTable)
            if (touched.has(info.slot)) release_->releaseSlot(info.slot);
    }
    const bool off = profile && profile->velaOff;
    // Out before the profile's hooks could go in, and back only with them.
    if (off) hooks_.setOffInFront(true);
    hooks_.setOverrides(sets, profile ? profile->remappedSlots() : SlotSet());
    SlotSet followers, remappedByProfiles;
    if (wheelFollowsPointer_) {
        for (const SlotInfo& info : kSlotTable)
            if (isWheel(info.trigger)) followers.add(info.slot);
        for (const Overlay* p : stack_.overlays().profiles())
            if (!p->velaOff) remappedByProfiles = remappedByProfiles | p->remappedSlots();
    }
    hooks_.setPointerHooks(followers, remappedByProfiles);
    if (!off) hooks_.setOffInFront(false);
    const std::wstring offIn = off ? overlayName(profile->key) : std::wstring();
    if (offIn != offIn_) {
        offIn_ = offIn;
        if (velaOff_) velaOff_(offIn_);
    }
    if (scriptsChanged_) scriptsChanged_();
}

}  // namespace vela
