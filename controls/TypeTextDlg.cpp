#include "controls/TypeTextDlg.h"

#include "core/TypedText.h"
#include "resources/resource.h"

namespace vela {

namespace {

// The edit box shows a line break only as "\r\n"; a text from the settings
// file may have lone ones.
std::wstring withBoxLineBreaks(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            out += L"\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

INT_PTR CTypeTextDlg::run(HINSTANCE module, HWND owner) {
    return runModal(module, IDD_TYPETEXT, owner);
}

void CTypeTextDlg::onInit() {
    HWND box = item(IDC_TYPED_TEXT);
    SendMessageW(box, EM_SETLIMITTEXT, kTypedTextLimit, 0);
    const std::wstring shown = withBoxLineBreaks(std::wstring(clipTypedText(text_)));
    SetWindowTextW(box, shown.c_str());
    SendMessageW(box, EM_SETSEL, shown.size(), static_cast<LPARAM>(shown.size()));
    onTextChanged();
}

void CTypeTextDlg::onTextChanged() {
    const std::size_t length = static_cast<std::size_t>(GetWindowTextLengthW(item(IDC_TYPED_TEXT)));
    const std::wstring count =
        std::to_wstring(length) + L" of " + std::to_wstring(kTypedTextLimit) + L" characters";
    SetDlgItemTextW(hwnd(), IDC_TYPED_COUNT, count.c_str());
    EnableWindow(item(IDOK), length > 0);
}

std::optional<LRESULT> CTypeTextDlg::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            onInit();
            return TRUE;  // the focus to the first control, the text
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return face_.colour(message, wParam);
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_TYPED_TEXT && HIWORD(wParam) == EN_CHANGE) {
                onTextChanged();
                return 0;
            }
            if (LOWORD(wParam) == IDOK) {
                text_ = itemText(IDC_TYPED_TEXT);
                if (!text_.empty()) endModal(IDOK);
                return 0;
            }
            break;
        default:
            break;
    }
    return Dialog::handleMessage(message, wParam, lParam);
}

std::optional<std::wstring> Win32TypedTextDialog::askForText(const std::wstring& current) {
    CTypeTextDlg dialog(current);
    if (dialog.run(module_, owner_) != IDOK || dialog.text().empty()) return std::nullopt;
    return dialog.text();
}

}  // namespace vela
