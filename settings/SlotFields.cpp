#include "settings/SlotFields.h"

#include <algorithm>
#include <array>
#include <optional>
#include <type_traits>
#include <variant>

#include "core/ButtonTriggers.h"
#include "core/CaselessName.h"
#include "core/LeadingInteger.h"
#include "core/SlotOptions.h"
#include "core/StoredShortcut.h"
#include "core/TypedText.h"
#include "settings/IniValue.h"

namespace vela {

namespace {

// ---- The keys of a slot's section, one row per key ------------------------------

// The numbers the file gives a slot's function: a group, and in the key group
// the key function. Nowhere else does Vela see them.
enum class ActionGroup : std::int32_t {
    MouseGroup = 0,
    KeyGroup = 1,
};

enum class KeyAction : std::int32_t {
    SingleKey = 0,
    WinCombo = 1,
    CtrlCombo = 2,
    ShiftCombo = 3,
    AltCombo = 4,
    Launch = 5,
    Macro = 6,
    RepeatKey = 7,
    SwitchApps = 8,
    // Vela's own: outside the values above, so a reader that knows only those
    // (an older Vela, another host of the file) makes such a slot do nothing.
    Shortcut = 9,
    TypeText = 10,
    LayerWhileHeld = 11,
    Gestures = 12,
    DragScroll = 13,
};

constexpr std::int32_t raw(KeyAction v) {
    return static_cast<std::int32_t>(v);
}

// The plain key functions are numbered as their modifiers are.
static_assert(raw(KeyAction::SingleKey) == static_cast<int>(ChordModifier::None) &&
              raw(KeyAction::WinCombo) == static_cast<int>(ChordModifier::Windows) &&
              raw(KeyAction::CtrlCombo) == static_cast<int>(ChordModifier::Control) &&
              raw(KeyAction::ShiftCombo) == static_cast<int>(ChordModifier::Shift) &&
              raw(KeyAction::AltCombo) == static_cast<int>(ChordModifier::Alt));

// A slot's section as the file spells it: the assignment's own parts, and
// the function in the file's numbers.
struct Stored {
    ButtonAssignment a;
    std::int32_t keyAction = 0;
    std::uint8_t virtualKey = 0;
    std::int32_t mouseFunction = 0;
    std::wstring launchTarget;
    std::int32_t actionGroup = 0;
    std::wstring macroName;
    Shortcut shortcut;
    std::wstring typedText;
    std::int32_t gestureRepeat = 0;  // a bit per direction, from Up
    std::int32_t scrollLock = 1;
    std::int32_t scrollSpeed = 100;
    std::wstring layerOwnClick;  // a flag; none: as the button does by default
};

using A = ButtonAssignment;
using S = Stored;
using Member = std::variant<std::wstring A::*, bool A::*, std::wstring S::*, std::int32_t S::*,
                            std::uint8_t S::*, Shortcut S::*>;

template <typename T>
T& partOf(Stored& s, T A::*member) {
    return s.a.*member;
}
template <typename T>
T& partOf(Stored& s, T S::*member) {
    return s.*member;
}

// Which of the function's keys a function spells; the others keep what the
// file holds, so a value another function left there survives.
enum class Says : std::uint8_t {
    Always,  // a part of the assignment itself
    Group,
    KeyFunction,
    VirtualKey,
    MouseFunction,
    Target,
    Script,
    Keys,
    Text,
    Gestures,
    Scroll,
    LayerClick,
};

// When a key is written, if the slot's function does not spell it.
enum class Written {
    Always,    // what the file had there, else the default
    WhenOn,    // a flag, only while set: a file without it means what it always meant
    WhenSaid,  // only while the function spells it
};

// How a text is read: whole, however long; trimmed of blanks at both ends;
// or cut to what one press types.
enum class Read {
    Whole,
    Trimmed,
    TypingLimit,
};

// A flag is "1" or "0", read as any number other than 0; numbers are read as
// the C runtime would, a key's code keeping its low byte; a chord as
// core/StoredShortcut.h writes it, anything else in its place read as none.
struct Field {
    std::wstring_view key;
    Member member;
    Says says = Says::Always;
    Read read = Read::Whole;
    Written written = Written::Always;
};

constexpr std::array kAssignmentFields{
    Field{kCaptionKey, &A::caption, Says::Always, Read::Trimmed},
    Field{L"1", &A::remapped},
    Field{L"2", &S::keyAction, Says::KeyFunction},
    Field{L"3", &S::virtualKey, Says::VirtualKey},
    Field{L"4", &S::mouseFunction, Says::MouseFunction},
    Field{L"5", &S::launchTarget, Says::Target},
    Field{L"6", &S::actionGroup, Says::Group},
    Field{L"7", &S::macroName, Says::Script, Read::Whole, Written::WhenSaid},
    Field{kDescriptionKey, &A::description, Says::Always, Read::Trimmed},
    // Keys of Vela's own, which a reader of the keys above passes over.
    Field{L"Keys", &S::shortcut, Says::Keys, Read::Whole, Written::WhenSaid},
    Field{L"Text", &S::typedText, Says::Text, Read::TypingLimit, Written::WhenSaid},
    Field{L"Repeat", &S::gestureRepeat, Says::Gestures, Read::Whole, Written::WhenSaid},
    Field{L"ScrollLock", &S::scrollLock, Says::Scroll, Read::Whole, Written::WhenSaid},
    Field{L"ScrollSpeed", &S::scrollSpeed, Says::Scroll, Read::Whole, Written::WhenSaid},
    Field{L"OwnClick", &S::layerOwnClick, Says::LayerClick, Read::Whole, Written::WhenSaid},
};

// The functions of a button's other triggers, each under the slot's keys
// with a prefix of its own ("Up.2", "X1.Long.4" in a profile): a reader of
// the keys above passes over them.
struct TriggerKey {
    std::wstring_view prefix;
    std::optional<Action> TriggerFunctions::*function = nullptr;
    std::size_t direction = 0;  // for the gestures'
};
constexpr std::array kTriggerKeys{
    TriggerKey{L"Up.", nullptr, 0},
    TriggerKey{L"Down.", nullptr, 1},
    TriggerKey{L"Left.", nullptr, 2},
    TriggerKey{L"Right.", nullptr, 3},
    TriggerKey{L"Click.", &TriggerFunctions::click},
    TriggerKey{L"Double.", &TriggerFunctions::doubleClick},
    TriggerKey{L"Long.", &TriggerFunctions::longPress},
};

std::optional<Action>& functionOf(TriggerFunctions& t, const TriggerKey& key) {
    return key.function ? t.*key.function : t.gestures[key.direction];
}

// A key of a trigger's function without its prefix, or none.
std::optional<std::wstring_view> triggerField(std::wstring_view key) {
    for (const TriggerKey& t : kTriggerKeys)
        if (key.size() > t.prefix.size() && sameCaseless(key.substr(0, t.prefix.size()), t.prefix))
            return key.substr(t.prefix.size());
    return std::nullopt;
}

// The assignment's fields, then each per-slot option's flag.
constexpr auto kFields = [] {
    std::array<Field, kAssignmentFields.size() + kSlotOptions.size()> all{};
    std::size_t n = 0;
    for (const Field& field : kAssignmentFields) all[n++] = field;
    for (const SlotOption& option : kSlotOptions)
        all[n++] =
            Field{option.settingsKey, option.flag, Says::Always, Read::Whole, Written::WhenOn};
    return all;
}();

constexpr bool keysApart() {
    for (std::size_t i = 0; i < kFields.size(); ++i)
        for (std::size_t j = i + 1; j < kFields.size(); ++j)
            if (kFields[i].key == kFields[j].key || kFields[i].member == kFields[j].member)
                return false;
    return true;
}
static_assert(keysApart(), "each field has a key of its own");

using SaysSet = std::uint16_t;
constexpr SaysSet bit(Says says) {
    return static_cast<SaysSet>(1u << static_cast<unsigned>(says));
}

// The function the file's numbers name; one this Vela does not know is kept
// as read.
Action actionOf(const Stored& s) {
    const action::Unknown unknown{s.actionGroup, s.keyAction, s.mouseFunction};
    if (s.actionGroup == static_cast<std::int32_t>(ActionGroup::MouseGroup)) {
        if (s.mouseFunction < 0 || s.mouseFunction >= static_cast<int>(kMouseFunctionCount))
            return unknown;
        return action::Mouse{static_cast<MouseFunction>(s.mouseFunction)};
    }
    if (s.actionGroup != static_cast<std::int32_t>(ActionGroup::KeyGroup)) return unknown;
    switch (s.keyAction) {
        case raw(KeyAction::SingleKey):
        case raw(KeyAction::WinCombo):
        case raw(KeyAction::CtrlCombo):
        case raw(KeyAction::ShiftCombo):
        case raw(KeyAction::AltCombo):
            return action::Key{static_cast<ChordModifier>(s.keyAction), s.virtualKey};
        case raw(KeyAction::Launch):
            return action::Launch{s.launchTarget};
        case raw(KeyAction::Macro):
            return action::Macro{s.macroName, s.virtualKey};
        case raw(KeyAction::RepeatKey):
            return action::RepeatKey{s.virtualKey};
        case raw(KeyAction::SwitchApps):
            return action::SwitchApps{};
        case raw(KeyAction::Shortcut):
            return action::PressShortcut{s.shortcut};
        case raw(KeyAction::TypeText):
            return action::TypeText{s.typedText};
        case raw(KeyAction::LayerWhileHeld):
            return action::LayerWhileHeld{
                s.layerOwnClick.empty() ? std::nullopt
                                        : std::optional(parseLeadingInt(s.layerOwnClick) != 0)};
        case raw(KeyAction::Gestures): {
            action::Gestures g;
            for (std::size_t d = 0; d < g.repeat.size(); ++d)
                g.repeat[d] = (s.gestureRepeat >> d & 1) != 0;
            return g;
        }
        case raw(KeyAction::DragScroll):
            return action::DragScroll{s.scrollLock != 0,
                                      static_cast<std::uint16_t>(std::clamp<std::int32_t>(
                                          s.scrollSpeed, kMinScrollSpeed, kMaxScrollSpeed))};
        default:
            return unknown;
    }
}

// The assignment spelt as the file spells it, and which keys its function
// spells.
Stored storedOf(const ButtonAssignment& a, SaysSet& says) {
    Stored s;
    s.a = a;
    s.actionGroup = static_cast<std::int32_t>(ActionGroup::KeyGroup);
    says = bit(Says::Always) | bit(Says::Group) | bit(Says::KeyFunction);
    const auto keyFunction = [&](KeyAction k, std::initializer_list<Says> more = {}) {
        s.keyAction = raw(k);
        for (Says m : more) says |= bit(m);
    };
    std::visit(Cases{
                   [&](const action::Mouse& f) {
                       s.actionGroup = static_cast<std::int32_t>(ActionGroup::MouseGroup);
                       s.mouseFunction = static_cast<std::int32_t>(f.function);
                       says = bit(Says::Always) | bit(Says::Group) | bit(Says::MouseFunction);
                   },
                   [&](const action::Key& f) {
                       keyFunction(static_cast<KeyAction>(f.modifier), {Says::VirtualKey});
                       s.virtualKey = f.virtualKey;
                   },
                   [&](const action::Launch& f) {
                       keyFunction(KeyAction::Launch, {Says::Target});
                       s.launchTarget = f.target;
                   },
                   [&](const action::Macro& f) {
                       // The script's name only while the slot plays one.
                       keyFunction(KeyAction::Macro, {Says::VirtualKey});
                       if (a.remapped) says |= bit(Says::Script);
                       s.macroName = f.script;
                       s.virtualKey = f.virtualKey;
                   },
                   [&](const action::RepeatKey& f) {
                       keyFunction(KeyAction::RepeatKey, {Says::VirtualKey});
                       s.virtualKey = f.virtualKey;
                   },
                   [&](const action::SwitchApps&) { keyFunction(KeyAction::SwitchApps); },
                   [&](const action::PressShortcut& f) {
                       keyFunction(KeyAction::Shortcut, {Says::Keys});
                       s.shortcut = f.shortcut;
                   },
                   [&](const action::TypeText& f) {
                       keyFunction(KeyAction::TypeText, {Says::Text});
                       s.typedText = f.text;
                   },
                   [&](const action::LayerWhileHeld& f) {
                       keyFunction(KeyAction::LayerWhileHeld);
                       if (!f.ownClick) return;
                       says |= bit(Says::LayerClick);
                       s.layerOwnClick = *f.ownClick ? L"1" : L"0";
                   },
                   [&](const action::Gestures& f) {
                       keyFunction(KeyAction::Gestures, {Says::Gestures});
                       s.gestureRepeat = 0;
                       for (std::size_t d = 0; d < f.repeat.size(); ++d)
                           s.gestureRepeat |= (f.repeat[d] ? 1 : 0) << d;
                   },
                   [&](const action::DragScroll& f) {
                       keyFunction(KeyAction::DragScroll, {Says::Scroll});
                       s.scrollLock = f.axisLock ? 1 : 0;
                       s.scrollSpeed = f.speed;
                   },
                   [&](const action::Unknown& f) {
                       s.actionGroup = f.group;
                       s.keyAction = f.keyFunction;
                       s.mouseFunction = f.mouseFunction;
                       says |= bit(Says::MouseFunction);
                   },
               },
               a.action);
    return s;
}

class SectionReader {
public:
    SectionReader(const IniDocument& doc, std::wstring_view section)
        : doc_(doc), section_(section) {}

    // A missing key reads as empty; a value is read whole, however long.
    std::wstring text(std::wstring_view k) const {
        const auto raw = doc_.rawValue(section_, k);
        return raw ? decodeIniValue(*raw) : std::wstring();
    }

private:
    const IniDocument& doc_;
    std::wstring_view section_;
};

// A slot's fields from keys named `prefix` + the key ("0", or "X1.0" in a
// profile section).
Stored readStored(const SectionReader& read, std::wstring_view prefix) {
    Stored s;
    for (const Field& field : kFields) {
        const std::wstring text = read.text(std::wstring(prefix) + std::wstring(field.key));
        std::visit(
            [&](auto member) {
                auto& part = partOf(s, member);
                using T = std::remove_reference_t<decltype(part)>;
                if constexpr (std::is_same_v<T, std::wstring>) {
                    switch (field.read) {
                        case Read::Whole:
                            part = text;
                            break;
                        case Read::Trimmed:
                            part = std::wstring(trimBlanks(text));
                            break;
                        case Read::TypingLimit:
                            part = std::wstring(clipTypedText(text));
                            break;
                    }
                } else if constexpr (std::is_same_v<T, Shortcut>) {
                    part = parseStoredShortcut(text).value_or(Shortcut());
                } else if constexpr (std::is_same_v<T, bool>) {
                    part = parseLeadingInt(text) != 0;
                } else {
                    part = static_cast<T>(parseLeadingInt(text) & (sizeof(T) == 1 ? 0xFF : ~0));
                }
            },
            field.member);
    }
    return s;
}

}  // namespace

bool isSlotFieldKey(std::wstring_view key) {
    if (const auto field = triggerField(key)) key = *field;
    return std::any_of(kFields.begin(), kFields.end(),
                       [&](const Field& field) { return sameCaseless(key, field.key); });
}

bool fieldReads(std::wstring_view key, std::wstring_view value) {
    if (const auto inner = triggerField(key)) key = *inner;
    const auto field = std::find_if(kFields.begin(), kFields.end(),
                                    [&](const Field& f) { return sameCaseless(key, f.key); });
    if (field == kFields.end()) return false;
    const std::wstring text = decodeIniValue(value);
    return std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(partOf(std::declval<Stored&>(), member))>;
            if constexpr (std::is_same_v<T, std::wstring>) {
                return true;
            } else if constexpr (std::is_same_v<T, Shortcut>) {
                // Empty is none, as a slot without a chord writes it.
                return text.empty() || parseStoredShortcut(text).has_value();
            } else {
                std::wstring_view digits = trimBlanks(text);
                if (!digits.empty() && (digits.front() == L'-' || digits.front() == L'+'))
                    digits.remove_prefix(1);
                return !digits.empty() && std::all_of(digits.begin(), digits.end(), [](wchar_t c) {
                    return c >= L'0' && c <= L'9';
                });
            }
        },
        field->member);
}

ButtonAssignment readFields(const IniDocument& doc, std::wstring_view section,
                            std::wstring_view prefix) {
    const SectionReader read(doc, section);
    Stored s = readStored(read, prefix);
    s.a.action = actionOf(s);
    for (const TriggerKey& key : kTriggerKeys) {
        const Stored t = readStored(read, std::wstring(prefix) + std::wstring(key.prefix));
        Action function = actionOf(t);
        // A trigger's function is one press's: never another trigger's owner.
        if (!t.a.remapped || holds<action::Gestures>(function) ||
            holds<action::DragScroll>(function) || holds<action::LayerWhileHeld>(function))
            continue;
        functionOf(s.a.triggers, key) = std::move(function);
    }
    return s.a;
}

void writeFields(IniDocument& doc, const IniDocument& before, std::wstring_view section,
                 std::wstring_view prefix, const ButtonAssignment& a) {
    SaysSet says = 0;
    Stored out = storedOf(a, says);
    Stored kept = readStored(SectionReader(before, section), prefix);
    for (const Field& field : kFields) {
        const std::wstring key = std::wstring(prefix) + std::wstring(field.key);
        const bool said = (says & bit(field.says)) != 0;
        if (field.written == Written::WhenSaid && !said) continue;
        if (field.written == Written::WhenOn && !(a.*std::get<bool A::*>(field.member))) continue;
        const std::wstring value = std::visit(
            [&](auto member) -> std::wstring {
                auto& v = partOf(out, member);
                using T = std::remove_cvref_t<decltype(v)>;
                if (!said) v = before.rawValue(section, key) ? partOf(kept, member) : T{};
                if constexpr (std::is_same_v<T, std::wstring>) {
                    return v;
                } else if constexpr (std::is_same_v<T, Shortcut>) {
                    return storedShortcut(v);
                } else if constexpr (std::is_same_v<T, bool>) {
                    return v ? L"1" : L"0";
                } else {
                    return std::to_wstring(v);
                }
            },
            field.member);
        doc.writeValue(section, key, encodeIniValue(value));
    }
    TriggerFunctions triggers = a.triggers;
    for (const TriggerKey& key : kTriggerKeys) {
        if (const std::optional<Action>& function = functionOf(triggers, key)) {
            ButtonAssignment one;
            one.remapped = true;
            one.action = *function;
            writeFields(doc, before, section, std::wstring(prefix) + std::wstring(key.prefix), one);
        }
    }
}

}  // namespace vela
