#include "controls/DescriptionCommand.h"

#include "controls/ShowTextDlg.h"

namespace vela {

bool runDescriptionCommand(HINSTANCE module, HWND dialog, int labelControl,
                           std::wstring& description) {
    sharedEntryText.clear();
    CShowTextDlg entry;
    if (entry.run(module, dialog) != IDOK) return false;
    description = sharedEntryText;
    HWND label = GetDlgItem(dialog, labelControl);
    RECT area{};
    GetWindowRect(label, &area);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
    // The label draws on a hollow brush: the skin under it must be repainted
    // first, or the new text lands on the old one.
    InvalidateRect(dialog, &area, TRUE);
    SetWindowTextW(label, description.c_str());
    return true;
}

}  // namespace vela
