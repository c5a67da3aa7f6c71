// What the user chose, kept: the settings file, read once the window is ready
// and written whole on every save, and the Run entry that follows the choice
// to start with Windows.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/Autostart.h"
#include "core/AutostartPort.h"
#include "core/MacroLoaderPort.h"
#include "core/MouseTuning.h"
#include "core/Overlay.h"
#include "core/SavePort.h"
#include "core/SlotModel.h"
#include "core/TimerPort.h"
#include "settings/ButtonSettingsStore.h"

namespace vela {

class SettingsSide final : public SavePort {
public:
    // `modulePath` is the executable's: the file beside it, the Run entry
    // naming it. The save timer runs on `timers`.
    SettingsSide(AutostartPort& autostartPort, const std::wstring& modulePath, TimerPort& timers)
        : autostart(autostartPort, modulePath), modulePath_(modulePath), timers_(timers) {}
    SettingsSide(const SettingsSide&) = delete;
    SettingsSide& operator=(const SettingsSide&) = delete;

    // Once, as the window is ready: the Run entry made to match the user's
    // choice, then the file read into `model`, the overlays and the mouse
    // tuning. `tellFallback` hears of a folder that would not take a save.
    void load(SlotModel& model, MacroLoaderPort& macros, SettingsStorePorts ports,
              bool tiltSupported, OverlaySet& overlays, MouseTuning& tuning,
              std::function<void(const std::wstring& folder)> tellFallback);

    // The whole settings file, now; nothing before the file was read.
    void saveAll() override;
    // A save after the save timer's delay, and one waiting on it done now.
    void saveSoon();
    void savePending();

    // %APPDATA%\Vela\QmSetting.ini; empty where the system names no such
    // folder.
    static std::wstring perUserPath();

    Autostart autostart;
    // "Show Profile Changes", read and saved with the rest of the file.
    bool showProfileChanges = false;
    // "Wheel Follows the Pointer", the same way.
    bool wheelFollowsPointer = false;

private:
    std::wstring modulePath_;
    TimerPort& timers_;
    // Made once the window exists and the platform flags are known.
    std::optional<ButtonSettingsStore> store_;
};

}  // namespace vela
