// Saving the settings file.
#pragma once

namespace vela {

// Saves the settings file at once.
class SavePort {
public:
    virtual ~SavePort() = default;
    virtual void saveAll() = 0;
};

}  // namespace vela
