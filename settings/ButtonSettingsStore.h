// Keeps the nine slot assignments in the settings file beside the executable.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/FilePort.h"
#include "core/MacroLoaderPort.h"
#include "core/MouseTuning.h"
#include "core/Overlay.h"
#include "core/SavePort.h"
#include "core/SlotModel.h"
#include "core/ViewPorts.h"
#include "settings/AnsiCodePage.h"
#include "settings/IniDocument.h"

namespace vela {

// What a tilt slot shows on a system without horizontal wheel support.
inline constexpr std::wstring_view kNotSupportCaption = L"Not Support";

struct SettingsStorePorts {
    FilePort& files;
    AnsiCodePage& ansi;
    ViewPort& view;
};

// Runs on the user-interface thread only. Holds no state of its own: the
// values live in the SlotModel.
class ButtonSettingsStore final : public SavePort {
public:
    ButtonSettingsStore(SlotModel& model, MacroLoaderPort& macros, SettingsStorePorts ports,
                        std::wstring modulePath, bool tiltSupported);

    // Where the settings go when the program's folder cannot be written (a
    // folder under Program Files): `perUserPath`, a file of the user's own.
    // `tell` hears once which folder could not be written.
    void useFallback(std::wstring perUserPath, std::function<void(const std::wstring&)> tell);

    // Once at start-up: the temporary files of an unfinished save removed,
    // the file chosen (beside the program when its folder takes a write, else
    // the per-user one), captions and labels onto the view, every slot's
    // fields from the file, each macro slot's script read, then its hook
    // installed.
    void loadAll();

    // Rewrites the nine sections from the model; everything else in the file
    // is kept. The file is replaced whole or not at all. A save the program's
    // folder refuses goes to the per-user file.
    void saveAll() override;

    // Profiles and layers are read and written with the nine sections, each
    // overlay in a section of its own (settings/OverlaySections.h).
    void useOverlays(OverlaySet* overlays) { overlays_ = overlays; }

    // The mouse tuning is read and written with them, in a "[Mouse]" section
    // of its own (core/MouseTuning.h) that no slot or profile reads. A key is
    // written only when its value changed from what the file says, so a
    // section nobody touched stays as it is, byte for byte.
    void useMouseTuning(MouseTuning* tuning) { tuning_ = tuning; }

    // "Show Profile Changes", in a "[Vela]" section of its own: off where the
    // file does not say, and written, as the mouse tuning is, only once it
    // differs from what the file says.
    void useNoticeOption(bool* on) { options_[0].value = on; }
    // "Wheel Follows the Pointer", beside it, kept the same way.
    void useWheelOption(bool* on) { options_[1].value = on; }

    // The file saves go to now.
    const std::wstring& currentPath() const { return path_; }

    // The text a save makes of `current` (the file's present text).
    std::wstring savedText(std::wstring_view current) const;

private:
    std::wstring settingsPath() const;
    bool canWriteBeside();
    void switchToFallback();
    // The present bytes of the file saves replace: before the first save to
    // the per-user file, those of the file beside the program.
    std::optional<std::vector<std::uint8_t>> readCurrent(bool& unreadable);
    bool writeTo(const std::wstring& path, std::span<const std::uint8_t> bytes);

    void loadOverlays(const IniDocument& doc);
    // Vela's keys out of every overlay's section, then the profiles and
    // their list; the layers follow the mouse section (saveLayers). A key a
    // slot's function does not spell keeps what `before` held there.
    void saveProfiles(IniDocument& doc, const IniDocument& before) const;
    void saveMouseTuning(IniDocument& doc) const;
    void saveLayers(IniDocument& doc, const IniDocument& before) const;
    void saveOptions(IniDocument& doc) const;

    SlotModel& model_;
    OverlaySet* overlays_ = nullptr;
    MouseTuning* tuning_ = nullptr;
    // The "[Vela]" section's flags, each where the file keeps it.
    struct Option {
        std::wstring_view key;
        bool* value = nullptr;
    };
    std::array<Option, 2> options_{Option{L"ShowProfileChanges"}, Option{L"WheelFollowsPointer"}};
    MacroLoaderPort& macros_;
    SettingsStorePorts ports_;
    std::wstring modulePath_;
    bool tiltSupported_;
    std::wstring path_;
    std::wstring perUserPath_;
    std::function<void(const std::wstring&)> tell_;
    bool toldFallback_ = false;
};

}  // namespace vela
