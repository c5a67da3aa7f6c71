// Every function a slot can be given, as one ordered table.
//
// The function menu is built from these tables and the command handler looks
// an id up here, so a menu text, id or stored value lives in exactly one place.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/Assignment.h"
#include "core/MessageIds.h"

namespace vela::menu {

// The levels of the menu tree. The root holds "No Settings" and the top
// categories; "Combination" holds only the two sub-categories.
enum class MenuLevel : std::uint8_t {
    Root,
    Mouse,
    OfficeUsed,
    Combination,
    Word,
    Archives,
    Multimedia,
    NetWork,
    System,
    Win8ShortCut,
};

// Bitmap resources painted behind the rows of a level.
inline constexpr int kRootBackgroundBitmap = 150;
inline constexpr int kSubmenuBackgroundBitmap = 156;
inline constexpr int kWin8BackgroundBitmap = 157;
// The icon every row carries.
inline constexpr int kMenuItemIcon = 135;

struct CatalogueCategory {
    MenuLevel level;
    MenuLevel parent;
    std::wstring_view caption;  // as shown, trailing spaces included
    int backgroundBitmap;
    bool win8Only;  // offered only when win8MenuEnabled
};

// In menu order within each parent. The root comes first and has no caption.
inline constexpr std::array<CatalogueCategory, 10> kCatalogueCategories{{
    {MenuLevel::Root, MenuLevel::Root, L"", kRootBackgroundBitmap, false},
    {MenuLevel::Mouse, MenuLevel::Root, L"Mouse", kSubmenuBackgroundBitmap, false},
    {MenuLevel::OfficeUsed, MenuLevel::Root, L"Office Used", kSubmenuBackgroundBitmap, false},
    {MenuLevel::Combination, MenuLevel::Root, L"Combination", kSubmenuBackgroundBitmap, false},
    {MenuLevel::Word, MenuLevel::Combination, L"Word ", kSubmenuBackgroundBitmap, false},
    {MenuLevel::Archives, MenuLevel::Combination, L"Archives ", kSubmenuBackgroundBitmap, false},
    {MenuLevel::Multimedia, MenuLevel::Root, L"Multimedia", kSubmenuBackgroundBitmap, false},
    {MenuLevel::NetWork, MenuLevel::Root, L"NetWork", kSubmenuBackgroundBitmap, false},
    {MenuLevel::System, MenuLevel::Root, L"System", kSubmenuBackgroundBitmap, false},
    {MenuLevel::Win8ShortCut, MenuLevel::Root, L"Win8 ShortCut", kWin8BackgroundBitmap, true},
}};

// What choosing an entry does to the active slot.
enum class EntryKind : std::uint8_t {
    RestoreOwnFunction,  // "No Settings"
    Mouse,               // a click or a notch: `mouse`
    Key,                 // `virtualKey` with `modifier` held around it
    Launch,              // opens `launchTarget`
    SwitchApps,          // the system's task switcher
    ChooseProgram,       // "Run Software": ask for a program, then Launch it
    ChooseShortcut,      // ask for a shortcut pressed on the keyboard, then press it
    ChooseText,          // ask for a text, then type it
    LayerWhileHeld,      // the button's layer while it is held; offered on the buttons only
    Gestures,            // four directions and a click, chosen in the gestures dialog
    DragScroll,          // movement while held scrolls
    DoubleClick,         // the function menu again, for the button's double click
    LongPress,           // the same, for its long press
};

// The rows a button offers outside a layer, besides the catalogue's others.
constexpr bool isButtonRow(EntryKind kind) {
    return kind == EntryKind::LayerWhileHeld || kind == EntryKind::Gestures ||
           kind == EntryKind::DragScroll || kind == EntryKind::DoubleClick ||
           kind == EntryKind::LongPress;
}

struct CatalogueEntry {
    MenuLevel level;
    std::wstring_view menuText;
    std::uint16_t commandId;
    EntryKind kind;
    MouseFunction mouse = MouseFunction::LeftClick;  // Mouse entries only
    ChordModifier modifier = ChordModifier::None;    // Key entries only
    std::uint8_t virtualKey = 0;                     // Key entries only
    std::wstring_view launchTarget;                  // Launch entries only
    std::wstring_view slotCaption;                   // written to the caption button
};

namespace detail {

constexpr CatalogueEntry mouse(MenuLevel level, std::wstring_view text, std::uint16_t id,
                               MouseFunction f, std::wstring_view caption) {
    return {level, text, id, EntryKind::Mouse, f, ChordModifier::None, 0, {}, caption};
}

constexpr CatalogueEntry key(MenuLevel level, std::wstring_view text, std::uint16_t id,
                             ChordModifier modifier, std::uint8_t vk, std::wstring_view caption) {
    return {level, text, id, EntryKind::Key, MouseFunction::LeftClick, modifier, vk, {}, caption};
}

constexpr CatalogueEntry launch(MenuLevel level, std::wstring_view text, std::uint16_t id,
                                std::wstring_view target, std::wstring_view caption) {
    return {level, text,   id,     EntryKind::Launch, MouseFunction::LeftClick, ChordModifier::None,
            0,     target, caption};
}

constexpr CatalogueEntry ask(EntryKind kind, MenuLevel level, std::wstring_view text,
                             std::uint16_t id, std::wstring_view caption = {}) {
    return {level, text, id, kind, MouseFunction::LeftClick, ChordModifier::None, 0, {}, caption};
}

// The caption of "No Settings" and "Run Software" is decided when they are
// chosen; that of a shortcut or a text is what the user chose.
constexpr CatalogueEntry restoreOwnFunction(MenuLevel level, std::wstring_view text,
                                            std::uint16_t id) {
    return ask(EntryKind::RestoreOwnFunction, level, text, id);
}
constexpr CatalogueEntry chooseProgram(MenuLevel level, std::wstring_view text, std::uint16_t id) {
    return ask(EntryKind::ChooseProgram, level, text, id);
}
constexpr CatalogueEntry chooseShortcut(MenuLevel level, std::wstring_view text, std::uint16_t id) {
    return ask(EntryKind::ChooseShortcut, level, text, id);
}
constexpr CatalogueEntry chooseText(MenuLevel level, std::wstring_view text, std::uint16_t id) {
    return ask(EntryKind::ChooseText, level, text, id);
}
constexpr CatalogueEntry layerWhileHeld(MenuLevel level, std::wstring_view text, std::uint16_t id) {
    return ask(EntryKind::LayerWhileHeld, level, text, id, text);
}
constexpr CatalogueEntry switchApps(MenuLevel level, std::wstring_view text, std::uint16_t id,
                                    std::wstring_view caption) {
    return ask(EntryKind::SwitchApps, level, text, id, caption);
}

}  // namespace detail

inline constexpr std::uint16_t kNoSettingsCommand = 10;
// The "Macro" category after the catalogue's: the scripts of ScriptsMacros,
// one command each from kFirstScriptCommand on, then "Open Macro Folder".
inline constexpr std::wstring_view kMacroCategoryText = L"Macro";
inline constexpr std::wstring_view kOpenMacroFolderText = L"Open Macro Folder";
inline constexpr std::uint16_t kFirstScriptCommand = kScriptCommands.first;
inline constexpr std::size_t kMaxMenuScripts = kScriptCommands.size();
inline constexpr std::uint16_t kRunSoftwareCommand = 22;
inline constexpr std::uint16_t kKeysAndShortcutsCommand = 70;
inline constexpr std::uint16_t kTypeTextCommand = 71;
inline constexpr std::uint16_t kLayerWhileHeldCommand = 72;
inline constexpr std::uint16_t kGesturesCommand = 73;
inline constexpr std::uint16_t kDragScrollCommand = 74;
inline constexpr std::uint16_t kDoubleClickCommand = 75;
inline constexpr std::uint16_t kLongPressCommand = 76;

// In menu order within each level.
inline constexpr std::array<CatalogueEntry, 57> kCatalogue = [] {
    using enum MenuLevel;
    using detail::ask;
    using detail::chooseProgram;
    using detail::chooseShortcut;
    using detail::chooseText;
    using detail::key;
    using detail::launch;
    using detail::layerWhileHeld;
    using detail::mouse;
    using detail::restoreOwnFunction;
    using detail::switchApps;
    using MF = MouseFunction;
    using enum ChordModifier;
    return std::array<CatalogueEntry, 57>{{
        restoreOwnFunction(Root, L"No Settings", kNoSettingsCommand),
        // Any key, shortcut or text, for any input: right under "No Settings".
        chooseShortcut(Root, L"Keys and Shortcuts\u2026", kKeysAndShortcutsCommand),
        chooseText(Root, L"Type Text\u2026", kTypeTextCommand),
        // A button held as a modifier (core/LayerButton.h).
        layerWhileHeld(Root, L"Layer While Held", kLayerWhileHeldCommand),
        // A button that does several things (core/ButtonTriggers.h).
        ask(EntryKind::Gestures, Root, L"Gestures\u2026", kGesturesCommand, L"Gestures"),
        ask(EntryKind::DragScroll, Root, L"Drag to Scroll", kDragScrollCommand, L"Drag to Scroll"),
        ask(EntryKind::DoubleClick, Root, L"Double Click\u2026", kDoubleClickCommand),
        ask(EntryKind::LongPress, Root, L"Long Press\u2026", kLongPressCommand),

        mouse(Mouse, L"Left Button", 12, MF::LeftClick, L"Left Button"),
        mouse(Mouse, L"Right Button", 131, MF::RightClick, L"Right Button"),
        mouse(Mouse, L"Middle Button", 14, MF::MiddleClick, L"Middle Button"),
        mouse(Mouse, L"Forward", 15, MF::ForwardClick, L"Forward"),
        mouse(Mouse, L"Back", 16, MF::BackClick, L"Back"),
        mouse(Mouse, L"Wheel Up", 17, MF::WheelUp, L"Wheel Up"),
        mouse(Mouse, L"Wheel Down", 18, MF::WheelDown, L"Wheel Down"),

        key(OfficeUsed, L"Zoom In", 19, None, 107, L"Zoom In"),
        key(OfficeUsed, L"Zoom Out", 20, None, 109, L"Zoom Out"),
        key(OfficeUsed, L"Paste Text", 21, Control, 86, L"Paste Text"),
        chooseProgram(OfficeUsed, L"Run Software", kRunSoftwareCommand),

        key(Word, L"Cut(Ctrl+X)", 23, Control, 88, L"Cut"),
        key(Word, L"Copy(Ctrl+C)", 24, Control, 67, L"Copy"),
        key(Word, L"Paste(Ctrl+V)", 25, Control, 86, L"Paste"),
        key(Word, L"Delete(Del)", 26, None, 46, L"Delete"),
        key(Word, L"Search(Ctrl+F)", 27, Control, 70, L"Search"),
        key(Word, L"Select All(Ctrl+A)", 28, Control, 65, L"Select All"),
        key(Word, L"Redo(Ctrl+Y)", 29, Control, 89, L"Redo"),
        key(Word, L"Undo(Ctrl+Z)", 30, Control, 90, L"Undo"),

        key(Archives, L"New(Ctrl+N)", 31, Control, 78, L"New"),
        key(Archives, L"Open(Ctrl+O)", 32, Control, 79, L"Open"),
        key(Archives, L"Save(Ctrl+S)", 33, Control, 83, L"Save"),
        key(Archives, L"Print(Ctrl+P)", 34, Control, 80, L"Print"),

        launch(Multimedia, L"Media Player", 35, L"wmplayer.exe", L"Media Player"),
        key(Multimedia, L"Previous Track", 36, None, 177, L"Previous Track"),
        key(Multimedia, L"Next Track", 37, None, 176, L"Next Track"),
        key(Multimedia, L"Stop", 38, None, 178, L"Stop"),
        key(Multimedia, L"Play/Pause", 39, None, 179, L"Play/Pause"),
        key(Multimedia, L"Mute", 40, None, 173, L"Mute"),
        key(Multimedia, L"Volume Up", 41, None, 175, L"Volume Up"),
        key(Multimedia, L"Volume Down", 42, None, 174, L"Volume Down"),

        key(NetWork, L"Back", 43, None, 166, L"Back"),
        key(NetWork, L"Forward", 44, None, 167, L"Forward"),
        key(NetWork, L"Stop", 45, None, 169, L"Stop"),
        key(NetWork, L"Refresh", 46, None, 168, L"Refresh"),
        key(NetWork, L"Search", 47, None, 170, L"Search"),
        key(NetWork, L"Favorites", 48, None, 171, L"Favorites"),
        key(NetWork, L"Home Page", 49, None, 172, L"Home Page"),
        key(NetWork, L"Mail", 50, None, 180, L"Mail"),

        launch(System, L"Calculator", 51, L"calc.exe", L"Calculator"),
        // The menu says "computer", the caption "Computer".
        key(System, L"My computer", 52, Windows, 69, L"My Computer"),

        key(Win8ShortCut, L"Charms Bar", 56, Windows, 67, L"Charms Bar"),
        key(Win8ShortCut, L"Settings", 57, Windows, 73, L"Settings"),
        key(Win8ShortCut, L"Share", 58, Windows, 72, L"Share"),
        key(Win8ShortCut, L"Devices", 59, Windows, 75, L"Devices"),
        key(Win8ShortCut, L"Apps Search", 60, Windows, 81, L"Apps Search"),
        key(Win8ShortCut, L"ScreenShot", 65, Windows, 44, L"ScreenShot"),
        key(Win8ShortCut, L"Dialog box", 66, Windows, 82, L"Dialog box"),
        switchApps(Win8ShortCut, L"Switch Apps", 67, L"Switch Apps"),
    }};
}();

// The entry with this command id, or nullptr for any id the menu never sends.
constexpr const CatalogueEntry* findCatalogueEntry(std::uint32_t commandId) {
    for (const CatalogueEntry& e : kCatalogue) {
        if (e.commandId == commandId) return &e;
    }
    return nullptr;
}

// The function an entry gives the slot at once; none for those that ask
// first or make the slot native.
inline std::optional<Action> actionOf(const CatalogueEntry& e) {
    switch (e.kind) {
        case EntryKind::Mouse:
            return action::Mouse{e.mouse};
        case EntryKind::Key:
            return action::Key{e.modifier, e.virtualKey};
        case EntryKind::Launch:
            return action::Launch{std::wstring(e.launchTarget)};
        case EntryKind::SwitchApps:
            return action::SwitchApps{};
        case EntryKind::LayerWhileHeld:
            return action::LayerWhileHeld{};
        case EntryKind::Gestures:
            return action::Gestures{};
        case EntryKind::DragScroll:
            return action::DragScroll{};
        default:
            return std::nullopt;
    }
}

constexpr const CatalogueCategory& categoryOf(MenuLevel level) {
    for (const CatalogueCategory& c : kCatalogueCategories) {
        if (c.level == level) return c;
    }
    return kCatalogueCategories[0];
}

namespace detail {

// Every row in the function menu's range, clear of the rows that follow the
// catalogue's.
constexpr bool idsInTheirRange() {
    for (const CatalogueEntry& e : kCatalogue) {
        if (!kFunctionMenuCommands.contains(e.commandId) ||
            kMenuExtraCommands.contains(e.commandId))
            return false;
    }
    return true;
}

constexpr bool idsAreUnique() {
    for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
        if (kCatalogue[i].commandId == 0) return false;  // 0 marks a category item
        for (std::size_t j = i + 1; j < kCatalogue.size(); ++j) {
            if (kCatalogue[i].commandId == kCatalogue[j].commandId) return false;
        }
    }
    return true;
}

// A level holds either entries or sub-categories; the builder relies on it to
// keep the table's order without a separate ordering column.
constexpr bool noLevelMixesEntriesAndCategoriesExceptRoot() {
    for (const CatalogueCategory& c : kCatalogueCategories) {
        if (c.level == MenuLevel::Root) continue;
        bool hasEntries = false;
        bool hasChildren = false;
        for (const CatalogueEntry& e : kCatalogue) hasEntries = hasEntries || e.level == c.level;
        for (const CatalogueCategory& child : kCatalogueCategories)
            hasChildren =
                hasChildren || (child.level != MenuLevel::Root && child.parent == c.level);
        if (hasEntries == hasChildren) return false;
    }
    return true;
}

}  // namespace detail

static_assert(detail::idsAreUnique());
static_assert(detail::idsInTheirRange());
static_assert(detail::noLevelMixesEntriesAndCategoriesExceptRoot());

}  // namespace vela::menu
