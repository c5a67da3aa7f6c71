// The test double of the autostart stores: the profile value and the Run
// entry as plain values; the Run key can be made unopenable.
#pragma once

#include <optional>
#include <string>

#include "core/AutostartPort.h"

namespace vela::test {

struct FakeStores : AutostartPort {
    std::optional<int> bootValue;
    std::optional<std::wstring> runValue;
    bool runKeyOpens = true;

    std::optional<int> readBootValue() override { return bootValue; }
    void writeBootValue(int v) override { bootValue = v; }
    bool setRunValue(const std::wstring& command) override {
        if (!runKeyOpens) return false;
        runValue = command;
        return true;
    }
    bool deleteRunValue() override {
        if (!runKeyOpens) return false;
        runValue.reset();
        return true;
    }
};

}  // namespace vela::test
