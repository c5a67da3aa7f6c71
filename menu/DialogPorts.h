// The small modal dialogs the menu's commands open: a message, a file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vela {

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

}  // namespace vela
