#include "core/ShortcutCapture.h"

#include <optional>

namespace vela {

namespace {

constexpr std::uint32_t kAddedBySystemMark = 0x200;
constexpr std::uint32_t kWineAltGr = 0xE4;
constexpr std::uint32_t kUnicodePacket = 0xE7;
constexpr std::uint32_t kRightShiftScanCode = 0x36;

// The key an event stands for; nullopt for an event that is no key press of
// the user's.
std::optional<ShortcutKey> keyOf(const CapturedKey& e) {
    if (e.scanCode & kAddedBySystemMark) return std::nullopt;
    switch (e.virtualKey) {
        case kWineAltGr:
            return 0xA5;
        case 0x10:
            return (e.scanCode & 0xFF) == kRightShiftScanCode ? 0xA1 : 0xA0;
        case 0x11:
            return e.extended ? 0xA3 : 0xA2;
        case 0x12:
            return e.extended ? 0xA5 : 0xA4;
        case kUnicodePacket:
            return std::nullopt;
        default:
            if (e.virtualKey > shortcutkey::LastVirtualKey) return std::nullopt;
            const auto key = static_cast<ShortcutKey>(e.virtualKey);
            return isKeyboardKey(key) ? std::optional<ShortcutKey>(key) : std::nullopt;
    }
}

}  // namespace

void ShortcutCapture::onKey(const CapturedKey& event) {
    const std::optional<ShortcutKey> key = keyOf(event);
    if (!key) return;
    const ModifierSet bit = modifierBit(*key);
    if (!event.down) {
        down_.reset(*key);
        held_ = static_cast<ModifierSet>(held_ & ~bit);
        return;
    }
    if (down_.test(*key)) return;  // an auto-repeat
    const bool fresh = down_.none();
    down_.set(*key);
    if (bit == 0) {
        shortcut_ = Shortcut(held_, *key);
        building_ = false;
        return;
    }
    held_ |= bit;
    if (fresh) {
        shortcut_ = Shortcut(bit, shortcutkey::None);
        building_ = true;
    } else if (building_) {
        shortcut_ = Shortcut(shortcut_.modifiers() | bit, shortcutkey::None);
    }
}

void ShortcutCapture::chooseFromList(ShortcutKey key) {
    shortcut_ = shortcut_.withKey(key);
    building_ = false;
}

void ShortcutCapture::stoppedListening() {
    down_.reset();
    held_ = 0;
    building_ = false;
}

void ShortcutCapture::clear() {
    shortcut_ = Shortcut();
    building_ = false;
}

}  // namespace vela
