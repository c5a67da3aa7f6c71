// The composition root: builds Vela's services over their Win32 ports, owns
// them for the life of the program, and connects them. Each subsystem with
// messages of its own has a window of its own: the main window (a view: its
// commands and timers), the tray, the hook reports and the foreground watch.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "app/HookSide.h"
#include "app/MainWindow.h"
#include "app/PlaybackSide.h"
#include "app/PressSide.h"
#include "app/TrayController.h"
#include "app/ports/PlatformPorts.h"
#include "app/ports/Win32ForegroundWatch.h"
#include "app/ports/Win32HookPort.h"
#include "controls/ShortcutDlg.h"
#include "controls/TypeTextDlg.h"
#include "core/ActionExecutor.h"
#include "core/Autostart.h"
#include "core/Overlay.h"
#include "core/PausableHooks.h"
#include "core/PlatformFlags.h"
#include "core/PressPath.h"
#include "core/ProfileEditor.h"
#include "core/SlotModel.h"
#include "core/SlotSet.h"
#include "core/TimerTasks.h"
#include "macro/RefreshingPlayback.h"
#include "menu/AssignmentCommands.h"
#include "menu/ProfileCommands.h"
#include "menu/win32/Win32MenuPorts.h"
#include "settings/ButtonSettingsStore.h"
#include "win32/Handle.h"

namespace vela {

class Composition final : public MainWindowEvents, public SavePort {
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

private:
    // The menu's ports over the window, and the commands over them.
    struct MenuCommands {
        MenuCommands(HINSTANCE module, HWND window, bool win8MenuEnabled, SlotModel& model,
                     MacroFolderPort& macroFolder, MacroLoaderPort& macroLoader,
                     ProfileEditor& editor, const OverlaySet& overlays, KeyCapturePort& capture,
                     KeyNames& keyNames);
        win32::Win32MessageBox messages;
        win32::Win32OpenFileDialog files;
        Win32ShortcutDialog shortcuts;
        Win32TypedTextDialog texts;
        win32::Win32FunctionMenu menu;
        win32::Win32ProgramList programs;
        win32::Win32CaptionGeometry captions;
        menu::AssignmentCommands commands;
        menu::ProfileCommands profiles;
    };
    void editDescription(const SlotInfo& slot);
    // "Pause Remapping" and its shortcut: every hook out, then what is held
    // let go (or the hooks back), the tray icon grey (or not).
    void togglePause();
    // A command of the tray's "Mouse" submenu: the engine retuned, a save.
    void onMouseCommand(std::uint32_t command);
    [[noreturn]] void exitApplication();

    HINSTANCE module_;
    std::wstring commandLine_;
    std::wstring modulePath_;
    std::wstring moduleFolder_;
    // What the running system offers, asked once.
    PlatformFlags platform_;

    win32::PlatformPorts ports_;
    // The hook libraries, their reports and the engine behind them.
    HookSide hooks_;

    // The window, then the services that show through it.
    CVoZuzevArarozerudiDlg window_;
    PlaybackSide playback_;
    PressSide presses_;
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
