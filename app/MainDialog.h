// The skinned main window: it owns the slots, shows their captions and
// descriptions, and turns every hook report into an action.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "app/TrayIcon.h"
#include "app/ports/Win32AutostartPort.h"
#include "app/ports/Win32FilePort.h"
#include "app/ports/Win32HookPort.h"
#include "app/ports/Win32InputPort.h"
#include "app/ports/Win32ShellPort.h"
#include "app/win/Dialog.h"
#include "app/win/Handle.h"
#include "controls/GdipButton.h"
#include "controls/TransParentButton.h"
#include "core/ActionExecutor.h"
#include "core/Autostart.h"
#include "core/PlaybackThreads.h"
#include "core/Ports.h"
#include "core/SlotModel.h"
#include "core/TimerTasks.h"
#include "macro/MacroPlayer.h"
#include "macro/MacroScriptLoader.h"
#include "menu/win32/FunctionMenuController.h"
#include "settings/ButtonSettingsStore.h"

namespace vela {

// Everything outside the skin is transparent: the window takes the shape of
// the mouse picture.
inline constexpr COLORREF kColourKey = RGB(248, 31, 106);
inline constexpr COLORREF kLabelTextColour = RGB(200, 200, 200);

class CVoZuzevArarozerudiDlg final : public win32::Dialog,
                                     public ViewPort,
                                     public TimerPort,
                                     public WindowPort,
                                     public SavePort,
                                     public ScriptPlayer {
public:
    // `commandLine` is the text after the program name; empty starts hidden.
    CVoZuzevArarozerudiDlg(HINSTANCE module, std::wstring commandLine);
    ~CVoZuzevArarozerudiDlg() override;

    // Runs the window until the system closes it.
    INT_PTR run();

    SlotModel& model() { return model_; }

    // ViewPort
    void setCaption(Slot slot, const std::wstring& text) override;
    void setDescriptionLabel(Slot slot, const std::wstring& text) override;
    void repaintCaptions() override;
    // TimerPort: one-shot timers of this window.
    void start(int timerId, std::uint32_t periodMs) override;
    void stop(int timerId) override;
    // WindowPort
    void hide() override;
    void show();
    // SavePort: the whole settings file, now.
    void saveAll() override;
    // ScriptPlayer: a slot's script on this thread (the playback timers).
    void playOnThisThread(Slot slot) override;

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool preTranslateMessage(MSG& msg) override;

private:
    static constexpr std::size_t kCaptionCount = 12;

    BOOL onInitDialog();
    void setPlatformFlags();
    void createTooltips();
    void configureCaptions();
    void loadImageButtons();
    void fitToDpi();
    void centreOnScreen();
    void loadSettings();

    std::optional<LRESULT> onCommand(WORD id, WORD code);
    BOOL onEraseBackground(HDC dc);
    void onPaint();
    LRESULT onHitTest(LPARAM lParam);
    bool onSetCursor(HWND over);
    void onDescriptionClicked(const SlotInfo& slot);
    void openScriptMenu();

    // The notification-area icon and its menu.
    LRESULT onTrayNotification(WPARAM iconId, LPARAM mouseMessage);
    void openTrayMenu();
    std::optional<LRESULT> onTrayCommand(WORD id);
    [[noreturn]] void exitApplication();

    HINSTANCE module_;
    std::wstring commandLine_;

    std::wstring modulePath_;
    std::wstring moduleFolder_;

    win32::Win32AutostartPort autostartPort_;
    Autostart autostart_;
    TrayIcon trayIcon_;

    win32::Win32InputPort input_;
    win32::Win32ShellPort shell_;
    win32::Win32PowerPort power_;
    win32::Win32HookPort hooks_{nullptr};  // given the window once it exists
    win32::Win32FilePort files_;
    win32::Win32AnsiCodePage ansi_;

    std::shared_ptr<MacroScripts> macroScripts_;
    std::shared_ptr<PlaybackThreads> playbackThreads_;
    MacroScriptLoader macroLoader_;
    MacroPlayer player_;
    SlotModel model_;
    ActionExecutor executor_;
    TimerTasks timerTasks_;
    // Made once the platform flags are known, just before the settings load.
    std::optional<ButtonSettingsStore> settings_;
    std::optional<win32::FunctionMenuController> functionMenu_;  // needs the window

    // The registered hook report message of each slot, in slot table order.
    std::array<UINT, 9> hookMessages_{};

    std::array<CTransParentButton, kCaptionCount> captions_;
    CGdipButton saveAndExitButton_;
    CGdipButton closeButton_;
    HWND tooltip_ = nullptr;  // a child of the dialog, destroyed with it
    win32::UniqueIcon bigIcon_;
    win32::UniqueIcon smallIcon_;
    win32::UniqueGdi<HBITMAP> skin_;
    win32::UniqueGdi<HBRUSH> keyBrush_;
    double scale_ = 1.0;
};

}  // namespace vela
