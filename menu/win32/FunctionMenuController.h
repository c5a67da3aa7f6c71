// The function menu and its commands for one main window: the Win32 ports and
// the assignment commands over them, in one object the window keeps.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/SlotModel.h"
#include "menu/AssignmentCommands.h"
#include "menu/win32/Win32MenuPorts.h"

namespace vela::win32 {

class FunctionMenuController {
public:
    FunctionMenuController(HWND dialog, SlotModel& model);
    FunctionMenuController(const FunctionMenuController&) = delete;
    FunctionMenuController& operator=(const FunctionMenuController&) = delete;

    // A click on a caption button; false when the control is no slot's caption.
    bool openForControl(int controlId) { return commands_.openFunctionMenuForControl(controlId); }
    // A WM_COMMAND id; false when it is not a catalogue command.
    bool onCommand(std::uint32_t commandId) { return commands_.onCommand(commandId); }

private:
    Win32MessageBox messages_;
    Win32OpenFileDialog files_;
    Win32FunctionMenu menu_;
    Win32CaptionGeometry captions_;
    menu::AssignmentCommands commands_;
};

inline FunctionMenuController::FunctionMenuController(HWND dialog, SlotModel& model)
    : messages_(dialog),
      files_(dialog),
      menu_(dialog),
      captions_(dialog),
      commands_(model, {messages_, files_, menu_, captions_}, executableApplicationName()) {}

}  // namespace vela::win32
