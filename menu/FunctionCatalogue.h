// Every function a slot can be given, as one ordered table.
//
// The function menu is built from these tables and the command handler looks
// an id up here, so a menu text, id or stored value lives in exactly one place.
#pragma once

#include <array>
#include <cstdint>
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
    Mouse,               // actionGroup 0 and mouseFunction
    Key,                 // actionGroup 1, keyAction and virtualKey (or launchTarget)
    ChooseProgram,       // "Run Software": ask for a program, then Launch it
    ChooseShortcut,      // ask for a shortcut pressed on the keyboard, then press it
    ChooseText,          // ask for a text, then type it
    LayerWhileHeld,      // the button's layer while it is held; offered on the buttons only
};

struct CatalogueEntry {
    MenuLevel level;
    std::wstring_view menuText;
    std::uint16_t commandId;
    EntryKind kind;
    std::int32_t function;  // mouseFunction for Mouse, keyAction for Key
    std::uint8_t virtualKey;
    std::wstring_view launchTarget;  // Launch entries only
    std::wstring_view slotCaption;   // written to the caption button
};

namespace detail {

constexpr CatalogueEntry mouse(MenuLevel level, std::wstring_view text, std::uint16_t id,
                               MouseFunction f, std::wstring_view caption) {
    return {level, text, id, EntryKind::Mouse, toRaw(f), 0, {}, caption};
}

constexpr CatalogueEntry key(MenuLevel level, std::wstring_view text, std::uint16_t id,
                             KeyAction action, std::uint8_t vk, std::wstring_view caption) {
    return {level, text, id, EntryKind::Key, toRaw(action), vk, {}, caption};
}

constexpr CatalogueEntry launch(MenuLevel level, std::wstring_view text, std::uint16_t id,
                                std::wstring_view target, std::wstring_view caption) {
    return {level, text, id, EntryKind::Key, toRaw(KeyAction::Launch), 0, target, caption};
}

// The caption of these two is decided when they are chosen.
constexpr CatalogueEntry restoreOwnFunction(MenuLevel level, std::wstring_view text,
                                            std::uint16_t id) {
    return {level, text, id, EntryKind::RestoreOwnFunction, 0, 0, {}, {}};
}

constexpr CatalogueEntry chooseProgram(MenuLevel level, std::wstring_view text, std::uint16_t id) {
    return {level, text, id, EntryKind::ChooseProgram, toRaw(KeyAction::Launch), 0, {}, {}};
}

// The caption of these two is what the user chose: the shortcut, the text.
constexpr CatalogueEntry chooseShortcut(MenuLevel level, std::wstring_view text, std::uint16_t id) {
    return {level, text, id, EntryKind::ChooseShortcut, toRaw(KeyAction::Shortcut), 0, {}, {}};
}

constexpr CatalogueEntry chooseText(MenuLevel level, std::wstring_view text, std::uint16_t id) {
    return {level, text, id, EntryKind::ChooseText, toRaw(KeyAction::TypeText), 0, {}, {}};
}

constexpr CatalogueEntry layerWhileHeld(MenuLevel level, std::wstring_view text, std::uint16_t id) {
    return {level, text, id,  EntryKind::LayerWhileHeld, toRaw(KeyAction::LayerWhileHeld),
            0,     {},   text};
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

// In menu order within each level.
inline constexpr std::array<CatalogueEntry, 53> kCatalogue = [] {
    using enum MenuLevel;
    using detail::chooseProgram;
    using detail::chooseShortcut;
    using detail::chooseText;
    using detail::key;
    using detail::launch;
    using detail::layerWhileHeld;
    using detail::mouse;
    using detail::restoreOwnFunction;
    using MF = MouseFunction;
    using KA = KeyAction;
    return std::array<CatalogueEntry, 53>{{
        restoreOwnFunction(Root, L"No Settings", kNoSettingsCommand),
        // Any key, shortcut or text, for any input: right under "No Settings".
        chooseShortcut(Root, L"Keys and Shortcuts\u2026", kKeysAndShortcutsCommand),
        chooseText(Root, L"Type Text\u2026", kTypeTextCommand),
        // A button held as a modifier (core/LayerButton.h).
        layerWhileHeld(Root, L"Layer While Held", kLayerWhileHeldCommand),

        mouse(Mouse, L"Left Button", 12, MF::LeftClick, L"Left Button"),
        mouse(Mouse, L"Right Button", 131, MF::RightClick, L"Right Button"),
        mouse(Mouse, L"Middle Button", 14, MF::MiddleClick, L"Middle Button"),
        mouse(Mouse, L"Forward", 15, MF::ForwardClick, L"Forward"),
        mouse(Mouse, L"Back", 16, MF::BackClick, L"Back"),
        mouse(Mouse, L"Wheel Up", 17, MF::WheelUp, L"Wheel Up"),
        mouse(Mouse, L"Wheel Down", 18, MF::WheelDown, L"Wheel Down"),

        key(OfficeUsed, L"Zoom In", 19, KA::SingleKey, 107, L"Zoom In"),
        key(OfficeUsed, L"Zoom Out", 20, KA::SingleKey, 109, L"Zoom Out"),
        key(OfficeUsed, L"Paste Text", 21, KA::CtrlCombo, 86, L"Paste Text"),
        chooseProgram(OfficeUsed, L"Run Software", kRunSoftwareCommand),

        key(Word, L"Cut(Ctrl+X)", 23, KA::CtrlCombo, 88, L"Cut"),
        key(Word, L"Copy(Ctrl+C)", 24, KA::CtrlCombo, 67, L"Copy"),
        key(Word, L"Paste(Ctrl+V)", 25, KA::CtrlCombo, 86, L"Paste"),
        key(Word, L"Delete(Del)", 26, KA::SingleKey, 46, L"Delete"),
        key(Word, L"Search(Ctrl+F)", 27, KA::CtrlCombo, 70, L"Search"),
        key(Word, L"Select All(Ctrl+A)", 28, KA::CtrlCombo, 65, L"Select All"),
        key(Word, L"Redo(Ctrl+Y)", 29, KA::CtrlCombo, 89, L"Redo"),
        key(Word, L"Undo(Ctrl+Z)", 30, KA::CtrlCombo, 90, L"Undo"),

        key(Archives, L"New(Ctrl+N)", 31, KA::CtrlCombo, 78, L"New"),
        key(Archives, L"Open(Ctrl+O)", 32, KA::CtrlCombo, 79, L"Open"),
        key(Archives, L"Save(Ctrl+S)", 33, KA::CtrlCombo, 83, L"Save"),
        key(Archives, L"Print(Ctrl+P)", 34, KA::CtrlCombo, 80, L"Print"),

        launch(Multimedia, L"Media Player", 35, L"wmplayer.exe", L"Media Player"),
        key(Multimedia, L"Previous Track", 36, KA::SingleKey, 177, L"Previous Track"),
        key(Multimedia, L"Next Track", 37, KA::SingleKey, 176, L"Next Track"),
        key(Multimedia, L"Stop", 38, KA::SingleKey, 178, L"Stop"),
        key(Multimedia, L"Play/Pause", 39, KA::SingleKey, 179, L"Play/Pause"),
        key(Multimedia, L"Mute", 40, KA::SingleKey, 173, L"Mute"),
        key(Multimedia, L"Volume Up", 41, KA::SingleKey, 175, L"Volume Up"),
        key(Multimedia, L"Volume Down", 42, KA::SingleKey, 174, L"Volume Down"),

        key(NetWork, L"Back", 43, KA::SingleKey, 166, L"Back"),
        key(NetWork, L"Forward", 44, KA::SingleKey, 167, L"Forward"),
        key(NetWork, L"Stop", 45, KA::SingleKey, 169, L"Stop"),
        key(NetWork, L"Refresh", 46, KA::SingleKey, 168, L"Refresh"),
        key(NetWork, L"Search", 47, KA::SingleKey, 170, L"Search"),
        key(NetWork, L"Favorites", 48, KA::SingleKey, 171, L"Favorites"),
        key(NetWork, L"Home Page", 49, KA::SingleKey, 172, L"Home Page"),
        key(NetWork, L"Mail", 50, KA::SingleKey, 180, L"Mail"),

        launch(System, L"Calculator", 51, L"calc.exe", L"Calculator"),
        // The menu says "computer", the caption "Computer".
        key(System, L"My computer", 52, KA::WinCombo, 69, L"My Computer"),

        key(Win8ShortCut, L"Charms Bar", 56, KA::WinCombo, 67, L"Charms Bar"),
        key(Win8ShortCut, L"Settings", 57, KA::WinCombo, 73, L"Settings"),
        key(Win8ShortCut, L"Share", 58, KA::WinCombo, 72, L"Share"),
        key(Win8ShortCut, L"Devices", 59, KA::WinCombo, 75, L"Devices"),
        key(Win8ShortCut, L"Apps Search", 60, KA::WinCombo, 81, L"Apps Search"),
        key(Win8ShortCut, L"ScreenShot", 65, KA::WinCombo, 44, L"ScreenShot"),
        key(Win8ShortCut, L"Dialog box", 66, KA::WinCombo, 82, L"Dialog box"),
        // The chord is fixed; the stored key is kept only for the settings file.
        key(Win8ShortCut, L"Switch Apps", 67, KA::SwitchApps, 8, L"Switch Apps"),
    }};
}();

// The entry with this command id, or nullptr for any id the menu never sends.
constexpr const CatalogueEntry* findCatalogueEntry(std::uint32_t commandId) {
    for (const CatalogueEntry& e : kCatalogue) {
        if (e.commandId == commandId) return &e;
    }
    return nullptr;
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
