#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "core/KeyNames.h"
#include "core/ShortcutCapture.h"

namespace vela {
namespace {

struct EnglishOnly final : KeyNames {
    std::wstring keyName(std::uint16_t) override { return {}; }
};

// Plays steps written as the hook would report them, in hex: "+A2" a press of
// virtual key A2, "-A2" its release, "/21D" the scan code, "*" the extended
// flag; "list:7C" a key chosen from the list; "clear" the Clear button;
// "away" the dialog stopped listening for a while.
Shortcut capture(const std::string& steps) {
    ShortcutCapture capture;
    std::istringstream in(steps);
    for (std::string step; in >> step;) {
        if (step == "clear") {
            capture.clear();
        } else if (step == "away") {
            capture.stoppedListening();
        } else if (step.starts_with("list:")) {
            capture.chooseFromList(
                static_cast<ShortcutKey>(std::stoul(step.substr(5), nullptr, 16)));
        } else {
            CapturedKey key{.extended = step.back() == '*', .down = step[0] == '+'};
            std::size_t end = 0;
            key.virtualKey = std::stoul(step.substr(1), &end, 16);
            if (step[1 + end] == '/') key.scanCode = std::stoul(step.substr(2 + end), nullptr, 16);
            capture.onKey(key);
        }
    }
    return capture.shortcut();
}

TEST(ShortcutCapture, KeepsTheShortcutTheUserMeans) {
    // A2/A3 Ctrl, A0/A1 Shift, A4/A5 Alt, 5B Win, 54 T, 4B K, 51 Q.
    const struct {
        const char* what;
        std::string steps;
        std::wstring_view shortcut;
    } cases[] = {
        {"nothing yet", "", L""},
        {"modifiers and a key", "+A2 +A0 +54 -54 -A0 -A2", L"Ctrl+Shift+T"},
        {"complete at the key's press", "+A2 +A0 +54", L"Ctrl+Shift+T"},
        {"let go in any order", "+A2 +54 -A2 -54", L"Ctrl+T"},
        {"a modifier alone", "+A0 -A0", L"Shift"},
        {"modifiers alone: all of them", "+A2 +A0 -A0 -A2", L"Ctrl+Shift"},
        {"a modifier let go before the key", "+A2 +A0 -A0 +54", L"Ctrl+T"},
        {"a new shortcut once all was let go", "+A2 +54 -54 -A2 +A0 -A0", L"Shift"},
        {"a modifier after the key changes nothing", "+A2 +54 -54 +A0 -A0 -A2", L"Ctrl+T"},
        {"another key, the modifier still held", "+A2 +54 -54 +4B -4B -A2", L"Ctrl+K"},
        {"auto-repeats", "+A2 +A2 +54 +54 +A2 -54 -A2", L"Ctrl+T"},
        {"repeats after the modifier was let go", "+A2 +54 -A2 +54 +54 -54", L"Ctrl+T"},
        {"Windows and an arrow", "+A2 +5B* +27* -27* -5B* -A2", L"Ctrl+Win+Right"},
        {"the Windows key alone", "+5B* -5B*", L"Win"},
        {"Alt+F4", "+A4 +73 -73 -A4", L"Alt+F4"},
        {"Alt+Tab, twice", "+A4 +09 -09 +09 -09 -A4", L"Alt+Tab"},
        {"Escape", "+1B -1B", L"Esc"},
        {"Print Screen", "+2C/37* -2C/37*", L"Print Screen"},
        {"AltGr from Windows", "+A2/21D +A5/38* +51 -51 -A2/21D -A5/38*", L"Right Alt+Q"},
        {"AltGr alone from Windows", "+A2/21D +A5/38* -A2/21D -A5/38*", L"Right Alt"},
        {"AltGr from Wine", "+E4 +51 -51 -E4", L"Right Alt+Q"},
        {"keypad End, Shift, Num Lock on", "+A0/2A -A0/22A +23/4F -23/4F +A0/22A -A0/2A",
         L"Shift+End"},
        {"modifiers without a side", "+11/1D* +10/36 +12/38 +54", L"Right Ctrl+Right Shift+Alt+T"},
        {"a release whose press came before", "-0D +A2 -0D +54", L"Ctrl+T"},
        {"no key of the user's", "+E7 +FF/5E +0 +100", L""},
        {"the list keeps the modifiers", "+A3/1D* -A3/1D* list:7C", L"Right Ctrl+F13"},
        {"the list replaces the key", "+A2 +54 -54 -A2 list:101", L"Ctrl+Wheel Up"},
        {"the list after a modifier alone", "+A0 -A0 list:1", L"Shift+Left Button"},
        {"a press after the list starts anew", "list:7C +4B -4B", L"K"},
        {"cleared", "+A2 +54 clear", L""},
        {"cleared, a modifier still held", "+A2 clear +A4", L""},
        {"cleared, then a key", "+A2 +54 clear +4B", L"Ctrl+K"},
        {"kept while away", "+A2 +54 away", L"Ctrl+T"},
        {"what was held when it went away", "+A2 +54 away +A0 +4B", L"Shift+K"},
    };
    EnglishOnly names;
    for (const auto& c : cases)
        EXPECT_EQ(shortcutText(capture(c.steps), names), c.shortcut) << c.what;
}

}  // namespace
}  // namespace vela
