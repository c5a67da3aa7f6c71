// The composition root: builds Vela's services over their Win32 ports, owns
// them for the life of the program, and connects them. The services come in
// a few sides, each building its own parts: the platform's ports, the hooks,
// playback, the press side, the settings, the tray and the menus. Each
// subsystem with messages of its own has a window of its own: the main window
// (a view: its commands and timers), the tray, the hook reports and the
// foreground watch.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/HookSide.h"
#include "app/MainWindow.h"
#include "app/MenuSide.h"
#include "app/NoticeWindow.h"
#include "app/PlaybackSide.h"
#include "app/PressSide.h"
#include "app/SettingsSide.h"
#include "app/TrayController.h"
#include "app/TraySide.h"
#include "app/ports/PlatformPorts.h"
#include "core/PlatformFlags.h"
#include "core/SlotTable.h"
#include "core/TimerTasks.h"
#include "menu/MouseMenu.h"

namespace vela {

class Composition final : public MainWindowEvents, private TrayEvents {
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

private:
    // TrayEvents
    [[noreturn]] void exitApplication() override;
    // Every hook out, then what is held let go (or the hooks back), the tray
    // icon grey (or not).
    void togglePause() override;
    bool paused() const override;
    void beforeReset() override;
    std::vector<menu::MouseMenuRow> mouseMenu() const override;
    // The engine retuned, a save.
    void mouseCommand(std::uint32_t command) override;
    bool showsProfileChanges() const override;
    // The notice on or off, then a save.
    void toggleProfileChanges() override;
    bool wheelFollowsPointer() const override;
    // The wheel's hooks and profiles follow, then a save.
    void toggleWheelFollowsPointer() override;

    void editDescription(const SlotInfo& slot);

    HINSTANCE module_;
    std::wstring commandLine_;
    std::wstring modulePath_;
    // What the running system offers, asked once.
    PlatformFlags platform_;

    win32::PlatformPorts ports_;
    // The hook libraries, their reports and the engine behind them.
    HookSide hooks_;
    // The window, then the services that show through it.
    CVoZuzevArarozerudiDlg window_;
    PlaybackSide playback_;
    PressSide presses_;
    SettingsSide settings_;
    TimerTasks timerTasks_;
    TraySide tray_;
    // What applies now, shown near the pointer as it changes (when on).
    NoticeWindow notice_;
    // Made once the window exists.
    std::optional<MenuSide> menu_;
};

}  // namespace vela
