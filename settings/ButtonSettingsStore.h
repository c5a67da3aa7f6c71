// Keeps the nine slot assignments in the settings file beside the executable.
#pragma once

#include <string>

#include "core/Ports.h"
#include "core/SlotModel.h"
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

    // Once at start-up: captions and labels onto the view, every slot's fields
    // from the file, each macro slot's script read, then its hook installed.
    void loadAll();

    // Rewrites the nine sections from the model; everything else in the file
    // is kept. The file is replaced whole or not at all.
    void saveAll() override;

    // The text a save makes of `current` (the file's present text).
    std::wstring savedText(std::wstring_view current) const;

private:
    std::wstring settingsPath() const;
    IniDocument readDocument() const;

    SlotModel& model_;
    MacroLoaderPort& macros_;
    SettingsStorePorts ports_;
    std::wstring modulePath_;
    bool tiltSupported_;
};

}  // namespace vela
