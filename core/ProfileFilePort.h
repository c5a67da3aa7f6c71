// Profiles and layers in a file of their own, to take them to another
// computer or give them to someone else.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/Overlay.h"

namespace vela {

class ProfileFilePort {
public:
    virtual ~ProfileFilePort() = default;
    // Writes `overlays` to `path`, replacing the file whole or not at all;
    // false when it could not be written.
    virtual bool writeProfiles(const std::wstring& path,
                               const std::vector<const Overlay*>& overlays) = 0;
    // Every overlay the file holds; nullopt when it cannot be read, holds
    // none, or holds one Vela cannot make sense of.
    virtual std::optional<std::vector<Overlay>> readProfiles(const std::wstring& path) = 0;
};

}  // namespace vela
