// The test double of the script loader: it reads nothing and records which
// script each position was given.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/MacroLoaderPort.h"

namespace vela::test {

struct LoaderLog final : MacroLoaderPort {
    std::vector<std::pair<int, std::wstring>> loads;
    void LoadMacroScript(int slot, const std::wstring& name) override {
        loads.emplace_back(slot, name);
    }
};

}  // namespace vela::test
