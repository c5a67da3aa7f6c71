#include "core/HeldInputs.h"

#include <algorithm>
#include <array>

#include "core/InputRecords.h"
#include "core/Shortcut.h"

namespace vela {

namespace {

struct ButtonFlags {
    std::uint32_t down;
    std::uint32_t up;
};

constexpr std::array<ButtonFlags, 4> kButtons{{
    {mouseflag::LeftDown, mouseflag::LeftUp},
    {mouseflag::RightDown, mouseflag::RightUp},
    {mouseflag::MiddleDown, mouseflag::MiddleUp},
    {mouseflag::XDown, mouseflag::XUp},
}};

// What a record does to one key or button: which one (an id that two records
// of the same key or button share) and whether it presses or releases it. A
// mouse record with several button flags is taken by its first.
struct Effect {
    std::uint32_t id = 0;
    bool press = false;
    bool any = false;
};

Effect effectOf(const InputRecord& r) {
    if (r.type == InputRecord::Keyboard) {
        return {r.virtualKey, (r.flags & kKeyUpFlag) == 0, r.virtualKey != 0};
    }
    for (std::size_t b = 0; b < kButtons.size(); ++b) {
        // X buttons are told apart by their data; the other buttons have none.
        const std::uint32_t id = 0x10000u + static_cast<std::uint32_t>(b) * 4u +
                                 (kButtons[b].down == mouseflag::XDown ? (r.mouseData & 3u) : 0u);
        if (r.flags & kButtons[b].down) return {id, true, true};
        if (r.flags & kButtons[b].up) return {id, false, true};
    }
    return {};
}

}  // namespace

std::optional<InputRecord> releaseOf(const InputRecord& press) {
    const Effect e = effectOf(press);
    if (!e.any || !e.press) return std::nullopt;
    InputRecord up;
    up.type = press.type;
    if (press.type == InputRecord::Keyboard) {
        up.virtualKey = press.virtualKey;
        up.scanCode = press.scanCode;
        up.flags = (press.flags | kKeyUpFlag);
        up.extraInfo = press.extraInfo;
        return up;
    }
    for (const ButtonFlags& b : kButtons) {
        if (press.flags & b.down) {
            up.flags = b.up;  // no move: the pointer stays where the user has it
            up.mouseData = press.mouseData;
            return up;
        }
    }
    return std::nullopt;
}

bool pressesSomething(const InputRecord& record) {
    if (record.type == InputRecord::Keyboard)
        return (record.flags & kUnicodeKeyFlag) != 0 || (record.flags & kKeyUpFlag) == 0;
    return (record.flags & (mouseflag::Wheel | mouseflag::HorizontalWheel)) != 0 ||
           effectOf(record).press;
}

HeldInputs::Lock::Lock(std::atomic_flag& flag) : flag_(flag) {
    while (flag_.test_and_set(std::memory_order_acquire)) {
    }
}

HeldInputs::Lock::~Lock() {
    flag_.clear(std::memory_order_release);
}

void HeldInputs::noteSent(InputOwner owner, std::span<const InputRecord> records) {
    Lock lock(busy_);
    for (const InputRecord& r : records) {
        const Effect e = effectOf(r);
        if (!e.any) continue;
        if (e.press) {
            const bool already = std::any_of(held_.begin(), held_.end(), [&](const Entry& h) {
                return h.owner == owner && effectOf(h.press).id == e.id;
            });
            if (!already) held_.push_back({owner, r});  // an auto-repeat adds nothing
        } else {
            std::erase_if(held_, [&](const Entry& h) { return effectOf(h.press).id == e.id; });
        }
    }
}

std::vector<InputRecord> HeldInputs::takeWhere(bool everyOwner, InputOwner owner) {
    Lock lock(busy_);
    std::vector<InputRecord> releases;
    for (std::size_t i = held_.size(); i-- > 0;) {
        const Entry entry = held_[i];
        if (!everyOwner && entry.owner != owner) continue;
        held_.erase(held_.begin() + static_cast<std::ptrdiff_t>(i));
        const std::uint32_t id = effectOf(entry.press).id;
        const bool stillHeld = std::any_of(
            held_.begin(), held_.end(), [&](const Entry& h) { return effectOf(h.press).id == id; });
        if (stillHeld) continue;
        if (const std::optional<InputRecord> up = releaseOf(entry.press)) releases.push_back(*up);
    }
    return releases;
}

std::vector<InputRecord> HeldInputs::takeReleases(InputOwner owner) {
    return takeWhere(false, owner);
}

std::vector<InputRecord> HeldInputs::takeAllReleases() {
    return takeWhere(true, 0);
}

bool HeldInputs::holdsKey(std::uint16_t virtualKey) const {
    Lock lock(busy_);
    return std::any_of(held_.begin(), held_.end(), [&](const Entry& h) {
        if (h.press.type != InputRecord::Keyboard) return false;
        const ModifierSet bit = modifierBit(h.press.virtualKey);
        return h.press.virtualKey == virtualKey || (bit != 0 && bit == modifierBit(virtualKey));
    });
}

bool HeldInputs::holdsAnything() const {
    Lock lock(busy_);
    return !held_.empty();
}

}  // namespace vela
