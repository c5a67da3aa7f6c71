// Every number Vela gives a window message, a timer, a hotkey or a command,
// by who owns it. The checks at the end keep the ranges apart, so a new id
// that lands in someone else's range does not build.
//
// Numbers the platform defines are spelt out here (this header is portable);
// win32/MessageWindow.h checks them against <windows.h>.
#pragma once

#include <array>
#include <cstdint>

#include "resources/resource.h"

namespace vela {

// A closed range of ids, first and last included.
struct IdRange {
    std::uint32_t first;
    std::uint32_t last;

    constexpr bool contains(std::uint32_t id) const { return id >= first && id <= last; }
    constexpr bool contains(IdRange inner) const {
        return contains(inner.first) && contains(inner.last);
    }
    constexpr bool overlaps(IdRange other) const {
        return first <= other.last && other.first <= last;
    }
    constexpr std::uint32_t size() const { return last - first + 1; }
};

// ---- Commands (WM_COMMAND) ------------------------------------------------------
// To the main window, except the tray's.

// The dialog's own buttons: IDOK is the close cross, IDCANCEL Escape's.
inline constexpr IdRange kDialogButtonCommands{IDOK, 2};
// The function menu. Its catalogue rows (menu/FunctionCatalogue.h, where
// "Keys and Shortcuts..." and "Type Text..." have theirs) take any id of the
// range outside the rows that follow the catalogue's.
inline constexpr IdRange kFunctionMenuCommands{10, 199};
// ... the per-slot options' rows (core/SlotOptions.h), one id each,
inline constexpr IdRange kSlotOptionCommands{90, 98};
// ... and "Open Macro Folder" at the end of the "Macro" category.
inline constexpr std::uint16_t kOpenMacroFolderCommand = 99;
inline constexpr IdRange kMenuExtraCommands{kSlotOptionCommands.first, kOpenMacroFolderCommand};
// The main window's controls notify their clicks as commands (resources/resource.h).
inline constexpr IdRange kControlCommands{1000, 1099};
// The "SCRIPTS" button's menu (resources/resource.h).
inline constexpr IdRange kScriptMenuCommands{ID_SCRIPT_SAVE, ID_SCRIPT_OPEN};
// The tray menu (resources/resource.h), to the tray's own window.
inline constexpr IdRange kTrayCommands{ID_TRAY_HIDE, ID_TRAY_WHEEL};
// The tray menu's "Mouse" submenu (menu/MouseMenu.h), to the tray's window.
inline constexpr IdRange kMouseMenuCommands{33000, 33199};
// The "Macro" category's scripts, one id each in the order listed.
inline constexpr IdRange kScriptCommands{40000, 40999};
// The profile menu: "All Programs", one id per profile, one per program
// "New Profile For" offers, "Delete This Profile", one per layer, by the
// number of its button's slot (the first id for slot 1), then "Export This
// Profile…", "Export All Profiles…", "Import Profile…", "Vela Off in This
// Program" and "The Window Under the Pointer…".
inline constexpr IdRange kProfileCommands{42000, 43015};
inline constexpr std::uint16_t kAllProgramsCommand = 42000;
inline constexpr std::uint16_t kFirstProfileCommand = 42001;
inline constexpr std::uint16_t kFirstNewProfileCommand = 42500;
inline constexpr std::uint16_t kDeleteProfileCommand = 43000;
inline constexpr std::uint16_t kFirstLayerCommand = 43001;
inline constexpr IdRange kLayerCommands{kFirstLayerCommand, 43010};
inline constexpr std::uint16_t kExportProfileCommand = 43011;
inline constexpr std::uint16_t kExportAllProfilesCommand = 43012;
inline constexpr std::uint16_t kImportProfileCommand = 43013;
inline constexpr std::uint16_t kVelaOffCommand = 43014;
inline constexpr std::uint16_t kPickWindowCommand = 43015;

// ---- Timers (WM_TIMER), by the window they run on --------------------------------

// The main window's: the slots' playback timers (core/SlotTable.h), the
// save after a change, the hide after a hidden start.
inline constexpr IdRange kMainWindowTimers{1, 8};
inline constexpr IdRange kPlaybackTimers{1, 6};
inline constexpr int kSaveTimerId = 7;
inline constexpr int kHideTimerId = 8;
// The tray window's: a left click opens the menu only once it can no longer
// become a double click; the pause shortcut is asked for again while another
// program owns it.
inline constexpr int kTrayMenuDelayTimerId = 0x7452;
inline constexpr int kPauseHotkeyRetryTimerId = 0x7350;
// The tray window's: the next balloon, should the shell not say the one up went.
inline constexpr int kBalloonNextTimerId = 0x7442;
// The foreground watch's: the looks after a click.
inline constexpr int kLookAgainTimerId = 0x7646;
// Each caption button's own: while the pointer is over it, whether it left.
inline constexpr int kCaptionHoverTimerId = 0x7448;
// The shortcut dialog's: the keyboard's capture renewed while it listens.
inline constexpr int kCaptureRenewTimerId = 0x7443;
// The notice window's: a switch settled, and the notice's time up.
inline constexpr int kNoticeSettleTimerId = 0x764E;
inline constexpr int kNoticeHideTimerId = 0x7648;
// The window picker's: a second of its count.
inline constexpr int kPickCountTimerId = 0x7650;

// ---- Hotkeys (WM_HOTKEY) ------------------------------------------------------

// The pause shortcut, registered for the tray window.
inline constexpr int kPauseHotkeyId = 0x5650;

// ---- Window and thread messages -----------------------------------------------

inline constexpr std::uint32_t kUserMessageBase = 0x0400;  // WM_USER
inline constexpr std::uint32_t kAppMessageBase = 0x8000;   // WM_APP
// The tray icon's notifications to the tray window: the icon id in wParam,
// the mouse message in lParam.
inline constexpr std::uint32_t kTrayCallbackMessage = kUserMessageBase + 100;
// What a dialog sends back to the child a message concerns, so a control can
// draw itself and answer its own colour request: this base plus the
// message, for every message below WM_USER (the offset the platform's
// control containers use for the same purpose; win32/Dialog.h).
inline constexpr std::uint32_t kReflectedBase = kUserMessageBase + 0x1C00;
inline constexpr IdRange kReflectedMessages{kReflectedBase, kReflectedBase + kUserMessageBase - 1};
// The hook thread's own thread messages (hooks/win32/HookEngine.cpp): bring
// the hooks in line and answer, the same without an answer, (test builds
// only) lose the hooks as the system would, send a held release now and
// answer, and take the latest set of slots Vela wants (answered by an event,
// when asked).
inline constexpr std::uint32_t kHookApplyMessage = kAppMessageBase + 1;
inline constexpr std::uint32_t kHookSettleMessage = kAppMessageBase + 2;
inline constexpr std::uint32_t kHookDropMessage = kAppMessageBase + 3;
inline constexpr std::uint32_t kHookLetGoMessage = kAppMessageBase + 4;
inline constexpr std::uint32_t kHookWantMessage = kAppMessageBase + 5;
inline constexpr IdRange kHookThreadMessages{kHookApplyMessage, kHookWantMessage};
// Registered by name, so the system gives them numbers of their own: each
// slot's report (core/SlotTable.h, a contract with other hosts), the hook
// engine's own events to Vela, and the shell's "TaskbarCreated".
inline constexpr wchar_t kEngineEventMessageName[] = L"VelaHookEngineEvent";
inline constexpr wchar_t kTaskbarCreatedMessageName[] = L"TaskbarCreated";

// ---- Checks ----------------------------------------------------------------------

namespace ids_detail {

template <std::size_t N>
constexpr bool apart(const std::array<IdRange, N>& ranges) {
    for (std::size_t i = 0; i < N; ++i)
        for (std::size_t j = i + 1; j < N; ++j)
            if (ranges[i].overlaps(ranges[j])) return false;
    return true;
}

constexpr IdRange one(std::uint32_t id) {
    return {id, id};
}

}  // namespace ids_detail

// One window gets every command but the tray's; the tray window gets those
// too should a stray one arrive, so no two ranges may meet.
static_assert(ids_detail::apart(std::array{kDialogButtonCommands, kFunctionMenuCommands,
                                           kControlCommands, kScriptMenuCommands, kTrayCommands,
                                           kScriptCommands, kProfileCommands}),
              "command ranges overlap");
static_assert(ids_detail::apart(std::array{kMouseMenuCommands, kDialogButtonCommands,
                                           kFunctionMenuCommands, kControlCommands,
                                           kScriptMenuCommands, kTrayCommands, kScriptCommands,
                                           kProfileCommands}),
              "the Mouse submenu's commands meet another range");
static_assert(kFunctionMenuCommands.contains(kMenuExtraCommands));
static_assert(kTrayCommands.contains(ID_TRAY_PAUSE) && kTrayCommands.contains(ID_TRAY_NOTICE) &&
              kTrayCommands.contains(ID_TRAY_AUTOSTART) && kTrayCommands.contains(ID_TRAY_EXIT));
static_assert(!kSlotOptionCommands.contains(kOpenMacroFolderCommand));
static_assert(kControlCommands.contains(IDC_CAPTION_R) &&
              kControlCommands.contains(IDC_LABEL_ALTTAB) &&
              kControlCommands.contains(IDC_ENTRY_TEXT));
static_assert(kProfileCommands.first == kAllProgramsCommand &&
              kAllProgramsCommand < kFirstProfileCommand &&
              kFirstProfileCommand < kFirstNewProfileCommand &&
              kFirstNewProfileCommand < kDeleteProfileCommand &&
              kDeleteProfileCommand < kLayerCommands.first &&
              kLayerCommands.last < kExportProfileCommand &&
              kExportProfileCommand < kExportAllProfilesCommand &&
              kExportAllProfilesCommand < kImportProfileCommand &&
              kImportProfileCommand < kVelaOffCommand && kVelaOffCommand < kPickWindowCommand &&
              kPickWindowCommand == kProfileCommands.last);

static_assert(kMainWindowTimers.contains(kPlaybackTimers) &&
              ids_detail::apart(std::array{kPlaybackTimers, ids_detail::one(kSaveTimerId),
                                           ids_detail::one(kHideTimerId)}) &&
              kMainWindowTimers.contains(kSaveTimerId) && kMainWindowTimers.contains(kHideTimerId));
// Each window has timers of its own, but a timer id names one timer only:
// a test that posts one to the main window must reach that timer alone.
static_assert(ids_detail::apart(std::array{
                  kMainWindowTimers, ids_detail::one(kTrayMenuDelayTimerId),
                  ids_detail::one(kPauseHotkeyRetryTimerId), ids_detail::one(kBalloonNextTimerId),
                  ids_detail::one(kLookAgainTimerId), ids_detail::one(kCaptionHoverTimerId),
                  ids_detail::one(kCaptureRenewTimerId), ids_detail::one(kNoticeSettleTimerId),
                  ids_detail::one(kNoticeHideTimerId), ids_detail::one(kPickCountTimerId)}),
              "timer ids overlap");

static_assert(ids_detail::apart(std::array{ids_detail::one(kTrayCallbackMessage),
                                           kReflectedMessages, kHookThreadMessages}),
              "window message numbers overlap");
static_assert(kTrayCallbackMessage >= kUserMessageBase && kReflectedMessages.last < kAppMessageBase,
              "Vela's window messages lie between WM_USER and WM_APP");

}  // namespace vela
