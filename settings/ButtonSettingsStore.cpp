#include "settings/ButtonSettingsStore.h"

#include <algorithm>
#include <array>
#include <functional>
#include <type_traits>
#include <variant>

#include "core/CaselessName.h"
#include "core/LayerButton.h"
#include "core/LeadingInteger.h"
#include "core/ProgramFiles.h"
#include "core/SlotOptions.h"
#include "core/StoredShortcut.h"
#include "core/TypedText.h"
#include "settings/AtomicReplace.h"
#include "settings/IniValue.h"
#include "settings/SettingsText.h"

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

constexpr std::wstring_view kCaptionKey = L"0";
constexpr std::wstring_view kDescriptionKey = L"8";

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
};

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
            return action::LayerWhileHeld{};
        default:
            return unknown;
    }
}

template <class... F>
struct Cases : F... {
    using F::operator()...;
};

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
                   [&](const action::LayerWhileHeld&) { keyFunction(KeyAction::LayerWhileHeld); },
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

ButtonAssignment readFields(const SectionReader& read, std::wstring_view prefix) {
    Stored s = readStored(read, prefix);
    s.a.action = actionOf(s);
    return s.a;
}

// The keys the slot's function does not spell keep what `before` (the file
// as it was) held there, as Vela would write it; a key it did not hold gets
// the default.
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
}

constexpr std::wstring_view kProfilesSection = L"Profiles";

std::wstring slotPrefix(const SlotInfo& info) {
    return std::wstring(info.name.begin(), info.name.end()) + L".";
}

// The keys Vela writes in a profile's section: a slot's name, a dot and one
// of a slot's keys ("X1.0", "R.Hold"). Nothing else there is Vela's.
bool isProfileKey(std::wstring_view name) {
    for (const SlotInfo& info : kSlotTable) {
        const std::wstring prefix = slotPrefix(info);
        if (name.size() <= prefix.size() || !sameCaseless(name.substr(0, prefix.size()), prefix))
            continue;
        const std::wstring_view key = name.substr(prefix.size());
        return std::any_of(kFields.begin(), kFields.end(),
                           [&](const Field& field) { return sameCaseless(key, field.key); });
    }
    return false;
}

bool isNumber(std::wstring_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// The programs the "[Profiles]" list names, in the order of their numbers,
// however many there are and whatever gaps the numbering has; an empty entry
// names none. Names are taken exactly as they read back.
std::vector<std::wstring> listedPrograms(const IniDocument& doc) {
    struct Entry {
        std::wstring_view number;  // leading zeros off
        std::wstring program;
    };
    const std::vector<std::wstring> keys = doc.keyNames(kProfilesSection);
    std::vector<Entry> entries;
    for (const std::wstring& k : keys) {
        if (!isNumber(k)) continue;
        std::wstring program = decodeIniValue(doc.rawValue(kProfilesSection, k).value_or(L""));
        if (trimBlanks(program).empty()) continue;
        std::wstring_view number = k;
        while (number.size() > 1 && number.front() == L'0') number.remove_prefix(1);
        entries.push_back({number, std::move(program)});
    }
    // By value, without limit on the digits: a shorter number is smaller.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.number.size() != b.number.size() ? a.number.size() < b.number.size()
                                                  : a.number < b.number;
    });
    std::vector<std::wstring> programs;
    for (Entry& e : entries) programs.push_back(std::move(e.program));
    return programs;
}

// The "[Mouse]" section's keys and values as they read.
KeyValues mouseSection(const IniDocument& doc) {
    KeyValues values;
    for (std::wstring& key : doc.keyNames(kMouseTuningSection)) {
        std::wstring value = decodeIniValue(doc.rawValue(kMouseTuningSection, key).value_or(L""));
        values.emplace_back(std::move(key), std::move(value));
    }
    return values;
}

// The section an overlay lives in: its program's name, or "Layer:X2".
std::wstring sectionOf(const OverlayKey& key) {
    if (const std::wstring* program = programOf(key)) return *program;
    const std::string_view button = slotInfo(*buttonOf(key)).name;
    return L"Layer:" + std::wstring(button.begin(), button.end());
}

// Each overlay the file holds: the programs of the "[Profiles]" list, then
// the layer of each button whose section holds a key of Vela's.
void forEachStoredOverlay(const IniDocument& doc, const std::function<void(const OverlayKey&)>& f) {
    for (std::wstring& program : listedPrograms(doc)) f(ProgramKey{std::move(program)});
    for (const SlotInfo& info : kSlotTable) {
        if (!canCarryLayer(info.trigger)) continue;
        const std::vector<std::wstring> names = doc.keyNames(sectionOf(LayerKey{info.slot}));
        if (std::any_of(names.begin(), names.end(), isProfileKey)) f(LayerKey{info.slot});
    }
}

// The function an overlay's section gives the slot, if it gives one.
std::optional<ButtonAssignment> readSetSlot(const IniDocument& doc, std::wstring_view section,
                                            const SlotInfo& info) {
    const std::wstring prefix = slotPrefix(info);
    if (!doc.rawValue(section, prefix + std::wstring(kCaptionKey))) return std::nullopt;
    ButtonAssignment a = readFields(SectionReader(doc, section), prefix);
    if (a.shortcutMissing()) {
        a.caption = std::wstring(kUnreadableShortcutCaption);
    } else if (a.caption.empty()) {
        a.caption = std::wstring(info.nativeCaption);
    }
    return a;
}

// The slots an overlay's section sets (a layer's tap among them), and its own
// notes for those it does not; a layer's button has a tap, never a note.
void readOverlay(const IniDocument& doc, Overlay& overlay) {
    const std::wstring section = sectionOf(overlay.key);
    const SectionReader read(doc, section);
    for (const SlotInfo& info : kSlotTable) {
        overlay.slots[info.slot] = readSetSlot(doc, section, info);
        if (overlay.slots[info.slot] || info.slot == buttonOf(overlay.key)) continue;
        // No function of its own: perhaps a note of its own.
        const std::wstring note = slotPrefix(info) + std::wstring(kDescriptionKey);
        if (doc.rawValue(section, note))
            overlay.notes[info.slot] = std::wstring(trimBlanks(read.text(note)));
    }
}

void writeOverlay(IniDocument& doc, const IniDocument& before, const Overlay& overlay) {
    const std::wstring section = sectionOf(overlay.key);
    const std::optional<Slot> button = buttonOf(overlay.key);
    for (const SlotInfo& info : kSlotTable) {
        if (info.slot == button) continue;
        if (const auto& a = overlay.slots[info.slot]) {
            writeFields(doc, before, section, slotPrefix(info), *a);
        } else if (const auto& note = overlay.notes[info.slot]) {
            doc.writeValue(section, slotPrefix(info) + std::wstring(kDescriptionKey),
                           encodeIniValue(*note));
        }
    }
    // A layer's tap last; one that is the button itself, as made, needs no
    // keys.
    if (button && tapOf(&overlay) != ButtonAssignment())
        writeFields(doc, before, section, slotPrefix(slotInfo(*button)), tapOf(&overlay));
}

}  // namespace

ButtonSettingsStore::ButtonSettingsStore(SlotModel& model, MacroLoaderPort& macros,
                                         SettingsStorePorts ports, std::wstring modulePath,
                                         bool tiltSupported)
    : model_(model),
      macros_(macros),
      ports_(ports),
      modulePath_(std::move(modulePath)),
      tiltSupported_(tiltSupported),
      path_(settingsPathFor(modulePath_)) {}

std::wstring ButtonSettingsStore::settingsPath() const {
    return settingsPathFor(modulePath_);
}

void ButtonSettingsStore::useFallback(std::wstring perUserPath,
                                      std::function<void(const std::wstring&)> tell) {
    perUserPath_ = std::move(perUserPath);
    tell_ = std::move(tell);
}

// Whether a file can be made in the program's folder: the only sure test.
bool ButtonSettingsStore::canWriteBeside() {
    const auto probe = ports_.files.createTempBeside(settingsPath());
    if (!probe) return false;
    ports_.files.removeFile(*probe);
    return true;
}

void ButtonSettingsStore::switchToFallback() {
    path_ = perUserPath_;
    if (toldFallback_) return;
    toldFallback_ = true;
    if (tell_) tell_(std::wstring(moduleFolderOf(modulePath_)));
}

std::optional<std::vector<std::uint8_t>> ButtonSettingsStore::readCurrent(bool& unreadable) {
    std::wstring source = path_;
    if (path_ != settingsPath() && !ports_.files.exists(path_)) source = settingsPath();
    auto bytes = ports_.files.readAll(source);
    unreadable = !bytes && ports_.files.exists(source);
    return bytes;
}

void ButtonSettingsStore::loadAll() {
    for (const std::wstring& path : {settingsPath(), perUserPath_}) {
        if (path.empty()) continue;
        for (const std::wstring& stale : ports_.files.tempFilesBeside(path))
            ports_.files.removeFile(stale);
    }
    if (!perUserPath_.empty() && !canWriteBeside()) switchToFallback();
    bool unreadable = false;
    const auto bytes = readCurrent(unreadable);
    const IniDocument doc =
        bytes ? IniDocument(decodeSettingsText(*bytes, ports_.ansi).text) : IniDocument();
    for (const SlotInfo& info : kSlotTable) {
        const ButtonAssignment stored = readFields(SectionReader(doc, info.section), L"");
        ButtonAssignment& a = model_.at(info.slot);

        // Every stored field but these two, which follow here: the caption
        // falls back, and an empty note leaves the model's.
        ButtonAssignment loaded = stored;
        if (info.needsTilt && !tiltSupported_) {
            loaded.caption = kNotSupportCaption;
        } else if (stored.shortcutMissing()) {
            loaded.caption = kUnreadableShortcutCaption;
        } else if (stored.caption.empty()) {
            loaded.caption = info.nativeCaption;
        }
        if (stored.description.empty()) loaded.description = a.description;
        a = loaded;
        ports_.view.setCaption(info.slot, a.caption);

        // The script is complete before the hook can report a press.
        if (const auto* macro = a.as<action::Macro>()) {
            model_.activeSlot = number(info.slot);
            macros_.LoadMacroScript(model_.activeSlot, macro->script);
        }
        model_.followRemapped(info.slot);

        ports_.view.setDescriptionLabel(info.slot, stored.description.empty()
                                                       ? std::wstring(info.defaultLabel)
                                                       : stored.description);
    }
    if (overlays_) loadOverlays(doc);
    if (tuning_) *tuning_ = fromKeyValues(mouseSection(doc));
}

std::wstring ButtonSettingsStore::savedText(std::wstring_view current) const {
    IniDocument doc(current);
    const IniDocument before = doc;
    for (const SlotInfo& info : kSlotTable) {
        // Deleted first, so that keys we no longer write (a stale "7") go.
        doc.deleteSection(info.section);
        writeFields(doc, before, info.section, L"", model_.at(info.slot));
    }
    if (overlays_) saveProfiles(doc, before);
    if (tuning_) saveMouseTuning(doc);
    // The layers after the mouse section, where they have always been.
    if (overlays_) saveLayers(doc, before);
    return doc.text();
}

void ButtonSettingsStore::loadOverlays(const IniDocument& doc) {
    forEachStoredOverlay(doc,
                         [&](const OverlayKey& key) { readOverlay(doc, overlays_->add(key)); });
}

void ButtonSettingsStore::saveProfiles(IniDocument& doc, const IniDocument& before) const {
    // Vela's keys go from the section of every overlay the file held and of
    // every one now, so a deleted profile or layer or a slot it no longer sets
    // leaves nothing behind, and a section left over from an older list gives
    // the profile of its name nothing. Keys that are not Vela's stay where
    // they are, and so does a section that still holds any.
    const auto clear = [&](const OverlayKey& key) { doc.deleteKeys(sectionOf(key), isProfileKey); };
    forEachStoredOverlay(doc, clear);
    for (const Overlay& overlay : overlays_->all()) clear(overlay.key);
    doc.deleteSection(kProfilesSection);
    int n = 0;
    for (const Overlay* profile : overlays_->profiles()) {
        doc.writeValue(kProfilesSection, std::to_wstring(++n),
                       encodeIniValue(*programOf(profile->key)));
        writeOverlay(doc, before, *profile);
    }
}

void ButtonSettingsStore::saveLayers(IniDocument& doc, const IniDocument& before) const {
    for (const SlotInfo& info : kSlotTable)
        if (const Overlay* layer = overlays_->find(LayerKey{info.slot}))
            writeOverlay(doc, before, *layer);
}

void ButtonSettingsStore::saveMouseTuning(IniDocument& doc) const {
    const KeyValues stored = toKeyValues(fromKeyValues(mouseSection(doc)));
    const KeyValues wanted = toKeyValues(clamped(*tuning_));
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (stored[i] != wanted[i])
            doc.writeValue(kMouseTuningSection, wanted[i].first, encodeIniValue(wanted[i].second));
    }
}

bool ButtonSettingsStore::writeTo(const std::wstring& path, std::span<const std::uint8_t> bytes) {
    if (path != settingsPath()) {
        const std::wstring folder(moduleFolderOf(path));
        if (!folder.empty()) ports_.files.createFolder(folder);
    }
    return replaceFile(ports_.files, path, bytes);
}

void ButtonSettingsStore::saveAll() {
    bool unreadable = false;
    const auto bytes = readCurrent(unreadable);
    // A file that is there but cannot be read may hold sections of other
    // programs: writing ours over it would throw them away. Keep it as it is.
    if (unreadable) return;
    // A new file is UTF-16LE; an existing one keeps its form, unless it is
    // ANSI and a value needs a character the code page has not, when it turns
    // UTF-16LE as the platform's profile functions would make it.
    const DecodedText current = bytes ? decodeSettingsText(*bytes, ports_.ansi)
                                      : DecodedText{std::wstring(), TextEncoding::Utf16Le};
    const std::wstring text = savedText(current.text);
    auto encoded = encodeSettingsText(text, current.encoding, ports_.ansi);
    if (!encoded) encoded = encodeUtf16LeWithBom(text);
    if (writeTo(path_, *encoded)) return;
    // The program's folder stopped taking writes: the per-user file takes
    // this save and every later one. Any other failure changes nothing and
    // is not reported; the next save retries.
    if (path_ == settingsPath() && !perUserPath_.empty() && !canWriteBeside()) {
        switchToFallback();
        static_cast<void>(writeTo(path_, *encoded));
    }
}

}  // namespace vela
