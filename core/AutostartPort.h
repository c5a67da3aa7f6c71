// Where starting with Windows is recorded.
#pragma once

#include <optional>
#include <string>

namespace vela {

// On Windows: the "BootValue" of the per-user application profile and the
// "Kestrel" value of the current user's Run key.
class AutostartPort {
public:
    virtual ~AutostartPort() = default;
    // nullopt when the user has never made a choice.
    virtual std::optional<int> readBootValue() = 0;
    virtual void writeBootValue(int value) = 0;
    // False when the Run key could not be opened.
    virtual bool setRunValue(const std::wstring& command) = 0;
    virtual bool deleteRunValue() = 0;
};

}  // namespace vela
