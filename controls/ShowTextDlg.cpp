#include "controls/ShowTextDlg.h"

#include <algorithm>

#include "resources/resource.h"
#include "win32/Handle.h"

namespace vela {

INT_PTR CShowTextDlg::run(HINSTANCE module, HWND owner) {
    return runModal(module, IDD_SHOWTEXT, owner);
}

void CShowTextDlg::paintFace() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    win32::UniqueGdi<HBITMAP> face(static_cast<HBITMAP>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_MENU_ROOT), IMAGE_BITMAP, 0, 0, 0)));
    if (face) {
        win32::UniqueDc source(CreateCompatibleDC(dc));
        win32::SelectObjectScope select(source.get(), face.get());
        // The face is one line of pixels wide enough for any scale: stretched
        // down the whole dialog.
        RECT window{};
        GetWindowRect(hwnd(), &window);
        BITMAP info{};
        GetObjectW(face.get(), sizeof(info), &info);
        const int width = window.right - window.left;
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, width, window.bottom - window.top, source.get(), 0, 0,
                   std::min(width, static_cast<int>(info.bmWidth)), info.bmHeight, SRCCOPY);
    }
    EndPaint(hwnd(), &ps);
}

std::optional<LRESULT> CShowTextDlg::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            enteredText_.clear();
            return TRUE;  // focus to the first control, the edit line
        case WM_PAINT:
            paintFace();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                enteredText_ = itemText(IDC_ENTRY_TEXT);
                endModal(IDOK);
                return 0;
            }
            break;
        default:
            break;
    }
    return Dialog::handleMessage(message, wParam, lParam);
}

}  // namespace vela
