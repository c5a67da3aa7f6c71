// The keys a keyboard lacks, which the capture dialog offers in a list
// instead: they cannot be pressed to be captured.
#pragma once

#include <array>
#include <string_view>

#include "core/Shortcut.h"

namespace vela {

// One row of the list: the heading it stands under, and the key. The rows
// come in the order shown, each group's rows together.
struct ListedKey {
    std::wstring_view group;
    ShortcutKey key;
};

inline constexpr auto kListedKeys = std::to_array<ListedKey>({
    // Function keys past F12: what push-to-talk and macro pads use.
    {L"Function Keys", 0x7C},  // F13
    {L"Function Keys", 0x7D},
    {L"Function Keys", 0x7E},
    {L"Function Keys", 0x7F},
    {L"Function Keys", 0x80},
    {L"Function Keys", 0x81},
    {L"Function Keys", 0x82},
    {L"Function Keys", 0x83},
    {L"Function Keys", 0x84},
    {L"Function Keys", 0x85},
    {L"Function Keys", 0x86},
    {L"Function Keys", 0x87},  // F24
    {L"Media", 0xB3},          // play/pause
    {L"Media", 0xB2},          // stop
    {L"Media", 0xB1},          // previous track
    {L"Media", 0xB0},          // next track
    {L"Media", 0xAD},          // mute
    {L"Media", 0xAE},          // volume down
    {L"Media", 0xAF},          // volume up
    {L"Browser", 0xA6},        // back
    {L"Browser", 0xA7},        // forward
    {L"Browser", 0xA8},        // refresh
    {L"Browser", 0xA9},        // stop
    {L"Browser", 0xAA},        // search
    {L"Browser", 0xAB},        // favorites
    {L"Browser", 0xAC},        // home
    {L"Launch", 0xB4},         // mail
    {L"Launch", 0xB5},         // media player
    {L"Launch", 0xB6},         // application 1 (the computer)
    {L"Launch", 0xB7},         // application 2 (the calculator)
    {L"Mouse", shortcutkey::LeftButton},
    {L"Mouse", shortcutkey::RightButton},
    {L"Mouse", shortcutkey::MiddleButton},
    {L"Mouse", shortcutkey::BackButton},
    {L"Mouse", shortcutkey::ForwardButton},
    {L"Wheel", shortcutkey::WheelUp},
    {L"Wheel", shortcutkey::WheelDown},
    {L"Wheel", shortcutkey::WheelLeft},
    {L"Wheel", shortcutkey::WheelRight},
});

}  // namespace vela
