#include "app/Composition.h"

#include <shlobj.h>

#include "controls/DescriptionCommand.h"
#include "core/ProgramFiles.h"
#include "menu/MouseMenu.h"
#include "menu/win32/Win32MenuPorts.h"
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

Composition::MenuCommands::MenuCommands(HINSTANCE module, HWND window, bool win8MenuEnabled,
                                        SlotModel& model, MacroFolderPort& macroFolder,
                                        MacroLoaderPort& macroLoader, ProfileEditor& editor,
                                        const OverlaySet& overlays, KeyCapturePort& capture,
                                        KeyNames& keyNames, ProfileFilePort& profileFile)
    : messages(window),
      files(window),
      shortcuts(module, window, capture, keyNames),
      texts(module, window),
      menu(window, win8MenuEnabled),
      captions(window),
      commands(model,
               {messages, files, menu, captions, &macroFolder, &macroLoader, &shortcuts, &texts,
                &keyNames},
               win32::executableApplicationName()),
      profiles(editor, overlays, menu, programs, captions),
      profileFiles{messages, files, files, profileFile, win32::executableApplicationName()} {
    commands.useEditor(&editor);
    profiles.useFiles(&profileFiles);
}

Composition::Composition(HINSTANCE module, std::wstring commandLine)
    : module_(module),
      commandLine_(std::move(commandLine)),
      modulePath_(win32::modulePath()),
      moduleFolder_(moduleFolderOf(modulePath_)),
      platform_(win32::runningPlatformFlags()),
      reports_(module, presses_,
               {[this](const CapturedKey& key) { hooks_.captured(key); },
                [this](const BounceCounts& counts) { tray_.showBounces(counts); }}),
      window_(module, *this),
      macroScripts_(std::make_shared<MacroScripts>()),
      playbackThreads_(std::make_shared<PlaybackThreads>()),
      heldInputs_(std::make_shared<HeldInputs>()),
      releaser_(*heldInputs_, *playbackThreads_, playbackPorts_, input_),
      macroLoader_(files_, moduleFolder_, macroScripts_),
      player_(
          macroScripts_, playbackThreads_, heldInputs_,
          [this](Slot slot) { return playbackPorts_.portFor(slot); }, threads_),
      typer_(
          playbackThreads_, heldInputs_, [this](Slot slot) { return playbackPorts_.portFor(slot); },
          threads_),
      model_(pausableHooks_, window_, timers_, &release_),
      macroFolder_(moduleFolder_ + L"\\" + std::wstring(kScriptsFolderName), shell_, files_),
      foreground_(module),
      presses_(
          model_, overlays_, pausableHooks_, &release_, [this] { freshPlayback_.scriptsChanged(); },
          executor_, foreground_),
      // A macro set in a layer plays the layer's script.
      freshPlayback_(player_, macroLoader_, presses_.pressedFunctions()),
      profileModel_(noHooks_, window_, timers_, &release_),
      editor_(model_, profileModel_, overlays_, presses_.profiles(), window_, timers_),
      executor_(
          model_,
          ExecutorPorts{input_, input_, shell_, power_, freshPlayback_, heldInputs_.get(), &typer_},
          *playbackThreads_),
      timerTasks_(timers_, *this, window_, *this),
      autostart_(autostartPort_, modulePath_),
      tray_(module,
            TrayActions{window_, model_, *this, autostart_, [this] { exitApplication(); },
                        [this] { togglePause(); }, [this] { return pausableHooks_.paused(); },
                        [this] { editor_.edit(L""); },
                        [this] { return menu::mouseMenuRows(mouseTuning_, reports_.bounces()); },
                        [this](std::uint32_t command) { onMouseCommand(command); }}) {
    // Before any slot goes in: a taken press's release must reach Vela.
    hooks_.listen(reports_.engineMessage());
    editor_.onLayerChange([this] { presses_.abandon(); });
}

Composition::~Composition() {
    release_.releaseAll();
}

void Composition::run() {
    window_.run();
}

// ---- Start-up, in the order the rest of the program relies on -----------------

void Composition::onWindowCreated(HWND window) {
    timers_.setWindow(window);
    menu_.emplace(module_, window, platform_.win8MenuEnabled, model_, macroFolder_, macroLoader_,
                  editor_, overlays_, hooks_, keyNames_, profileFile_);
    executor_.repeatState().firstPress = true;
    if (!platform_.tiltSupported) {
        for (const SlotInfo& info : kSlotTable)
            if (info.needsTilt) window_.disableCaption(info.captionControl);
    }
    if (commandLine_.empty()) timers_.start(kHideTimerId, kHideDelayMs);
}

void Composition::onWindowReady() {
    // The profile wins over whatever the Run entry says now.
    autostart_.syncAtStartup();
    settings_.emplace(model_, macroLoader_, SettingsStorePorts{files_, ansi_, window_}, modulePath_,
                      platform_.tiltSupported);
    settings_->useFallback(perUserSettingsPath(),
                           [this](const std::wstring& folder) { tellFallback(folder); });
    settings_->useOverlays(&overlays_);
    settings_->useMouseTuning(&mouseTuning_);
    settings_->loadAll();
    pausableHooks_.setTuning(mouseTuning_);
    presses_.profiles().profilesChanged();
    foreground_.start(
        [this](const std::wstring& program) { presses_.profiles().foregroundChanged(program); });
    watchClicks();
    // From here on an edited script is read again before it next plays.
    macroFolder_.watch([this] { freshPlayback_.scriptsChanged(); });
    tray_.add(window_.hwnd(), window_.smallIcon());
    trayAdded_ = true;
    if (!unwritableFolder_.empty()) tellFallback(unwritableFolder_);
    // Once the icon is there to say that another program has it.
    tray_.claimPauseShortcut();
}

// %APPDATA%\Vela\QmSetting.ini; empty where the system names no such folder.
std::wstring Composition::perUserSettingsPath() {
    wchar_t folder[MAX_PATH + 1] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)))
        return {};
    return std::wstring(folder) + L"\\Vela\\" + std::wstring(kSettingsFileName);
}

// Once the icon is there to carry it (the settings load before it is added).
void Composition::tellFallback(const std::wstring& folder) {
    if (!trayAdded_) {
        unwritableFolder_ = folder;
        return;
    }
    const std::wstring perUser(moduleFolderOf(perUserSettingsPath()));
    tray_.showBalloon(
        L"Vela keeps your settings elsewhere",
        L"Vela cannot save in\n" + folder + L"\nYour settings are kept in\n" + perUser);
    unwritableFolder_.clear();
}

// ---- What the main window passes on ------------------------------------------------

bool Composition::onCommand(int id) {
    if (tray_.onCommand(static_cast<std::uint32_t>(id))) return true;
    if (const SlotInfo* slot = slotOfDescriptionLabel(id)) {
        editDescription(*slot);
        return true;
    }
    if (id == IDC_SAVE_AND_EXIT) {  // the window has hidden itself
        saveAll();
        return true;
    }
    if (!menu_) return false;
    if (id == IDC_CAPTION_DPI) {
        menu_->profiles.openMenu();
        return true;
    }
    if (menu_->profiles.onCommand(static_cast<std::uint32_t>(id))) {
        watchClicks();
        return true;
    }
    if (menu_->commands.openFunctionMenuForControl(id)) return true;
    if (!menu_->commands.onCommand(static_cast<std::uint32_t>(id))) return false;
    watchClicks();  // a button may have become a layer button, or stopped being one
    return true;
}

void Composition::onTimer(int timerId) {
    timerTasks_.onTimer(timerId);
}

void Composition::onSessionEnding() {
    // The process may end without another message: the chatter filter's held
    // release goes now, or the button stays down for the system.
    hooks_.letGo();
    hooks_.endCapture();
    release_.releaseAll();
    savePending();
}

void Composition::watchClicks() {
    pausableHooks_.watchClicks(!overlays_.profiles().empty() || editor_.layerButtons().any());
}

void Composition::onMouseCommand(std::uint32_t command) {
    if (!menu::applyMouseCommand(command, mouseTuning_)) return;
    pausableHooks_.setTuning(mouseTuning_);
    timers_.start(kSaveTimerId, kSaveDelayMs);
}

void Composition::togglePause() {
    const bool pause = !pausableHooks_.paused();
    // Every hook out, the click watch's too, then what is held let go (a
    // held layer with it).
    pausableHooks_.setPaused(pause);
    // No click was watched while paused: whichever program is in front now
    // decides.
    if (!pause) foreground_.checkForeground();
    tray_.showPaused(pause);
}

void Composition::editDescription(const SlotInfo& slot) {
    editor_.editNote(slot.slot, [this] { return askForDescription(module_, window_.hwnd()); });
}

void Composition::saveAll() {
    if (settings_) settings_->saveAll();
}

void Composition::savePending() {
    timers_.stop(kSaveTimerId);
    saveAll();
}

void Composition::playOnThisThread(Slot slot) {
    player_.playOnThisThread(number(slot), input_);
}

void Composition::exitApplication() {
    // The keyboard the user's again, a release the chatter filter holds sent,
    // playbacks and texts stopped and every key and button of Vela's let go
    // first: the process ends at once after this.
    hooks_.letGo();
    hooks_.endCapture();
    release_.releaseAll();
    tray_.remove();
    saveAll();
    // No window close, no hook removal: the system releases the hooks and the
    // instance mutex with the process.
    ExitProcess(0);
}

}  // namespace vela
