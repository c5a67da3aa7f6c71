// The function menu and the profile menu: their ports over the main window,
// and the commands over them. Made once the window exists.
#pragma once

#include <windows.h>

#include "app/WindowPicker.h"
#include "app/ports/Win32ForegroundWatch.h"
#include "controls/GesturesDlg.h"
#include "controls/ShortcutDlg.h"
#include "controls/TypeTextDlg.h"
#include "core/HookPorts.h"
#include "core/KeyNames.h"
#include "core/MacroLoaderPort.h"
#include "core/Overlay.h"
#include "core/ProfileEditor.h"
#include "core/SlotModel.h"
#include "menu/AssignmentCommands.h"
#include "menu/FunctionMenuPort.h"
#include "menu/ProfileCommands.h"
#include "menu/win32/Win32MenuPorts.h"
#include "settings/ProfileFile.h"

namespace vela {

struct MenuSide {
    MenuSide(HINSTANCE module, HWND window, bool win8MenuEnabled, SlotModel& model,
             MacroFolderPort& macroFolder, MacroLoaderPort& macroLoader, ProfileEditor& editor,
             const OverlaySet& overlays, KeyCapturePort& capture, KeyNames& keyNames,
             FilePort& fileSystem, AnsiCodePage& ansi);
    MenuSide(const MenuSide&) = delete;
    MenuSide& operator=(const MenuSide&) = delete;

    win32::Win32MessageBox messages;
    win32::Win32OpenFileDialog files;
    Win32ShortcutDialog shortcuts;
    Win32TypedTextDialog texts;
    Win32GesturesDialog gestures;
    win32::Win32FunctionMenu menu;
    win32::Win32ProgramList programs;
    Win32WindowPicker windowPicker;
    win32::Win32CaptionGeometry captions;
    menu::AssignmentCommands commands;
    menu::ProfileCommands profiles;
    // Profiles exported to a file of their own, and imported from one.
    ProfileFile profileFile;
    menu::ProfileFilePorts profileFiles;
};

}  // namespace vela
