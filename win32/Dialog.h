// The base of Vela's dialogs: a template from the resources, a member
// `handleMessage` instead of a message map, and a modal loop of our own so a
// dialog can look at every message before it is dispatched.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/MessageIds.h"

namespace vela::win32 {

// Messages a dialog sends back to the child they concern, so a control can
// draw itself and answer its own colour request (core/MessageIds.h).
inline constexpr UINT reflected(UINT message) {
    return vela::kReflectedBase + message;
}

class Dialog {
public:
    Dialog() = default;
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Creates the dialog from template `templateId` of `module`, runs it until
    // endModal and returns endModal's result; -1 when it cannot be created.
    INT_PTR runModal(HINSTANCE module, int templateId, HWND owner);

    HWND hwnd() const { return hwnd_; }
    HWND item(int id) const { return GetDlgItem(hwnd_, id); }
    // The text of control `id`, whole.
    std::wstring itemText(int id) const;

protected:
    // A handled message returns its result; nullopt hands it to the default
    // dialog processing.
    virtual std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Called with each message of the modal loop before it is dispatched;
    // true swallows it.
    virtual bool preTranslateMessage(MSG& msg);

    void endModal(INT_PTR result);

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<LRESULT> reflectToChild(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    bool ended_ = false;
    INT_PTR result_ = -1;
};

}  // namespace vela::win32
