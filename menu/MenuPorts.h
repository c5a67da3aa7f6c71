// The platform services the assignment commands need beyond the core's ports.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/Ports.h"

namespace vela::menu {

// A window rectangle by its edges, as the platform reports it.
struct WindowRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const WindowRect&) const = default;
};

// A modal message box with an OK button only, owned by the main window.
class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;
    // Returns when the user has dismissed it.
    virtual void showMessage(const std::wstring& text, const std::wstring& caption) = 0;
};

struct OpenFileRequest {
    // Filter pairs separated by '|', ending in "||".
    std::wstring_view filter;
    bool hideReadOnly = false;
    bool fileMustExist = false;
    std::wstring_view defaultExtension;  // empty: none
    std::wstring_view initialFileName;   // empty: none
};

struct ChosenFile {
    std::wstring fullPath;
    std::wstring fileName;  // name and extension, no folders
};

class OpenFileDialogPort {
public:
    virtual ~OpenFileDialogPort() = default;
    // A modal open-file dialog; nullopt when the user cancels.
    virtual std::optional<ChosenFile> chooseFile(const OpenFileRequest& request) = 0;
};

class FunctionMenuPort {
public:
    virtual ~FunctionMenuPort() = default;
    // Shows the function menu with its top-left corner at `at` (screen
    // coordinates) and returns when it closes; a choice arrives later as a
    // command to the main window.
    virtual void showFunctionMenu(Point at) = 0;
};

// Where the caption buttons are, and repainting the main window under them.
class CaptionGeometryPort {
public:
    virtual ~CaptionGeometryPort() = default;
    virtual WindowRect captionScreenRect(int controlId) = 0;
    // The control's rectangle in the main window's client coordinates.
    virtual WindowRect captionClientRect(int controlId) = 0;
    // Marks part of the main window's client area for repainting, without
    // erasing its background.
    virtual void invalidate(const WindowRect& clientRect) = 0;
};

// The platform's open-file filter format: '|' separators become NULs, so
// "A|*.a||" becomes "A\0*.a\0\0".
inline std::wstring toPlatformFilter(std::wstring_view pipes) {
    std::wstring out(pipes);
    for (wchar_t& c : out) {
        if (c == L'|') c = L'\0';
    }
    return out;
}

}  // namespace vela::menu
