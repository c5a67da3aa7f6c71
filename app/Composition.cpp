#include "app/Composition.h"

#include "controls/DescriptionCommand.h"
#include "core/ProgramFiles.h"
#include "menu/MouseMenu.h"
#include "resources/resource.h"
#include "win32/ModulePath.h"
#include "win32/Platform.h"

namespace vela {

namespace {

const SlotInfo* slotOfDescriptionLabel(int control) {
    for (const SlotInfo& info : kSlotTable)
        if (info.descriptionControl == control) return &info;
    return nullptr;
}

}  // namespace

Composition::Composition(HINSTANCE module, std::wstring commandLine)
    : module_(module),
      commandLine_(std::move(commandLine)),
      modulePath_(win32::modulePath()),
      platform_(win32::runningPlatformFlags()),
      ports_(moduleFolderOf(modulePath_)),
      hooks_(module),
      window_(module, *this),
      playback_(ports_, hooks_.engine, moduleFolderOf(modulePath_)),
      presses_(module, hooks_.engine, playback_, ports_, window_),
      settings_(ports_.autostart, modulePath_, ports_.timers),
      timerTasks_(ports_.timers, settings_, window_, playback_),
      tray_(module, TrayActions{window_, presses_.model, settings_, settings_.autostart, *this}),
      notice_(module) {
    hooks_.reportTo(presses_.path, tray_.tray);
    presses_.onVelaOff([this](const std::wstring& program) { tray_.tray.showVelaOff(program); });
    presses_.path.listen(&notice_.notice);
}

Composition::~Composition() {
    presses_.release.releaseAll();
}

void Composition::run() {
    window_.run();
}

// ---- Start-up, in the order the rest of the program relies on -----------------

void Composition::onWindowCreated(HWND window) {
    ports_.timers.setWindow(window);
    menu_.emplace(module_, window, platform_.win8MenuEnabled, presses_.model, ports_.macroFolder,
                  playback_.loader, presses_.editor, presses_.overlays, hooks_.engine,
                  ports_.keyNames, ports_.files, ports_.ansi);
    menu_->commands.onTriggersChanged([this] { presses_.hooks.refreshTriggers(); });
    presses_.executor.repeatState().firstPress = true;
    if (!platform_.tiltSupported) {
        for (const SlotInfo& info : kSlotTable)
            if (info.needsTilt) window_.disableCaption(info.captionControl);
    }
    if (commandLine_.empty()) ports_.timers.start(kHideTimerId, kHideDelayMs);
}

void Composition::onWindowReady() {
    settings_.load(presses_.model, playback_.loader,
                   SettingsStorePorts{ports_.files, ports_.ansi, window_}, platform_.tiltSupported,
                   presses_.overlays, hooks_.tuning,
                   [this](const std::wstring& folder) { tray_.tellFallback(folder); });
    presses_.hooks.setTuning(hooks_.tuning);
    presses_.hooks.refreshTriggers();
    notice_.notice.setEnabled(settings_.showProfileChanges);
    presses_.path.profiles().setWheelFollowsPointer(settings_.wheelFollowsPointer);
    presses_.followForeground();
    presses_.watchClicks();
    presses_.watchScripts(ports_.macroFolder);
    tray_.add(window_.hwnd(), window_.smallIcon());
}

// ---- What the main window passes on ------------------------------------------------

bool Composition::onCommand(int id) {
    if (tray_.tray.onCommand(static_cast<std::uint32_t>(id))) return true;
    if (const SlotInfo* slot = slotOfDescriptionLabel(id)) {
        editDescription(*slot);
        return true;
    }
    if (id == IDC_SAVE_AND_EXIT) {  // the window has hidden itself
        settings_.saveAll();
        return true;
    }
    if (!menu_) return false;
    if (id == IDC_CAPTION_DPI) {
        menu_->profiles.openMenu();
        return true;
    }
    if (menu_->profiles.onCommand(static_cast<std::uint32_t>(id))) {
        presses_.watchClicks();
        presses_.hooks.refreshTriggers();
        return true;
    }
    if (menu_->commands.openFunctionMenuForControl(id)) return true;
    if (!menu_->commands.onCommand(static_cast<std::uint32_t>(id))) return false;
    presses_.watchClicks();  // a button may have become a layer button, or stopped being one
    presses_.hooks.refreshTriggers();
    return true;
}

void Composition::onTimer(int timerId) {
    timerTasks_.onTimer(timerId);
}

void Composition::onSessionEnding() {
    // The process may end without another message: the chatter filter's held
    // release goes now, or the button stays down for the system.
    hooks_.engine.letGo();
    hooks_.engine.endCapture();
    presses_.release.releaseAll();
    settings_.savePending();
}

void Composition::mouseCommand(std::uint32_t command) {
    if (!menu::applyMouseCommand(command, hooks_.tuning)) return;
    presses_.hooks.setTuning(hooks_.tuning);
    settings_.saveSoon();
}

bool Composition::showsProfileChanges() const {
    return settings_.showProfileChanges;
}

void Composition::toggleProfileChanges() {
    settings_.showProfileChanges = !settings_.showProfileChanges;
    notice_.notice.setEnabled(settings_.showProfileChanges);
    settings_.saveSoon();
}

bool Composition::wheelFollowsPointer() const {
    return settings_.wheelFollowsPointer;
}

void Composition::toggleWheelFollowsPointer() {
    settings_.wheelFollowsPointer = !settings_.wheelFollowsPointer;
    presses_.path.profiles().setWheelFollowsPointer(settings_.wheelFollowsPointer);
    settings_.saveSoon();
}

void Composition::togglePause() {
    tray_.tray.showPaused(presses_.togglePause());
}

bool Composition::paused() const {
    return presses_.hooks.paused();
}

void Composition::beforeReset() {
    presses_.editor.edit(L"");
}

std::vector<menu::MouseMenuRow> Composition::mouseMenu() const {
    return menu::mouseMenuRows(hooks_.tuning, hooks_.reports.bounces());
}

void Composition::editDescription(const SlotInfo& slot) {
    presses_.editor.editNote(slot.slot,
                             [this] { return askForDescription(module_, window_.hwnd()); });
}

void Composition::exitApplication() {
    // The keyboard the user's again, a release the chatter filter holds sent,
    // playbacks and texts stopped and every key and button of Vela's let go
    // first: the process ends at once after this.
    hooks_.engine.letGo();
    hooks_.engine.endCapture();
    presses_.release.releaseAll();
    tray_.tray.remove();
    settings_.saveAll();
    // No window close, no hook removal: the system releases the hooks and the
    // instance mutex with the process.
    ExitProcess(0);
}

}  // namespace vela
