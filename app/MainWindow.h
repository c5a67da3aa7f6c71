// CVoZuzevArarozerudiDlg, Vela's main window: the skinned view of the slots.
// It draws the skin, shows captions and descriptions and handles what is
// purely its own (dragging, cursors, tooltips, the script menu); what its
// commands, its timers and the session's end ask Vela to do goes on to the
// application (MainWindowEvents). The tray, the hook reports and the
// foreground watch have windows of their own.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "controls/GdipButton.h"
#include "controls/SkinImage.h"
#include "controls/TransParentButton.h"
#include "core/ViewPorts.h"
#include "win32/Dialog.h"
#include "win32/Handle.h"

namespace vela {

// Everything outside the skin is transparent: the window takes the shape of
// the mouse picture.
inline constexpr COLORREF kColourKey = RGB(248, 31, 106);
inline constexpr COLORREF kLabelTextColour = RGB(200, 200, 200);

// The application's side of the main window.
class MainWindowEvents {
public:
    virtual ~MainWindowEvents() = default;
    // The window exists, with its controls; nothing is shown on it yet.
    virtual void onWindowCreated(HWND window) = 0;
    // The window is laid out and painted with its skin: load and go live.
    virtual void onWindowReady() = 0;
    // A click or menu choice the view does not handle itself (a function
    // menu's row, a description label, "Save and Exit", a tray command that
    // another program posted to the window): true when taken.
    virtual bool onCommand(int id) = 0;
    // One of the window's own timers (core/MessageIds.h) fired.
    virtual void onTimer(int timerId) = 0;
    // The session ends (logging off, shutting down): whatever waits for its
    // save is written now, and no key of Vela's stays down.
    virtual void onSessionEnding() = 0;
};

class CVoZuzevArarozerudiDlg final : public win32::Dialog, public ViewPort, public WindowPort {
public:
    CVoZuzevArarozerudiDlg(HINSTANCE module, MainWindowEvents& events);
    ~CVoZuzevArarozerudiDlg() override;

    // Runs the window until the system closes it.
    INT_PTR run();

    // The icon of the window, also the tray's.
    HICON smallIcon() const { return smallIcon_.get(); }
    // Greys out the caption buttons of slots this system cannot remap.
    void disableCaption(int control);

    // ViewPort
    void setCaption(Slot slot, const std::wstring& text) override;
    void setDescriptionLabel(Slot slot, const std::wstring& text) override;
    void repaintCaptions() override;
    void setCaptionInherited(Slot slot, bool inherited) override;
    void setProfileCaption(const std::wstring& text) override;
    // WindowPort
    void hide() override;
    void show() override;

protected:
    std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool preTranslateMessage(MSG& msg) override;

private:
    static constexpr std::size_t kCaptionCount = 12;

    BOOL onInitDialog();
    void setUpFrame();
    void createTooltips();
    void configureCaptions();
    void layOutForItsMonitor();
    void layOut(int dpi);
    void loadImageButtons(const ImageChoice& choice);
    void onDpiChanged(int dpi, const RECT& suggested);
    void centreOnScreen();

    std::optional<LRESULT> onCommand(WORD id, WORD code);
    BOOL onEraseBackground(HDC dc);
    void onPaint();
    LRESULT onHitTest(LPARAM lParam);
    bool onSetCursor(HWND over);
    void openScriptMenu();

    HINSTANCE module_;
    MainWindowEvents& events_;

    std::array<CTransParentButton, kCaptionCount> captions_;
    CGdipButton saveAndExitButton_;
    CGdipButton closeButton_;
    HWND tooltip_ = nullptr;  // a child of the dialog, destroyed with it
    win32::UniqueIcon bigIcon_;
    win32::UniqueIcon smallIcon_;
    win32::UniqueGdi<HBITMAP> skin_;
    win32::UniqueGdi<HBRUSH> keyBrush_;
    win32::UniqueGdi<HFONT> captionFont_;
    win32::UniqueGdi<HFONT> labelFont_;
    int dpi_ = 96;
};

}  // namespace vela
