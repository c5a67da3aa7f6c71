// A profile file: profiles and layers in the settings file's own form (the
// "[Profiles]" list, a section per program, "[Layer:X2]"), UTF-16LE with a
// byte-order mark as a new settings file, so a person can read it and
// another Vela can add what it holds to its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/FilePort.h"
#include "core/ProfileFilePort.h"
#include "settings/AnsiCodePage.h"

namespace vela {

// The file's text: the profiles in their order, then the layers, each
// overlay's keys as the settings file spells them.
std::wstring profileFileText(const std::vector<const Overlay*>& overlays);

// The overlays a text holds, each once; nullopt when it holds none, or when
// anything Vela would read from it does not read: a character no text
// file holds, a program's name that is no file name, a value of Vela's
// that is not what its key holds, a function this Vela does not know.
std::optional<std::vector<Overlay>> overlaysInProfileText(std::wstring_view text);

class ProfileFile final : public ProfileFilePort {
public:
    ProfileFile(FilePort& files, AnsiCodePage& ansi) : files_(files), ansi_(ansi) {}

    bool writeProfiles(const std::wstring& path,
                       const std::vector<const Overlay*>& overlays) override;
    std::optional<std::vector<Overlay>> readProfiles(const std::wstring& path) override;

private:
    FilePort& files_;
    AnsiCodePage& ansi_;
};

}  // namespace vela
