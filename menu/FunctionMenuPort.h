// The function menu of a slot, and the scripts folder its "Macro" category
// lists.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Geometry.h"
#include "core/SlotOptions.h"

namespace vela {

// An option's row at the end of the menu's root, checked while it is on.
struct SlotOptionRow {
    const SlotOption* option;
    bool on;
};

// What the function menu shows beyond the catalogue for the slot it opens for.
struct FunctionMenuExtras {
    // The rows of the options the slot offers (core/SlotOptions.h), in table
    // order.
    std::vector<SlotOptionRow> options;
    // The "Macro" category: these scripts (paths under ScriptsMacros) and
    // "Open Macro Folder"; none for a slot that plays no scripts.
    std::optional<std::vector<std::wstring>> scripts;
    // The catalogue row of the slot's function, checked, with what it does
    // shown at its right end ("Ctrl+Shift+T"); 0 for none marked.
    std::uint16_t chosenCommand = 0;
    std::wstring chosenDetail;
    // "Layer While Held", "Gestures…" and "Drag to Scroll" among the root's
    // entries: for a button, outside a layer.
    bool buttonRowsOffered = false;
    // "Double Click…" and "Long Press…": for a button, outside a layer and
    // not a layer's button, each checked with its function at the right end
    // where it has one.
    bool triggerRowsOffered = false;
    struct MarkedRow {
        std::uint16_t commandId;
        std::wstring detail;
    };
    std::vector<MarkedRow> marked;
    // For a button that scrolls while dragged: "Scroll Along One Axis"
    // (checked while on) and "Scroll Speed" with its choices, the one set
    // checked.
    struct ScrollRows {
        bool oneAxis = true;
        std::uint16_t speed = 100;
    };
    std::optional<ScrollRows> scroll;
    // For a layer's button: "Keep Its Own Click and Drag", checked while on.
    std::optional<bool> layerOwnClick;
};

class FunctionMenuPort {
public:
    virtual ~FunctionMenuPort() = default;
    // Shows the function menu with its top-left corner at `at` (screen
    // coordinates) and returns when it closes; a choice arrives later as a
    // command to the main window.
    virtual void showFunctionMenu(Point at, const FunctionMenuExtras& extras) = 0;
};

// The ScriptsMacros folder beside the program, as the function menu uses it.
class MacroFolderPort {
public:
    virtual ~MacroFolderPort() = default;
    // Every file under the folder, subfolders included, as paths relative to
    // it ("Games\\Reload.txt"), sorted without regard to case.
    virtual std::vector<std::wstring> scriptNames() = 0;
    // Opens the folder in the shell's file window, made first when missing.
    virtual void openFolder() = 0;
};

}  // namespace vela
