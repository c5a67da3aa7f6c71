// The composition root: builds Vela's services over their Win32 ports, owns
// them for the life of the program, and connects them. Each subsystem with
// messages of its own has a window of its own: the main window (a view: its
// commands and timers), the tray, the hook reports and the foreground watch.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "app/HookReports.h"
#include "app/MainWindow.h"
#include "app/TrayController.h"
#include "app/ports/Win32AutostartPort.h"
#include "app/ports/Win32FilePort.h"
#include "app/ports/Win32ForegroundWatch.h"
#include "app/ports/Win32HookPort.h"
#include "app/ports/Win32InputPort.h"
#include "app/ports/Win32KeyNames.h"
#include "app/ports/Win32MacroFolder.h"
#include "app/ports/Win32PlaybackPorts.h"
#include "app/ports/Win32ShellPort.h"
#include "app/ports/Win32Threads.h"
#include "app/ports/Win32TimerPort.h"
#include "controls/ShortcutDlg.h"
#include "controls/TypeTextDlg.h"
#include "core/ActionExecutor.h"
#include "core/Autostart.h"
#include "core/HeldInputs.h"
#include "core/Overlay.h"
#include "core/PausableHooks.h"
#include "core/PlatformFlags.h"
#include "core/PlaybackThreads.h"
#include "core/PressPath.h"
#include "core/ProfileEditor.h"
#include "core/SlotModel.h"
#include "core/SlotSet.h"
#include "core/TimerTasks.h"
#include "core/TrackedInput.h"
#include "macro/MacroPlayer.h"
#include "macro/MacroScriptLoader.h"
#include "macro/RefreshingPlayback.h"
#include "macro/TextTyper.h"
#include "menu/AssignmentCommands.h"
#include "menu/ProfileCommands.h"
#include "menu/win32/Win32MenuPorts.h"
#include "settings/ButtonSettingsStore.h"
#include "settings/ProfileFile.h"
#include "win32/Handle.h"

namespace vela {

class Composition final : public MainWindowEvents, public SavePort, public ScriptPlayer {
public:
    // `commandLine` is the text after the program name; empty starts hidden.
    Composition(HINSTANCE module, std::wstring commandLine);
    ~Composition() override;
    Composition(const Composition&) = delete;
    Composition& operator=(const Composition&) = delete;

    // Runs the main window until the system closes it.
    void run();

    // MainWindowEvents
    void onWindowCreated(HWND window) override;
    void onWindowReady() override;
    bool onCommand(int id) override;
    void onTimer(int timerId) override;
    void onSessionEnding() override;

    // SavePort: the whole settings file, now.
    void saveAll() override;
    // A save that waits on its timer, done at once.
    void savePending();
    static std::wstring perUserSettingsPath();
    void tellFallback(const std::wstring& folder);
    // ScriptPlayer: a slot's script on this thread (the playback timers).
    void playOnThisThread(Slot slot) override;

private:
    // The menu's ports over the window, and the commands over them.
    struct MenuCommands {
        MenuCommands(HINSTANCE module, HWND window, bool win8MenuEnabled, SlotModel& model,
                     MacroFolderPort& macroFolder, MacroLoaderPort& macroLoader,
                     ProfileEditor& editor, const OverlaySet& overlays, KeyCapturePort& capture,
                     KeyNames& keyNames, ProfileFilePort& profileFile);
        win32::Win32MessageBox messages;
        win32::Win32OpenFileDialog files;
        Win32ShortcutDialog shortcuts;
        Win32TypedTextDialog texts;
        win32::Win32FunctionMenu menu;
        win32::Win32ProgramList programs;
        win32::Win32CaptionGeometry captions;
        menu::AssignmentCommands commands;
        menu::ProfileCommands profiles;
        menu::ProfileFilePorts profileFiles;
    };
    // The hooks of the profile being edited are the runtime's to place.
    struct NoHooks final : HookPort {
        void install(Slot) override {}
        void remove(Slot) override {}
    };
    void editDescription(const SlotInfo& slot);
    // "Pause Remapping" and its shortcut: every hook out, then what is held
    // let go (or the hooks back), the tray icon grey (or not).
    void togglePause();
    // Clicks are watched while there are profiles to follow or layer
    // buttons whose tap a click spoils.
    void watchClicks();
    // A command of the tray's "Mouse" submenu: the engine retuned, a save.
    void onMouseCommand(std::uint32_t command);
    [[noreturn]] void exitApplication();

    HINSTANCE module_;
    std::wstring commandLine_;
    std::wstring modulePath_;
    std::wstring moduleFolder_;
    // What the running system offers, asked once.
    PlatformFlags platform_;

    // Ports.
    win32::Win32InputPort input_;
    win32::Win32KeyNames keyNames_;
    win32::Win32ShellPort shell_;
    win32::Win32PowerPort power_;
    // The hook libraries report to a window of their own.
    HookReports reports_;
    win32::Win32HookPort hooks_{reports_.hwnd()};
    // Declared before what it lets go of: built first, used only later.
    // Whatever lets go of what Vela holds ends a held layer first.
    LayerEndingRelease release_{releaser_, presses_};
    PausableHooks pausableHooks_{hooks_, &release_, &hooks_, &hooks_};
    // Global, not per program: a worn switch chatters in every program.
    MouseTuning mouseTuning_;
    win32::Win32FilePort files_;
    win32::Win32AnsiCodePage ansi_;
    // Profiles and layers shared as files of their own.
    ProfileFile profileFile_{files_, ansi_};
    win32::Win32AutostartPort autostartPort_;
    win32::Win32Threads threads_;
    win32::Win32TimerPort timers_;

    // The window, then the services that show through it.
    CVoZuzevArarozerudiDlg window_;
    std::shared_ptr<MacroScripts> macroScripts_;
    std::shared_ptr<PlaybackThreads> playbackThreads_;
    // What Vela's own input holds down, and who lets go of it.
    std::shared_ptr<HeldInputs> heldInputs_;
    win32::Win32PlaybackPorts playbackPorts_{&hooks_};
    InputReleaser releaser_;
    MacroScriptLoader macroLoader_;
    MacroPlayer player_;
    TextTyper typer_;
    SlotModel model_;
    win32::Win32MacroFolder macroFolder_;
    // Per-program profiles and layers: what acts for each slot while a
    // button is held or a program is in front (the program followed with a
    // foreground event hook), over "All Programs". The press path decides
    // which applies to a press and has the executor run it.
    OverlaySet overlays_;
    win32::Win32ForegroundWatch foreground_;
    PressPath presses_;
    RefreshingPlayback freshPlayback_;
    // The profile being edited, shown in the window instead of "All Programs".
    NoHooks noHooks_;
    SlotModel profileModel_;
    ProfileEditor editor_;
    ActionExecutor executor_;
    TimerTasks timerTasks_;
    Autostart autostart_;
    TrayController tray_;
    std::wstring unwritableFolder_;  // told once the tray icon exists
    bool trayAdded_ = false;
    // Made once the window exists and the platform flags are known.
    std::optional<ButtonSettingsStore> settings_;
    std::optional<MenuCommands> menu_;
};

}  // namespace vela
