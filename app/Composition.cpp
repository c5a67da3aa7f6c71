#include "app/Composition.h"

#include <shlobj.h>

#include "controls/DescriptionCommand.h"
#include "core/PlatformFlags.h"
#include "core/ProgramFiles.h"
#include "hooks/HookTypes.h"
#include "menu/win32/Win32MenuPorts.h"
#include "resources/resource.h"
#include "win32/ModulePath.h"

namespace vela {

namespace {

const SlotInfo* slotOfDescriptionLabel(int control) {
    for (const SlotInfo& info : kSlotTable)
        if (info.descriptionControl == control) return &info;
    return nullptr;
}

}  // namespace

Composition::MenuCommands::MenuCommands(HWND window, SlotModel& model, MacroFolderPort& macroFolder,
                                        MacroLoaderPort& macroLoader, ProfileEditor& editor,
                                        const ProfileSet& profileSet)
    : messages(window),
      files(window),
      menu(window),
      captions(window),
      commands(model, {messages, files, menu, captions, &macroFolder, &macroLoader},
               win32::executableApplicationName()),
      profiles(editor, profileSet, menu, programs, captions) {
    commands.useEditor(&editor);
}

Composition::Composition(HINSTANCE module, std::wstring commandLine)
    : module_(module),
      commandLine_(std::move(commandLine)),
      modulePath_(win32::modulePath()),
      moduleFolder_(moduleFolderOf(modulePath_)),
      window_(module, *this),
      macroScripts_(std::make_shared<MacroScripts>()),
      playbackThreads_(std::make_shared<PlaybackThreads>()),
      heldInputs_(std::make_shared<HeldInputs>()),
      releaser_(*heldInputs_, *playbackThreads_, *this, input_),
      macroLoader_(files_, moduleFolder_, macroScripts_),
      player_(
          macroScripts_, playbackThreads_, heldInputs_,
          [this](Slot slot) -> std::unique_ptr<InputPort> {
              HANDLE wake = playbackWake_[slot].get();
              if (wake) ResetEvent(wake);
              return std::make_unique<win32::Win32InputPort>(wake);
          },
          threads_),
      model_(pausableHooks_, window_, timers_, &releaser_),
      macroFolder_(moduleFolder_ + L"\\" + std::wstring(kScriptsFolderName), shell_, files_),
      activeAssignments_(model_, profiles_),
      freshPlayback_(player_, macroLoader_, activeAssignments_),
      profileRuntime_(activeAssignments_, pausableHooks_, &releaser_,
                      [this] { freshPlayback_.scriptsChanged(); }),
      profileModel_(noHooks_, window_, timers_, &releaser_),
      editor_(model_, profileModel_, profiles_, profileRuntime_, window_, timers_),
      executor_(model_,
                ExecutorPorts{input_, input_, shell_, power_, freshPlayback_, heldInputs_.get(),
                              &activeAssignments_, &pausableHooks_},
                *playbackThreads_),
      timerTasks_(timers_, *this, window_, *this),
      autostart_(autostartPort_, modulePath_),
      tray_(module,
            TrayActions{window_, model_, *this, autostart_, timers_, [this] { exitApplication(); },
                        [this] { togglePause(); }, [this] { return pausableHooks_.paused(); },
                        [this] { editor_.edit(L""); }}) {
    for (std::size_t i = 0; i < kSlotTable.size(); ++i)
        hookMessages_[i] = RegisterWindowMessageW(std::wstring(kSlotTable[i].messageName).c_str());
    engineMessage_ = RegisterWindowMessageW(L"VelaHookEngineEvent");
    for (const SlotInfo& info : kSlotTable)
        playbackWake_[info.slot].reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
}

Composition::~Composition() {
    releaser_.releaseAll();
}

void Composition::run() {
    window_.run();
}

// ---- Start-up, in the order the rest of the program relies on -----------------

void Composition::onWindowCreated(HWND window) {
    hooks_.setWindow(window);
    // Before any slot goes in: a taken press's release must reach Vela.
    hooks_.listen(engineMessage_);
    timers_.setWindow(window);
    menu_.emplace(window, model_, macroFolder_, macroLoader_, editor_, profiles_);
    executor_.repeatState().firstPress = true;
    setPlatformFlags();
    if (commandLine_.empty()) timers_.start(kHideTimerId, kHideDelayMs);
}

void Composition::setPlatformFlags() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#elif defined(_MSC_VER)
#pragma warning(push)
#pragma warning(disable : 4996)
#endif
    // Deprecated because programs misread it; with the supported systems
    // declared in the manifest it reports the real version, which is what
    // the tilt and shortcut decisions need.
    GetVersionExW(&version);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#elif defined(_MSC_VER)
#pragma warning(pop)
#endif
    platformFlags = platformFlagsFor(version.dwMajorVersion, version.dwMinorVersion);
    if (!platformFlags.tiltSupported) {
        for (const SlotInfo& info : kSlotTable)
            if (info.needsTilt) window_.disableCaption(info.captionControl);
    }
}

void Composition::onWindowReady() {
    // The profile wins over whatever the Run entry says now.
    autostart_.syncAtStartup();
    settings_.emplace(model_, macroLoader_, SettingsStorePorts{files_, ansi_, window_}, modulePath_,
                      platformFlags.tiltSupported);
    settings_->useFallback(perUserSettingsPath(),
                           [this](const std::wstring& folder) { tellFallback(folder); });
    settings_->useProfiles(&profiles_);
    settings_->loadAll();
    profileRuntime_.profilesChanged();
    foreground_.start(window_.hwnd(), [this](const std::wstring& program) {
        profileRuntime_.foregroundChanged(program);
    });
    watchClicksForProfiles();
    // From here on an edited script is read again before it next plays.
    macroFolder_.watch([this] { freshPlayback_.scriptsChanged(); });
    tray_.add(window_.hwnd(), window_.smallIcon());
    trayAdded_ = true;
    if (!unwritableFolder_.empty()) tellFallback(unwritableFolder_);
    // Once the icon is there to say that another program has it.
    pauseHotkey_.claim();
}

bool Composition::takePauseHotkey() {
    return RegisterHotKey(window_.hwnd(), kPauseHotkeyId, kPauseHotkeyModifiers | MOD_NOREPEAT,
                          kPauseHotkeyKey) != FALSE;
}

void Composition::tellPauseHotkeyTaken() {
    tray_.showBalloon(L"Pause shortcut in use", std::wstring(kPauseHotkeyText) +
                                                    L" is used by another program: pause from "
                                                    L"this icon's menu. Vela takes the shortcut "
                                                    L"as soon as it is free.");
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

// ---- Messages the window passes on ----------------------------------------------

std::optional<LRESULT> Composition::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    for (std::size_t i = 0; i < hookMessages_.size(); ++i) {
        if (hookMessages_[i] != 0 && message == hookMessages_[i]) {
            // The program in front decides what the press does: a window that
            // came forward a moment ago counts already.
            foreground_.check();
            executor_.onActivation(kSlotTable[i].slot, static_cast<std::uint32_t>(lParam));
            return 0;
        }
    }
    if (engineMessage_ != 0 && message == engineMessage_) {
        onEngineEvent(wParam, lParam);
        return 0;
    }
    if (foreground_.onMessage(message, wParam)) return 0;
    if (auto handled = tray_.onMessage(message, wParam, lParam)) return handled;
    switch (message) {
        case WM_TIMER:
            if (pauseHotkey_.onTimer(static_cast<int>(wParam))) return 0;
            timerTasks_.onTimer(static_cast<int>(wParam));
            return std::nullopt;
        case WM_HOTKEY:
            if (wParam != kPauseHotkeyId) return std::nullopt;
            togglePause();
            return 0;
        case WM_COMMAND:
            return onCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_QUERYENDSESSION:
            // Logging off or shutting down: whatever waits for its save is
            // written now, before the system may end the process, and no key
            // of Vela's stays down.
            releaser_.releaseAll();
            savePending();
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) {
                releaser_.releaseAll();
                savePending();
            }
            return 0;
        default:
            return std::nullopt;
    }
}

std::optional<LRESULT> Composition::onCommand(WORD id, WORD code) {
    if (code != BN_CLICKED) return std::nullopt;  // STN_CLICKED has the same value
    if (const SlotInfo* slot = slotOfDescriptionLabel(id)) {
        editDescription(*slot);
        return 0;
    }
    if (id == IDC_SAVE_AND_EXIT) {  // the window has hidden itself
        saveAll();
        return 0;
    }
    if (id == IDC_CAPTION_DPI && menu_) {
        menu_->profiles.openMenu();
        return 0;
    }
    if (menu_ && menu_->profiles.onCommand(id)) {
        watchClicksForProfiles();
        return 0;
    }
    if (menu_ && menu_->commands.openFunctionMenuForControl(id)) return 0;
    if (menu_ && menu_->commands.onCommand(id)) return 0;
    return std::nullopt;
}

void Composition::onEngineEvent(WPARAM event, LPARAM detail) {
    switch (static_cast<hooks::EngineEvent>(event)) {
        case hooks::EngineEvent::Release:
            if (const SlotInfo* slot = findSlot(static_cast<int>(detail)))
                executor_.onRelease(slot->slot);
            return;
        case hooks::EngineEvent::HooksRestored:
            // A release may have gone by while the system had the hooks out:
            // what any slot holds comes up.
            for (const SlotInfo& info : kSlotTable) executor_.onRelease(info.slot);
            return;
        case hooks::EngineEvent::Click:
            foreground_.clickSeen();
            return;
    }
}

void Composition::watchClicksForProfiles() {
    pausableHooks_.watchClicks(!profiles_.all().empty());
}

void Composition::togglePause() {
    const bool pause = !pausableHooks_.paused();
    // Every hook out, the click watch's too, then what is held let go.
    pausableHooks_.setPaused(pause);
    // No click was watched while paused: whichever program is in front now
    // decides.
    if (!pause) foreground_.check();
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

void Composition::wake(Slot slot) {
    if (HANDLE event = playbackWake_[slot].get()) SetEvent(event);
}

void Composition::exitApplication() {
    // Playbacks stopped and every key and button of Vela's let go first: the
    // process ends at once after this.
    releaser_.releaseAll();
    tray_.remove();
    saveAll();
    // No window close, no hook removal: the system releases the hooks and the
    // instance mutex with the process.
    ExitProcess(0);
}

}  // namespace vela
