// What happens when the user clicks a caption button or picks a function.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/KeyNames.h"
#include "core/MacroLoaderPort.h"
#include "core/ProfileEditor.h"
#include "core/SlotModel.h"
#include "menu/CaptionGeometryPort.h"
#include "menu/DialogPorts.h"
#include "menu/FunctionCatalogue.h"
#include "menu/FunctionMenuPort.h"

namespace vela::menu {

// Alt itself passes; only Tab pressed while Alt is held belongs to the slot.
inline constexpr std::wstring_view kAltKeyWarning =
    L"Alt+Tab Will Be Taken By Vela. Alt And Your Other Alt Shortcuts Keep Working.";
inline constexpr std::wstring_view kProgramFilter = L"EXE files(*.exe)|*.exe||";

// The platform's open-file filter format: '|' separators become NULs, so
// "A|*.a||" becomes "A\0*.a\0\0".
inline std::wstring toPlatformFilter(std::wstring_view pipes) {
    std::wstring out(pipes);
    for (wchar_t& c : out) {
        if (c == L'|') c = L'\0';
    }
    return out;
}
// The menu opens this far in from the caption button's left edge and below its
// bottom edge, so the pointer rests just inside its first row.
inline constexpr std::int32_t kMenuOffsetX = 15;
inline constexpr std::int32_t kMenuOffsetY = 2;

struct MenuCommandPorts {
    MessageBoxPort& messages;
    OpenFileDialogPort& files;
    FunctionMenuPort& menu;
    CaptionGeometryPort& captions;
    // The "Macro" category: where the scripts are, and what reads one in.
    // Without both the menu has no such category.
    MacroFolderPort* macroFolder = nullptr;
    MacroLoaderPort* macroLoader = nullptr;
    // "Keys and Shortcuts..." and "Type Text...": what asks the user, and the
    // keyboard's names for the caption (English ones without).
    ShortcutDialogPort* shortcuts = nullptr;
    TypedTextDialogPort* texts = nullptr;
    KeyNames* keyNames = nullptr;
    // "Gestures…": without it the gestures are chosen in the file only.
    GesturesDialogPort* gestures = nullptr;
};

// Which of the slot's functions the next choice in the function menu sets:
// its own, one of its gestures, its click, double click or long press.
enum class ChoiceFor : std::uint8_t { Up, Down, Left, Right, Click, DoubleClick, LongPress, Function };

// The rows of a button that scrolls while dragged, after its options.
inline constexpr std::wstring_view kScrollOneAxisText = L"Scroll Along One Axis";
inline constexpr std::wstring_view kScrollSpeedText = L"Scroll Speed";
inline constexpr std::uint16_t kScrollOneAxisCommand = 77;
// A layer button's row: held long it still taps, moved it drags as itself.
inline constexpr std::wstring_view kLayerOwnClickText = L"Keep Its Own Click and Drag";
inline constexpr std::uint16_t kLayerOwnClickCommand = 82;
inline constexpr std::uint16_t kFirstScrollSpeedCommand = 78;
// In percent of the speed at which a notch is 20 pixels of movement.
inline constexpr std::array<std::uint16_t, 4> kScrollSpeeds{50, 100, 200, 400};
static_assert(!findCatalogueEntry(kScrollOneAxisCommand) && !findCatalogueEntry(kLayerOwnClickCommand) &&
              kLayerOwnClickCommand < kMenuExtraCommands.first &&
              !findCatalogueEntry(kFirstScrollSpeedCommand + kScrollSpeeds.size() - 1) &&
              kFirstScrollSpeedCommand + kScrollSpeeds.size() <= kMenuExtraCommands.first);

// What a gesture row shows where it has no function, and the click's row
// where the button clicks as itself.
inline constexpr std::wstring_view kNotSetText = L"Not Set";
inline constexpr std::wstring_view kOwnClickText = L"Its Own Click";

// How long the start of a text is in its row of the function menu.
inline constexpr std::size_t kMenuTextPreviewLength = 16;

// One handler for every catalogue command, driven by the catalogue table; the
// slot model does the caption, hook, repaint and save-timer work. All calls
// come from the user-interface thread.
class AssignmentCommands final : public GestureEditing {
public:
    // `applicationName` captions the Alt-key warning.
    AssignmentCommands(SlotModel& model, MenuCommandPorts ports, std::wstring applicationName);

    // A click on a slot's caption button.
    void openFunctionMenu(Slot slot);
    // The same, by caption control id; false when the control is no slot's
    // caption (the DPI caption, for one).
    bool openFunctionMenuForControl(int controlId);

    // A command from the main window. False when the id is not a catalogue
    // command, so the window can handle it itself.
    bool onCommand(std::uint32_t commandId);

    void applyCatalogueEntry(const CatalogueEntry& entry);
    void restoreOwnFunction();
    void chooseProgram();
    // Asks for a shortcut or a text (starting from the slot's own when it has
    // one); the slot presses or types what is confirmed, under a caption
    // that shows it.
    void chooseShortcut();
    void chooseText();
    // "Layer While Held" for a button (outside a layer): its layer acts
    // while it is held.
    void chooseLayerWhileHeld();
    // A script chosen from the "Macro" category: the active slot plays it
    // from now on, read at once, as a settings file with keyAction 6 says.
    void assignScript(const std::wstring& script);

    // From now on the commands change what `editor` edits.
    void useEditor(ProfileEditor* editor) { editor_ = editor; }
    // `changed` hears of every change to a button's triggers, the gestures
    // dialog's own (which are no command) among them.
    void onTriggersChanged(std::function<void()> changed) { triggersChanged_ = std::move(changed); }

    // The function menu again, at `at`, its choice going to `choice` of the
    // active slot ("No Settings" clears it).
    void openChoiceMenu(ChoiceFor choice, Point at);
    // What a function does, as a caption shows it ("Copy", "Ctrl+Shift+T").
    std::wstring functionCaption(const Action& function);

    // GestureEditing, for the active slot.
    std::array<std::wstring, kGestureRows> gestureCaptions() override;
    std::array<bool, 4> gestureRepeats() override;
    void chooseGesture(std::size_t row, Point at) override;
    void setGestureRepeat(std::size_t direction, bool repeat) override;
    void listenToGestures(std::function<void()> changed) override {
        gesturesChanged_ = std::move(changed);
    }

private:
    // The slot a command addresses, or nullptr when no menu was opened.
    const SlotInfo* activeSlotInfo();
    // The model the window edits now: "All Programs" or a program's profile.
    SlotModel& model();
    // A command changed the slot (in a profile it becomes the profile's own).
    void changed(Slot slot);
    void assign(Slot slot, const std::wstring& caption, Action function);
    std::wstring shortcutCaption(const Shortcut& shortcut);
    // The function the open menu's choice replaces, if any.
    const Action* currentChoice();
    void setChoice(Slot slot, std::optional<Action> function);
    // The menu's position under the slot's caption.
    Point menuPoint(const SlotInfo& info);

    SlotModel& model_;
    ProfileEditor* editor_ = nullptr;
    MenuCommandPorts ports_;
    std::wstring applicationName_;
    // The scripts the open (or last) menu listed, in command order.
    std::vector<std::wstring> menuScripts_;
    ChoiceFor choiceFor_ = ChoiceFor::Function;
    std::function<void()> gesturesChanged_;
    std::function<void()> triggersChanged_;
};

// Invalidates the main window under every caption button, in slot table order,
// so the skinned captions redraw their new text over the background.
void repaintCaptions(CaptionGeometryPort& captions);

}  // namespace vela::menu
