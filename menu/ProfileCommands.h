// The profile caption's menu: which overlay the window edits (a profile or a
// layer), new profiles for the programs that are open, deleting one, and
// profile files to take them elsewhere and bring them in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/MessageIds.h"
#include "core/ProfileEditor.h"
#include "core/ProfileFilePort.h"
#include "menu/CaptionGeometryPort.h"
#include "menu/DialogPorts.h"
#include "menu/ProfileMenuPort.h"

namespace vela::menu {

inline constexpr std::wstring_view kNewProfileForText = L"New Profile For";
inline constexpr std::wstring_view kDeleteProfileText = L"Delete This Profile";
inline constexpr std::wstring_view kDeleteLayerText = L"Delete This Layer";
inline constexpr std::wstring_view kExportProfileText = L"Export This Profile\u2026";
inline constexpr std::wstring_view kExportAllProfilesText = L"Export All Profiles\u2026";
inline constexpr std::wstring_view kImportProfileText = L"Import Profile\u2026";
inline constexpr std::wstring_view kVelaOffText = L"Vela Off in This Program";
inline constexpr std::wstring_view kVelaOffInWindowsText = L"Vela Off in These Windows";
inline constexpr std::wstring_view kPickWindowText = L"The Window Under the Pointer\u2026";
// What the file dialogs offer and suggest.
inline constexpr std::wstring_view kProfileFileFilter =
    L"Vela Profiles (*.velaprofile)|*.velaprofile|All Files (*.*)|*.*||";
inline constexpr std::wstring_view kProfileFileExtension = L"velaprofile";
inline constexpr std::wstring_view kAllProfilesFileName = L"Vela Profiles.velaprofile";
// One command per profile, then one per program "New Profile For" offers
// (core/MessageIds.h), each list this long at most.
inline constexpr std::size_t kMaxProfileRows = 499;
static_assert(kFirstProfileCommand + kMaxProfileRows <= kFirstNewProfileCommand &&
              kFirstNewProfileCommand + kMaxProfileRows <= kDeleteProfileCommand);

// What the menu offers, from the profiles there are and the programs open:
// a program that has a profile already is not offered again. The layers of
// `layerButtons` follow the profiles; `shown` is the overlay edited, if any.
ProfileMenuContent profileMenuContent(const OverlaySet& overlays,
                                      const std::optional<OverlayKey>& shown,
                                      const std::vector<std::wstring>& programs,
                                      SlotSet layerButtons = {});

// The windows the picker's fields name, each without blanks at its ends and
// the program without its folders; none where neither a class nor a title is
// given (a program alone is a program's profile).
std::optional<WindowKey> windowKeyFromFields(std::wstring_view program,
                                             std::wstring_view windowClass,
                                             std::wstring_view title);

// The command of a button's layer row, and the button of a command (nullopt
// for any other).
constexpr std::uint16_t layerCommand(Slot button) {
    return static_cast<std::uint16_t>(kLayerCommands.first + number(button) - 1);
}
std::optional<Slot> layerOfCommand(std::uint32_t commandId);

// What exporting and importing profile files goes through.
struct ProfileFilePorts {
    MessageBoxPort& messages;
    OpenFileDialogPort& open;
    SaveFileDialogPort& save;
    ProfileFilePort& file;
    std::wstring applicationName;  // the message boxes' caption
};

// The overlays worth a file: every profile (an empty one too, as the
// settings file keeps it), a layer only while it changes something.
bool worthExporting(const Overlay& overlay);
// What the save dialog suggests for one overlay: "notepad.velaprofile",
// "While Back Held.velaprofile"; characters a file name cannot hold left out.
std::wstring suggestedFileName(const OverlayKey& key);

class ProfileCommands {
public:
    ProfileCommands(ProfileEditor& editor, const OverlaySet& overlays, ProfileMenuPort& menu,
                    ProgramListPort& programs, CaptionGeometryPort& captions)
        : editor_(editor),
          overlays_(overlays),
          menu_(menu),
          programs_(programs),
          captions_(captions) {}

    // Offers the rows that export and import profile files.
    void useFiles(const ProfileFilePorts* files) { files_ = files; }
    // Offers "The Window Under the Pointer…" in "New Profile For".
    void useWindowPicker(WindowPickerPort* picker) { picker_ = picker; }

    // A click on the profile caption.
    void openMenu();
    // A command from the main window; false when it is none of the menu's.
    bool onCommand(std::uint32_t commandId);

private:
    // Asks where, then writes `overlays` there; tells when it could not.
    void exportTo(std::wstring_view suggestedName, const std::vector<const Overlay*>& overlays);
    // Asks which file, then adds each overlay it holds, asking before one
    // replaces an overlay there is; a file that holds none changes nothing.
    void importFile();

    ProfileEditor& editor_;
    const OverlaySet& overlays_;
    ProfileMenuPort& menu_;
    ProgramListPort& programs_;
    CaptionGeometryPort& captions_;
    const ProfileFilePorts* files_ = nullptr;
    WindowPickerPort* picker_ = nullptr;
    // What the open (or last) menu listed, in command order.
    std::vector<OverlayKey> listedProfiles_;
    std::vector<std::wstring> listedPrograms_;
};

}  // namespace vela::menu
