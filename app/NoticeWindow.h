// The notice of what applies now: a small label near the pointer that never
// takes the focus nor a click, and goes by itself. The decision of when and
// what (core/OverlayNotice.h) runs on this window's timers.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/ports/Win32TimerPort.h"
#include "core/MessageIds.h"
#include "core/OverlayNotice.h"
#include "win32/Handle.h"

namespace vela {

class NoticeWindow final : private NoticePort {
public:
    explicit NoticeWindow(HINSTANCE module);
    NoticeWindow(const NoticeWindow&) = delete;
    NoticeWindow& operator=(const NoticeWindow&) = delete;

    // Fed what applies; shows a notice when it is on and that changed.
    OverlayNotice notice{*this, timers_, kNoticeSettleTimerId, kNoticeHideTimerId};

private:
    void show(const std::wstring& text) override;
    void hide() override;
    std::optional<LRESULT> onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    win32::Win32TimerPort timers_;
    win32::UniqueWindow window_;
    win32::UniqueGdi<HFONT> font_;
    std::wstring text_;
};

}  // namespace vela
