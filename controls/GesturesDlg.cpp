#include "controls/GesturesDlg.h"

#include "resources/resource.h"

namespace vela {

namespace {

constexpr int kDirections = IDC_GESTURE_REPEAT_RIGHT - IDC_GESTURE_REPEAT_UP + 1;
static_assert(IDC_GESTURE_CLICK - IDC_GESTURE_UP + 1 == static_cast<int>(kGestureRows) &&
              kDirections + 1 == static_cast<int>(kGestureRows));

}  // namespace

INT_PTR CGesturesDlg::run(HINSTANCE module, HWND owner) {
    return runModal(module, IDD_GESTURES, owner);
}

void CGesturesDlg::refresh() {
    const auto captions = editing_.gestureCaptions();
    for (std::size_t row = 0; row < captions.size(); ++row)
        SetDlgItemTextW(hwnd(), IDC_GESTURE_UP + static_cast<int>(row), captions[row].c_str());
    const auto repeats = editing_.gestureRepeats();
    for (int d = 0; d < kDirections; ++d)
        CheckDlgButton(hwnd(), IDC_GESTURE_REPEAT_UP + d,
                       repeats[static_cast<std::size_t>(d)] ? BST_CHECKED : BST_UNCHECKED);
}

std::optional<LRESULT> CGesturesDlg::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            editing_.listenToGestures([this] { refresh(); });
            refresh();
            return TRUE;
        case WM_DESTROY:
            editing_.listenToGestures(nullptr);
            break;
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return face_.colour(message, wParam);
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (id >= IDC_GESTURE_UP && id <= IDC_GESTURE_CLICK) {
                // The menu opens under the row's button, as under a caption.
                RECT r{};
                GetWindowRect(item(id), &r);
                editing_.chooseGesture(static_cast<std::size_t>(id - IDC_GESTURE_UP),
                                       {r.left, r.bottom});
                return 0;
            }
            if (id >= IDC_GESTURE_REPEAT_UP && id <= IDC_GESTURE_REPEAT_RIGHT) {
                editing_.setGestureRepeat(static_cast<std::size_t>(id - IDC_GESTURE_REPEAT_UP),
                                          IsDlgButtonChecked(hwnd(), id) == BST_CHECKED);
                return 0;
            }
            if (id == IDOK || id == IDCANCEL) {
                endModal(IDOK);
                return 0;
            }
            break;
        }
        default:
            break;
    }
    return Dialog::handleMessage(message, wParam, lParam);
}

void Win32GesturesDialog::editGestures(GestureEditing& editing) {
    CGesturesDlg dialog(editing);
    dialog.run(module_, owner_);
}

}  // namespace vela
