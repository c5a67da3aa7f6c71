// The test double of the foreground port: the window in front is what the
// test sets, each window's program comes from a table, and it counts how
// often a program's name was asked for.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "core/ForegroundFollower.h"

namespace vela::test {

struct FakeForeground final : ForegroundPort {
    std::uintptr_t front = 0;
    std::map<std::uintptr_t, std::wstring> programs;
    std::map<std::uintptr_t, std::wstring> titles;
    int namesAsked = 0;

    std::uintptr_t windowInFront() override { return front; }
    WindowIdentity identityOf(std::uintptr_t window) override {
        ++namesAsked;
        const auto it = programs.find(window);
        return {it == programs.end() ? std::wstring() : it->second, L"", titleOf(window)};
    }
    std::wstring titleOf(std::uintptr_t window) override {
        const auto it = titles.find(window);
        return it == titles.end() ? std::wstring() : it->second;
    }
};

}  // namespace vela::test
