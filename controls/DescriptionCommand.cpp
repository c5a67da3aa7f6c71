#include "controls/DescriptionCommand.h"

#include "controls/ShowTextDlg.h"

namespace vela {

std::optional<std::wstring> askForDescription(HINSTANCE module, HWND owner) {
    CShowTextDlg entry;
    if (entry.run(module, owner) != IDOK) return std::nullopt;
    return entry.enteredText();
}

}  // namespace vela
