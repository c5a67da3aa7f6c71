// The main window as the core sees it: what it shows, and whether it is shown.
#pragma once

#include <string>

#include "core/SlotTable.h"

namespace vela {

// The main window's side of an assignment change.
class ViewPort {
public:
    virtual ~ViewPort() = default;
    virtual void setCaption(Slot slot, const std::wstring& text) = 0;
    // The slot's description label (the user's note, or its default text).
    virtual void setDescriptionLabel(Slot slot, const std::wstring& text) = 0;
    virtual void repaintCaptions() = 0;
    // A slot whose caption shows what it inherits from "All Programs" while
    // a program's profile is edited: drawn dimmed.
    virtual void setCaptionInherited(Slot slot, bool inherited) = 0;
    // The caption that names the profile being edited.
    virtual void setProfileCaption(const std::wstring& text) = 0;
};

// The main window as the timers and the tray see it.
class WindowPort {
public:
    virtual ~WindowPort() = default;
    // Minimise, then hide: the tray icon brings it back.
    virtual void hide() = 0;
    virtual void show() = 0;
};

}  // namespace vela
