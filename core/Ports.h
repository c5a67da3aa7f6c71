// Every interface through which portable code reaches the platform.
//
// On Windows each is a thin adapter (app/ports, menu/win32); in the native
// tests each has one fake in tests/support. Nothing here includes a platform
// header.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Geometry.h"
#include "core/SlotTable.h"

namespace vela {

// ---- Input ------------------------------------------------------------------

// One synthetic input event, field for field the platform's INPUT record.
struct InputRecord {
    enum Type : std::uint32_t { Mouse = 0, Keyboard = 1 };

    std::uint32_t type = Mouse;
    // Mouse fields.
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    std::uint32_t mouseData = 0;
    // Keyboard fields.
    std::uint16_t virtualKey = 0;
    std::uint16_t scanCode = 0;
    // Shared fields.
    std::uint32_t flags = 0;
    std::uint32_t time = 0;
    std::uint64_t extraInfo = 0;

    bool operator==(const InputRecord&) const = default;
};

// Input synthesis and the clocks that go with it.
class InputPort {
public:
    virtual ~InputPort() = default;
    // One SendInput call with all the records, in order.
    virtual void send(std::span<const InputRecord> records) = 0;
    // Blocks the calling thread for `ms` milliseconds, as precisely as the
    // platform allows.
    virtual void sleepMs(std::uint32_t ms) = 0;
    virtual Point cursorPos() = 0;
    virtual Size primaryScreenSize() = 0;
    // The bounding box of all monitors.
    virtual Rect virtualScreen() = 0;
    virtual std::uint32_t tickCount() = 0;
    virtual std::uint64_t messageExtraInfo() = 0;
    // The scan code of a virtual key in the layout of the program in front
    // (0 for a key it has none for).
    virtual std::uint16_t scanCodeOf(std::uint16_t virtualKey) = 0;
};

// Lets go of what Vela's own input holds down: a slot's playback (stopped
// first) when the slot changes, or everything, before Vela resets or ends.
class ReleasePort {
public:
    virtual ~ReleasePort() = default;
    virtual void releaseSlot(Slot slot) = 0;
    virtual void releaseAll() = 0;
};

// Ends the pauses of a slot's playback thread at once (its stop is asked
// for separately), so a stopped script does not sit out a long Delay.
class PlaybackWakePort {
public:
    virtual ~PlaybackWakePort() = default;
    virtual void wake(Slot slot) = 0;
};

// Installs and removes the hook library of a slot for the main window.
class HookPort {
public:
    virtual ~HookPort() = default;
    virtual void install(Slot slot) = 0;
    virtual void remove(Slot slot) = 0;
};

// The clicks that may bring another window to the front, seen by the hook
// engine, for systems whose foreground event does not reach other processes.
// Watching them keeps a low-level mouse hook in.
class ClickWatchPort {
public:
    virtual ~ClickWatchPort() = default;
    virtual void watchClicks(bool on) = 0;
};

// ---- Programs, power and threads ---------------------------------------------

class ShellPort {
public:
    virtual ~ShellPort() = default;
    // Opens a file or program as the shell would on a double click.
    virtual void openFile(const std::wstring& file) = 0;
    // Runs a command line through the command interpreter and waits for it.
    virtual void runCommandAndWait(const std::wstring& commandLine) = 0;
};

class PowerPort {
public:
    virtual ~PowerPort() = default;
    // Standby when `suspend` is true, hibernation when false; forced.
    virtual void requestPowerState(bool suspend) = 0;
};

// Starts work on a thread that nobody joins: the end of the program never
// waits for it, so the work must own everything it touches.
class WorkerThreadPort {
public:
    virtual ~WorkerThreadPort() = default;
    // False when no thread could be started; `work` is then destroyed unrun.
    virtual bool startDetached(std::function<void()> work) = 0;
};

// Starts the playback of a slot's macro script on a worker thread. The
// playback must call PlaybackThreads::finish(slot) as its last act.
class PlaybackPort {
public:
    virtual ~PlaybackPort() = default;
    // False when no thread could be started; nothing will run then.
    virtual bool startPlayback(Slot slot) = 0;
};

// Plays a slot's loaded macro script to the end on the calling thread.
class ScriptPlayer {
public:
    virtual ~ScriptPlayer() = default;
    virtual void playOnThisThread(Slot slot) = 0;
};

// Reads the script `name` into the script table at position `slotNumber`.
class MacroLoaderPort {
public:
    virtual ~MacroLoaderPort() = default;
    virtual void LoadMacroScript(int slotNumber, const std::wstring& name) = 0;
};

// ---- The main window ----------------------------------------------------------

// The main window's side of an assignment change.
class ViewPort {
public:
    virtual ~ViewPort() = default;
    virtual void setCaption(Slot slot, const std::wstring& text) = 0;
    // The slot's description label (the user's note, or its default text).
    virtual void setDescriptionLabel(Slot slot, const std::wstring& text) = 0;
    virtual void repaintCaptions() = 0;
    // A slot whose caption shows what it inherits from "All Programs" while
    // a program's profile is edited: drawn dimmed.
    virtual void setCaptionInherited(Slot slot, bool inherited) = 0;
    // The caption that names the profile being edited.
    virtual void setProfileCaption(const std::wstring& text) = 0;
};

// The main window as the timers and the tray see it.
class WindowPort {
public:
    virtual ~WindowPort() = default;
    // Minimise, then hide: the tray icon brings it back.
    virtual void hide() = 0;
    virtual void show() = 0;
};

// One-shot window timers of the main window. Starting a running id restarts
// its period.
class TimerPort {
public:
    virtual ~TimerPort() = default;
    virtual void start(int timerId, std::uint32_t periodMs) = 0;
    virtual void stop(int timerId) = 0;
};

// Saves the settings file at once.
class SavePort {
public:
    virtual ~SavePort() = default;
    virtual void saveAll() = 0;
};

// ---- Files --------------------------------------------------------------------

// When a file was last written and how long it is: what tells that it changed
// since it was read, where no change notification says so.
struct FileStamp {
    std::uint64_t lastWrite = 0;  // the platform's own time units
    std::uint64_t size = 0;
    bool operator==(const FileStamp&) const = default;
};

// The steps out of which a file is read or safely replaced. Paths are the
// platform's (backslashes on Windows). Replacing a file goes through
// replaceFile() in settings/, which orders these steps so that a crash at any
// point leaves the old or the new file, never a mix.
class FilePort {
public:
    virtual ~FilePort() = default;
    // The whole content, or nullopt when the file cannot be opened or read.
    virtual std::optional<std::vector<std::uint8_t>> readAll(const std::wstring& path) = 0;
    // Whether something exists at `path`, readable or not.
    virtual bool exists(const std::wstring& path) = 0;
    // The file's stamp; nullopt when there is no file at `path`.
    virtual std::optional<FileStamp> stamp(const std::wstring& path) = 0;
    // Creates a new, empty file in the same folder as `target` and returns its
    // path; nullopt when none could be created.
    virtual std::optional<std::wstring> createTempBeside(const std::wstring& target) = 0;
    // Writes `bytes` as the whole content of an existing file and flushes them
    // to the disk before returning.
    virtual bool writeAndFlush(const std::wstring& path, std::span<const std::uint8_t> bytes) = 0;
    // Moves `from` over `to` in one step, replacing `to` when it exists.
    virtual bool moveOver(const std::wstring& from, const std::wstring& to) = 0;
    virtual void removeFile(const std::wstring& path) = 0;
    // The temporary files createTempBeside made in `target`'s folder that are
    // still there: left by a save that never finished.
    virtual std::vector<std::wstring> tempFilesBeside(const std::wstring& target) = 0;
    // Makes the folder `path` and any folder above it that is missing; true
    // when it exists afterwards.
    virtual bool createFolder(const std::wstring& path) = 0;
};

// The system's ANSI code page, the encoding the platform's profile functions
// give a settings file they create.
class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;
    virtual std::wstring decode(std::span<const std::uint8_t> bytes) = 0;
    // The text in the code page; nullopt when it holds a character the code
    // page has no byte for (nothing is replaced by a look-alike).
    virtual std::optional<std::vector<std::uint8_t>> encode(std::wstring_view text) = 0;
};

// Where starting with Windows is recorded. On Windows: the "BootValue" of the
// per-user application profile and the "Kestrel" value of the current user's
// Run key.
class AutostartPort {
public:
    virtual ~AutostartPort() = default;
    // nullopt when the user has never made a choice.
    virtual std::optional<int> readBootValue() = 0;
    virtual void writeBootValue(int value) = 0;
    // False when the Run key could not be opened.
    virtual bool setRunValue(const std::wstring& command) = 0;
    virtual bool deleteRunValue() = 0;
};

// ---- The function menu ------------------------------------------------------------

// A modal message box with an OK button only, owned by the main window.
class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;
    // Returns when the user has dismissed it.
    virtual void showMessage(const std::wstring& text, const std::wstring& caption) = 0;
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

// What the function menu shows beyond the catalogue for the slot it opens for.
struct FunctionMenuExtras {
    // The "Hold While Pressed" row, checked when true; none for a slot whose
    // input has no release (the wheel, the tilt).
    std::optional<bool> hold;
    // The "Macro" category: these scripts (paths under ScriptsMacros) and
    // "Open Macro Folder"; none for a slot that plays no scripts.
    std::optional<std::vector<std::wstring>> scripts;
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

class FunctionMenuPort {
public:
    virtual ~FunctionMenuPort() = default;
    // Shows the function menu with its top-left corner at `at` (screen
    // coordinates) and returns when it closes; a choice arrives later as a
    // command to the main window.
    virtual void showFunctionMenu(Point at, const FunctionMenuExtras& extras) = 0;
};

// The profile menu: "All Programs" and every profile (the edited one
// checked), "New Profile For" the programs with windows now, "Delete This
// Profile".
struct ProfileMenuRow {
    std::uint16_t commandId = 0;
    std::wstring text;
    bool checked = false;
};
struct ProfileMenuContent {
    std::vector<ProfileMenuRow> profiles;  // "All Programs" first
    std::vector<ProfileMenuRow> newFor;    // empty: the submenu shows greyed
    bool canDelete = false;                // false while "All Programs" is edited
};

class ProfileMenuPort {
public:
    virtual ~ProfileMenuPort() = default;
    // As the function menu: shown at `at`, the choice comes later as a command.
    virtual void showProfileMenu(Point at, const ProfileMenuContent& content) = 0;
};

// The programs that have a visible top-level window now, by file name
// ("notepad.exe"), each once, Vela itself left out.
class ProgramListPort {
public:
    virtual ~ProgramListPort() = default;
    virtual std::vector<std::wstring> programsWithWindows() = 0;
};

// Where the caption buttons are, and repainting the main window under them.
class CaptionGeometryPort {
public:
    virtual ~CaptionGeometryPort() = default;
    virtual Rect captionScreenRect(int controlId) = 0;
    // The control's rectangle in the main window's client coordinates.
    virtual Rect captionClientRect(int controlId) = 0;
    // Marks part of the main window's client area for repainting, without
    // erasing its background.
    virtual void invalidate(const Rect& clientRect) = 0;
};

}  // namespace vela
