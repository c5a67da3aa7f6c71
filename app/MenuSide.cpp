#include "app/MenuSide.h"

namespace vela {

MenuSide::MenuSide(HINSTANCE module, HWND window, bool win8MenuEnabled, SlotModel& model,
                   MacroFolderPort& macroFolder, MacroLoaderPort& macroLoader,
                   ProfileEditor& editor, const OverlaySet& overlays, KeyCapturePort& capture,
                   KeyNames& keyNames, FilePort& fileSystem, AnsiCodePage& ansi)
    : messages(window),
      files(window),
      shortcuts(module, window, capture, keyNames),
      texts(module, window),
      gestures(module, window),
      menu(window, win8MenuEnabled),
      windowPicker(module, window),
      captions(window),
      commands(model,
               {messages, files, menu, captions, &macroFolder, &macroLoader, &shortcuts, &texts,
                &keyNames, &gestures},
               win32::executableApplicationName()),
      profiles(editor, overlays, menu, programs, captions),
      profileFile(fileSystem, ansi),
      profileFiles{messages, files, files, profileFile, win32::executableApplicationName()} {
    commands.useEditor(&editor);
    profiles.useFiles(&profileFiles);
    profiles.useWindowPicker(&windowPicker);
}

}  // namespace vela
