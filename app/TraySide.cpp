#include "app/TraySide.h"

#include "app/SettingsSide.h"
#include "core/ProgramFiles.h"

namespace vela {

void TraySide::add(HWND mainWindow, HICON icon) {
    tray.add(mainWindow, icon);
    added_ = true;
    if (!unwritableFolder_.empty()) tellFallback(unwritableFolder_);
    // Once the icon is there to say that another program has it.
    tray.claimPauseShortcut();
}

void TraySide::tellFallback(const std::wstring& folder) {
    if (!added_) {
        unwritableFolder_ = folder;
        return;
    }
    const std::wstring perUser(moduleFolderOf(SettingsSide::perUserPath()));
    tray.showBalloon(
        L"Vela keeps your settings elsewhere",
        L"Vela cannot save in\n" + folder + L"\nYour settings are kept in\n" + perUser);
    unwritableFolder_.clear();
}

}  // namespace vela
