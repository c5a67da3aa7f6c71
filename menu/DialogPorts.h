// The small modal dialogs the menu's commands open: a message or a question,
// a file to open or to save, a shortcut pressed on the keyboard, a text to type.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/Geometry.h"
#include "core/Shortcut.h"

namespace vela {

// A modal message box with an OK button only, owned by the main window.
class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;
    // Returns when the user has dismissed it.
    virtual void showMessage(const std::wstring& text, const std::wstring& caption) = 0;
    // The same with Yes and No: true for Yes.
    virtual bool askYesNo(const std::wstring& text, const std::wstring& caption) = 0;
};

struct OpenFileRequest {
    // Filter pairs separated by '|', ending in "||".
    std::wstring_view filter;
    bool hideReadOnly = false;
    bool fileMustExist = false;
    std::wstring_view defaultExtension;  // empty: none
    std::wstring_view initialFileName;   // empty: none
};

struct ChosenFile {
    std::wstring fullPath;
    std::wstring fileName;  // name and extension, no folders
};

class OpenFileDialogPort {
public:
    virtual ~OpenFileDialogPort() = default;
    // A modal open-file dialog; nullopt when the user cancels.
    virtual std::optional<ChosenFile> chooseFile(const OpenFileRequest& request) = 0;
};

struct SaveFileRequest {
    // Filter pairs separated by '|', ending in "||".
    std::wstring_view filter;
    std::wstring_view defaultExtension;  // added to a name typed without one
    std::wstring_view initialFileName;
};

class SaveFileDialogPort {
public:
    virtual ~SaveFileDialogPort() = default;
    // A modal save-file dialog that asks before a file is replaced; nullopt
    // when the user cancels.
    virtual std::optional<ChosenFile> chooseSaveFile(const SaveFileRequest& request) = 0;
};

// "Keys and Shortcuts...": the user presses the shortcut (or picks a key the
// keyboard lacks) while the keyboard is Vela's alone.
class ShortcutDialogPort {
public:
    virtual ~ShortcutDialogPort() = default;
    // Shows `current` (empty for none) until something is pressed; the shortcut
    // confirmed with OK, never empty, or nullopt when the user cancelled.
    virtual std::optional<Shortcut> askForShortcut(const Shortcut& current) = 0;
};

// "Gestures…": what the gestures dialog shows and changes. Its rows are the
// four directions (GestureDirection's order) and the click.
inline constexpr std::size_t kGestureRows = 5;
class GestureEditing {
public:
    virtual ~GestureEditing() = default;
    // Each row's function as its button shows it.
    virtual std::array<std::wstring, kGestureRows> gestureCaptions() = 0;
    virtual std::array<bool, 4> gestureRepeats() = 0;
    // Opens the function menu at `at` (screen coordinates) for the row's
    // function; the choice arrives later, and `changed` hears of it.
    virtual void chooseGesture(std::size_t row, Point at) = 0;
    virtual void setGestureRepeat(std::size_t direction, bool repeat) = 0;
    virtual void listenToGestures(std::function<void()> changed) = 0;
};

class GesturesDialogPort {
public:
    virtual ~GesturesDialogPort() = default;
    // Shows the rows of `editing` until the user closes the dialog; every
    // choice acts at once.
    virtual void editGestures(GestureEditing& editing) = 0;
};

// "Type Text...": the text a press types.
class TypedTextDialogPort {
public:
    virtual ~TypedTextDialogPort() = default;
    // Starts with `current`; the text confirmed with OK, never empty, or
    // nullopt when the user cancelled.
    virtual std::optional<std::wstring> askForText(const std::wstring& current) = 0;
};

}  // namespace vela
