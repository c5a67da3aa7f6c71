#include "app/SettingsSide.h"

#include <shlobj.h>
#include <windows.h>

#include "core/MessageIds.h"
#include "core/ProgramFiles.h"

namespace vela {

void SettingsSide::load(SlotModel& model, MacroLoaderPort& macros, SettingsStorePorts ports,
                        bool tiltSupported, OverlaySet& overlays, MouseTuning& tuning,
                        std::function<void(const std::wstring& folder)> tellFallback) {
    // The profile wins over whatever the Run entry says now.
    autostart.syncAtStartup();
    store_.emplace(model, macros, ports, modulePath_, tiltSupported);
    store_->useFallback(perUserPath(), std::move(tellFallback));
    store_->useOverlays(&overlays);
    store_->useMouseTuning(&tuning);
    store_->useNoticeOption(&showProfileChanges);
    store_->useWheelOption(&wheelFollowsPointer);
    store_->loadAll();
}

void SettingsSide::saveAll() {
    if (store_) store_->saveAll();
}

void SettingsSide::saveSoon() {
    timers_.start(kSaveTimerId, kSaveDelayMs);
}

void SettingsSide::savePending() {
    timers_.stop(kSaveTimerId);
    saveAll();
}

std::wstring SettingsSide::perUserPath() {
    wchar_t folder[MAX_PATH + 1] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return {};
    return std::wstring(folder) + L"\\Vela\\" + std::wstring(kSettingsFileName);
}

}  // namespace vela
