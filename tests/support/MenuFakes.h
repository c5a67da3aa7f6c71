// The test doubles of the menus' ports: the function menu's (message box,
// file dialog, the menu itself, the scripts folder, the caption buttons'
// geometry), logging in one list, and the profile menu's.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/SlotModel.h"
#include "core/StoredShortcut.h"
#include "menu/CaptionGeometryPort.h"
#include "menu/DialogPorts.h"
#include "menu/FunctionMenuPort.h"
#include "menu/ProfileMenuPort.h"

namespace vela::test {

class MenuFakes : public MessageBoxPort,
                  public OpenFileDialogPort,
                  public SaveFileDialogPort,
                  public ShortcutDialogPort,
                  public TypedTextDialogPort,
                  public FunctionMenuPort,
                  public CaptionGeometryPort,
                  public MacroFolderPort {
public:
    explicit MenuFakes(const SlotModel& model) : model_(model) {}

    std::vector<std::string> log;
    std::vector<std::wstring> messages;  // text then caption
    std::optional<ChosenFile> fileToChoose;
    std::wstring filter;
    bool hideReadOnly = false;
    bool fileMustExist = false;
    std::wstring defaultExtension = L"unset";
    std::wstring initialFileName = L"unset";

    void showMessage(const std::wstring& text, const std::wstring& caption) override {
        log.push_back("message");
        messages.push_back(text);
        messages.push_back(caption);
    }
    // The answers the Yes/No questions get, in turn (No once they run out).
    std::vector<bool> answers;
    bool askYesNo(const std::wstring& text, const std::wstring& caption) override {
        showMessage(text, caption);
        log.back() = "question";
        if (answers.empty()) return false;
        const bool yes = answers.front();
        answers.erase(answers.begin());
        return yes;
    }
    // The save dialog: the file it gives, and the name it suggested.
    std::optional<ChosenFile> fileToSave;
    std::wstring suggestedName;
    std::optional<ChosenFile> chooseSaveFile(const SaveFileRequest& r) override {
        log.push_back("save file");
        filter = r.filter;
        defaultExtension = r.defaultExtension;
        suggestedName = r.initialFileName;
        return fileToSave;
    }
    std::optional<ChosenFile> chooseFile(const OpenFileRequest& r) override {
        log.push_back("file");
        filter = r.filter;
        hideReadOnly = r.hideReadOnly;
        fileMustExist = r.fileMustExist;
        defaultExtension = r.defaultExtension;
        initialFileName = r.initialFileName;
        return fileToChoose;
    }
    // The shortcut and the text the dialogs give back (nullopt: cancelled),
    // and what they were opened with.
    std::optional<Shortcut> shortcutToGive;
    std::optional<std::wstring> textToGive;
    std::vector<std::wstring> dialogsOpenedWith;
    std::optional<Shortcut> askForShortcut(const Shortcut& current) override {
        log.push_back("shortcut dialog");
        dialogsOpenedWith.push_back(storedShortcut(current));
        return shortcutToGive;
    }
    std::optional<std::wstring> askForText(const std::wstring& current) override {
        log.push_back("text dialog");
        dialogsOpenedWith.push_back(current);
        return textToGive;
    }
    std::wstring chosenDetail;
    FunctionMenuExtras shown;  // what the last menu offered
    void showFunctionMenu(Point at, const FunctionMenuExtras& extras) override {
        shown = extras;
        std::string line = "menu " + std::to_string(at.x) + "," + std::to_string(at.y) +
                           " active " + std::to_string(model_.activeSlot);
        for (const SlotOptionRow& row : extras.options)
            line += " " + std::string(row.option->name) + (row.on ? " on" : " off");
        if (extras.scripts) line += " scripts " + std::to_string(extras.scripts->size());
        if (extras.chosenCommand) line += " chosen " + std::to_string(extras.chosenCommand);
        chosenDetail = extras.chosenDetail;
        log.push_back(line);
    }
    // MacroFolderPort
    std::vector<std::wstring> scripts;
    std::vector<std::wstring> scriptNames() override { return scripts; }
    void openFolder() override { log.push_back("open folder"); }
    // Each control sits at a position derived from its id, so a wrong control
    // gives a wrong point.
    Rect captionScreenRect(int id) override {
        log.push_back("screenRect " + std::to_string(id));
        return {id, id * 2, id + 90, id * 2 + 24};
    }
    Rect captionClientRect(int id) override {
        log.push_back("clientRect " + std::to_string(id));
        return {id - 1000, 0, id - 900, 20};
    }
    void invalidate(const Rect& r) override {
        log.push_back("invalidate " + std::to_string(r.left));
    }

private:
    const SlotModel& model_;
};

// The profile menu keeps what it was last asked to show; the programs with
// windows are what the test says.
struct ProfileMenuFakes final : ProfileMenuPort, ProgramListPort, WindowPickerPort {
    std::vector<std::wstring> programs;
    std::optional<ProfileMenuContent> shown;
    std::optional<WindowKey> picked;  // what the picker gives
    void showProfileMenu(Point, const ProfileMenuContent& content) override { shown = content; }
    std::vector<std::wstring> programsWithWindows() override { return programs; }
    std::optional<WindowKey> pickWindow() override { return picked; }
};

}  // namespace vela::test
