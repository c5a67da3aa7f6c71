// The five buttons of a mouse and every name Vela has for one: the flags and
// side-button number of its synthetic input, its virtual key in a shortcut,
// the stored mouse function that clicks it and the input a slot watches. One
// row a button; whatever converts between these names reads the row.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/Action.h"
#include "core/InputRecords.h"
#include "core/Shortcut.h"
#include "core/SlotTable.h"

namespace vela {

// Back is the platform's first side button (XBUTTON1), Forward its second.
enum class MouseButton : unsigned char { Left, Right, Middle, Back, Forward };
inline constexpr std::size_t kMouseButtonCount = 5;

constexpr std::size_t indexOf(MouseButton b) {
    return static_cast<std::size_t>(b);
}

struct MouseButtonInfo {
    MouseButton button;
    std::uint32_t downFlag;  // of its synthetic input (mouseflag)
    std::uint32_t upFlag;
    std::uint32_t xButton;           // kXButton1 or kXButton2 for a side button, else 0
    ShortcutKey key;                 // its virtual key in a shortcut
    MouseFunction click;             // the stored mouse function that clicks it
    std::optional<Trigger> trigger;  // the input a slot watches; none for the left
};

inline constexpr std::array<MouseButtonInfo, kMouseButtonCount> kMouseButtons{{
    {MouseButton::Left, mouseflag::LeftDown, mouseflag::LeftUp, 0, shortcutkey::LeftButton,
     MouseFunction::LeftClick, std::nullopt},
    {MouseButton::Right, mouseflag::RightDown, mouseflag::RightUp, 0, shortcutkey::RightButton,
     MouseFunction::RightClick, Trigger::RightButton},
    {MouseButton::Middle, mouseflag::MiddleDown, mouseflag::MiddleUp, 0, shortcutkey::MiddleButton,
     MouseFunction::MiddleClick, Trigger::MiddleButton},
    {MouseButton::Back, mouseflag::XDown, mouseflag::XUp, kXButton1, shortcutkey::BackButton,
     MouseFunction::BackClick, Trigger::BackButton},
    {MouseButton::Forward, mouseflag::XDown, mouseflag::XUp, kXButton2, shortcutkey::ForwardButton,
     MouseFunction::ForwardClick, Trigger::ForwardButton},
}};

constexpr bool rowsInButtonOrder() {
    for (std::size_t i = 0; i < kMouseButtons.size(); ++i)
        if (indexOf(kMouseButtons[i].button) != i) return false;
    return true;
}
static_assert(rowsInButtonOrder(), "a button's row is at its own index");

constexpr const MouseButtonInfo& buttonInfo(MouseButton b) {
    return kMouseButtons[indexOf(b)];
}

// The button a mouse function clicks; none for the wheel's.
constexpr std::optional<MouseButton> buttonClickedBy(MouseFunction function) {
    for (const MouseButtonInfo& row : kMouseButtons)
        if (row.click == function) return row.button;
    return std::nullopt;
}

// The button a shortcut's key is, if it is one.
constexpr std::optional<MouseButton> buttonOfKey(ShortcutKey key) {
    for (const MouseButtonInfo& row : kMouseButtons)
        if (row.key == key) return row.button;
    return std::nullopt;
}

// The side button an event's XBUTTON number names.
constexpr std::optional<MouseButton> sideButton(std::uint32_t xButton) {
    for (const MouseButtonInfo& row : kMouseButtons)
        if (row.xButton != 0 && row.xButton == xButton) return row.button;
    return std::nullopt;
}

static_assert(buttonClickedBy(MouseFunction::BackClick) == MouseButton::Back &&
              !buttonClickedBy(MouseFunction::WheelUp) &&
              buttonOfKey(shortcutkey::ForwardButton) == MouseButton::Forward &&
              !buttonOfKey(shortcutkey::WheelUp) && sideButton(kXButton1) == MouseButton::Back &&
              !sideButton(0));

}  // namespace vela
