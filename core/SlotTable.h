// Every fact that differs between the nine remappable inputs, in one table.
//
// Code that needs a per-slot difference reads a column here instead of testing
// which slot it is handling.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/Assignment.h"
#include "core/MessageIds.h"
#include "resources/resource.h"

namespace vela {

// Slot numbers are fixed: they key the settings sections, the macro table and
// the menu's active slot. 7 is the DPI caption, which is shown but never
// remapped.
enum class Slot : int {
    R = 1,
    M = 2,
    X1 = 3,
    X2 = 4,
    WD = 5,
    WU = 6,
    WL = 8,
    WR = 9,
    AltTab = 10,
};

inline constexpr int kDpiSlotNumber = 7;
inline constexpr int kDpiCaptionControl = IDC_CAPTION_DPI;
// Per-slot arrays are indexed by slot number and so have positions 0..10.
inline constexpr int kSlotPositions = 11;

constexpr int number(Slot s) {
    return static_cast<int>(s);
}

// The physical input a slot's hook library watches.
enum class Trigger {
    RightButton,
    MiddleButton,
    ForwardButton,  // XBUTTON2 on the platform
    BackButton,     // XBUTTON1 on the platform
    WheelDown,
    WheelUp,
    TiltLeft,   // horizontal wheel, negative delta
    TiltRight,  // horizontal wheel, positive delta
    AltTab,
};

// Whether the input acts on the window under the pointer, as the system sends
// it: the wheel and its tilt.
constexpr bool isWheel(Trigger t) {
    return t == Trigger::WheelDown || t == Trigger::WheelUp || t == Trigger::TiltLeft ||
           t == Trigger::TiltRight;
}

// Whether the input has a release to hold a function until: the buttons and
// the Alt+Tab chord (its Tab), not the wheel and its tilt.
constexpr bool canHold(Trigger t) {
    return t == Trigger::RightButton || t == Trigger::MiddleButton || t == Trigger::ForwardButton ||
           t == Trigger::BackButton || t == Trigger::AltTab;
}

// What a Macro assignment does when the slot is activated.
enum class MacroBehaviour {
    Playback,          // play the slot's script on a worker thread
    SlowWindowsChord,  // no playback: Windows + key with 100 ms pauses
};

// How a RepeatKey press is sent.
enum class RepeatStyle {
    Taps,                 // each press one call with down and up
    PauseThenSplitCalls,  // 30 ms pause, then down and up in calls of their own
};

// How a click on the caption opens the function menu. Every input has one:
// the wheel too, so a notch can press a shortcut or type a text.
enum class MenuAccess {
    Open,
    AfterAltWarning,  // the Alt+Tab slot warns every time first
};

// The lParam of a report of the Alt+Tab slot: the Alt keys still held when
// its Tab was taken. (Hosts that know only the libraries ignore parameters.)
namespace heldalt {
inline constexpr std::uint32_t Left = 1;
inline constexpr std::uint32_t Right = 2;
}  // namespace heldalt

struct SlotInfo {
    Slot slot;
    std::string_view name;  // short name used in logs and test names
    int captionControl;
    std::wstring_view nativeCaption;  // caption when not remapped; also "No Settings"
    std::wstring_view section;        // settings file section
    std::wstring_view messageName;    // registered window message of the hook report
    std::wstring_view hookLibrary;
    std::string_view installFunction;
    std::string_view removeFunction;
    int descriptionControl;
    std::wstring_view defaultLabel;  // description label text when none is stored
    Trigger trigger;
    std::optional<MouseFunction> ownFunction;  // the mouse function that is this input
    bool needsTilt;                            // usable only with horizontal wheel support
    MenuAccess menuAccess;
    MacroBehaviour macro;
    int ctrlChordPauseMs;  // pause between Control down and the key in a Control chord
    RepeatStyle repeat;
    int playbackTimerId;  // window timer that plays this slot's script, 0 if none
};

// In the order the settings file, the loader and "Reset" walk the slots.
inline constexpr std::array<SlotInfo, 9> kSlotTable{{
    {Slot::R, "R", IDC_CAPTION_R, L"Right Button", L"RButtonSetting", L"UWM_RBTNCLICK_MSG",
     L"ClickTrapR.dll", "installhook_R", "unstallhook_R", IDC_LABEL_R, L"Right Button",
     Trigger::RightButton, MouseFunction::RightClick, false, MenuAccess::Open,
     MacroBehaviour::Playback, 30, RepeatStyle::Taps, 1},
    {Slot::M, "M", IDC_CAPTION_M, L"Middle Button", L"MButtonSetting", L"UWM_MBTNCLICK_MSG",
     L"ClickTrapM.dll", "installhook_M", "unstallhook_M", IDC_LABEL_M, L"Middle Button",
     Trigger::MiddleButton, MouseFunction::MiddleClick, false, MenuAccess::Open,
     MacroBehaviour::SlowWindowsChord, 30, RepeatStyle::Taps, 2},
    {Slot::X1, "X1", IDC_CAPTION_X1, L"Forward", L"X1ButtonSetting", L"UWM_X1BTNCLICK_MSG",
     L"ClickTrapX1.dll", "installhook_X1", "unstallhook_X1", IDC_LABEL_X1, L"Back",
     Trigger::ForwardButton, MouseFunction::ForwardClick, false, MenuAccess::Open,
     MacroBehaviour::Playback, 30, RepeatStyle::Taps, 5},
    {Slot::X2, "X2", IDC_CAPTION_X2, L"Back", L"X2ButtonSetting", L"UWM_X2BTNCLICK_MSG",
     L"ClickTrapX2.dll", "installhook_X2", "unstallhook_X2", IDC_LABEL_X2, L"Forward",
     Trigger::BackButton, MouseFunction::BackClick, false, MenuAccess::Open,
     MacroBehaviour::Playback, 30, RepeatStyle::Taps, 6},
    {Slot::WD, "WD", IDC_CAPTION_WD, L"Wheel Down", L"WDButtonSetting", L"UWM_WDBTNCLICK_MSG",
     L"ClickTrapWD.dll", "installhook_WD", "unstallhook_WD", IDC_LABEL_WD, L"Wheel Down",
     Trigger::WheelDown, MouseFunction::WheelDown, false, MenuAccess::Open,
     MacroBehaviour::Playback, 30, RepeatStyle::Taps, 4},
    {Slot::WU, "WU", IDC_CAPTION_WU, L"Wheel Up", L"WUButtonSetting", L"UWM_WUBTNCLICK_MSG",
     L"ClickTrapWU.dll", "installhook_WU", "unstallhook_WU", IDC_LABEL_WU, L"Wheel Up",
     Trigger::WheelUp, MouseFunction::WheelUp, false, MenuAccess::Open, MacroBehaviour::Playback,
     30, RepeatStyle::Taps, 3},
    {Slot::WL, "WL", IDC_CAPTION_WL, L"Tilt Left", L"WLButtonSetting", L"UWM_WLBTNCLICK_MSG",
     L"ClickTrapWL.dll", "installhook_WL", "unstallhook_WL", IDC_LABEL_WL, L"Tilt Left",
     Trigger::TiltLeft, std::nullopt, true, MenuAccess::Open, MacroBehaviour::Playback, 30,
     RepeatStyle::Taps, 0},
    {Slot::WR, "WR", IDC_CAPTION_WR, L"Tilt Right", L"WRButtonSetting", L"UWM_WRBTNCLICK_MSG",
     L"ClickTrapWR.dll", "installhook_WR", "unstallhook_WR", IDC_LABEL_WR, L"Tilt Right",
     Trigger::TiltRight, std::nullopt, true, MenuAccess::Open, MacroBehaviour::Playback, 30,
     RepeatStyle::Taps, 0},
    {Slot::AltTab, "ALTTAB", IDC_CAPTION_ALTTAB, L"ALT + TAB", L"ALTTABButtonSetting",
     L"UWM_ALTTABBTNCLICK_MSG", L"SwitchTrap.dll", "installhook_K", "unstallhook_K",
     IDC_LABEL_ALTTAB, L"ALT + TAB", Trigger::AltTab, std::nullopt, false,
     MenuAccess::AfterAltWarning, MacroBehaviour::Playback, 0, RepeatStyle::PauseThenSplitCalls, 0},
}};

// The row of a slot number, or nullptr for 0, 7 and anything out of range.
constexpr const SlotInfo* findSlot(int slotNumber) {
    for (const SlotInfo& info : kSlotTable) {
        if (number(info.slot) == slotNumber) return &info;
    }
    return nullptr;
}

constexpr const SlotInfo& slotInfo(Slot s) {
    return *findSlot(number(s));
}

constexpr bool playbackTimersInTheirRange() {
    for (const SlotInfo& info : kSlotTable)
        if (info.playbackTimerId != 0 && !kPlaybackTimers.contains(info.playbackTimerId))
            return false;
    return true;
}
static_assert(playbackTimersInTheirRange(), "a playback timer outside the main window's range");

// The slot a playback timer plays, or nullopt for any other timer id.
constexpr std::optional<Slot> slotOfPlaybackTimer(int timerId) {
    if (timerId <= 0) return std::nullopt;
    for (const SlotInfo& info : kSlotTable) {
        if (info.playbackTimerId == timerId) return info.slot;
    }
    return std::nullopt;
}

// What the table must hold, checked where it stands.
constexpr bool slotsAreApart() {
    for (std::size_t i = 0; i < kSlotTable.size(); ++i) {
        const SlotInfo& a = kSlotTable[i];
        if (findSlot(number(a.slot)) != &a || number(a.slot) == kDpiSlotNumber ||
            a.captionControl == kDpiCaptionControl)
            return false;
        for (std::size_t j = i + 1; j < kSlotTable.size(); ++j) {
            const SlotInfo& b = kSlotTable[j];
            if (number(a.slot) == number(b.slot) || a.captionControl == b.captionControl ||
                a.descriptionControl == b.descriptionControl || a.section == b.section ||
                a.messageName == b.messageName || a.hookLibrary == b.hookLibrary ||
                (a.playbackTimerId != 0 && a.playbackTimerId == b.playbackTimerId))
                return false;
        }
    }
    return true;
}
static_assert(kSlotTable.size() == 9 && slotsAreApart(),
              "nine slots, each with a number, controls, section, message, library and "
              "playback timer of its own, none at the DPI caption's place");
// The forward button's label reads "Back" until the user describes it, and
// the other way round: the shipped defaults, not a typo.
static_assert(slotInfo(Slot::X1).defaultLabel == L"Back" &&
              slotInfo(Slot::X2).defaultLabel == L"Forward");
constexpr bool onlyTheMiddleButtonAndAltTabDiffer() {
    for (const SlotInfo& s : kSlotTable) {
        const bool isM = s.slot == Slot::M;
        const bool isAltTab = s.slot == Slot::AltTab;
        if ((s.macro == MacroBehaviour::SlowWindowsChord) != isM ||
            s.ctrlChordPauseMs != (isAltTab ? 0 : 30) ||
            (s.repeat == RepeatStyle::PauseThenSplitCalls) != isAltTab)
            return false;
    }
    return true;
}
static_assert(onlyTheMiddleButtonAndAltTabDiffer(),
              "only the middle button lacks macro playback, only Alt+Tab changes chord timing");
static_assert(slotOfPlaybackTimer(1) == Slot::R && slotOfPlaybackTimer(6) == Slot::X2 &&
              !slotOfPlaybackTimer(0) && !slotOfPlaybackTimer(7));

}  // namespace vela
