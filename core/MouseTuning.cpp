#include "core/MouseTuning.h"

#include <algorithm>
#include <optional>

#include "core/CaselessName.h"
#include "core/LeadingInteger.h"

namespace vela {

namespace {

constexpr std::array<std::wstring_view, kMouseButtonCount> kButtonKeys{L"Left", L"Right", L"Middle",
                                                                       L"Back", L"Forward"};
constexpr std::wstring_view kReverseVertical = L"WheelReverseVertical";
constexpr std::wstring_view kReverseHorizontal = L"WheelReverseHorizontal";
constexpr std::wstring_view kWheelNotches = L"WheelNotches";
constexpr std::wstring_view kWheelBounceFilter = L"WheelBounceFilter";

std::wstring chatterKey(std::size_t button) {
    return L"Chatter" + std::wstring(kButtonKeys[button]);
}
std::wstring thresholdKey(std::size_t button) {
    return chatterKey(button) + L"Ms";
}

std::wstring flag(bool on) {
    return on ? L"1" : L"0";
}

std::optional<int> lookup(const KeyValues& values, std::wstring_view key) {
    for (const auto& [k, v] : values) {
        if (sameCaseless(k, key)) return parseLeadingInt(v);
    }
    return std::nullopt;
}

}  // namespace

bool tunesAnything(const MouseTuning& t) {
    const bool chatter = std::any_of(t.chatter.begin(), t.chatter.end(),
                                     [](const ButtonChatter& c) { return c.on; });
    return chatter || t.reverseVertical || t.reverseHorizontal || t.wheelNotches != 1 ||
           t.wheelBounceFilter;
}

MouseTuning clamped(MouseTuning t) {
    for (ButtonChatter& c : t.chatter) {
        c.thresholdMs = std::clamp(c.thresholdMs, kMinChatterMs, kMaxChatterMs);
    }
    t.wheelNotches = std::clamp(t.wheelNotches, kMinWheelNotches, kMaxWheelNotches);
    return t;
}

KeyValues toKeyValues(const MouseTuning& t) {
    KeyValues out;
    for (std::size_t b = 0; b < kMouseButtonCount; ++b) {
        out.emplace_back(chatterKey(b), flag(t.chatter[b].on));
        out.emplace_back(thresholdKey(b), std::to_wstring(t.chatter[b].thresholdMs));
    }
    out.emplace_back(kReverseVertical, flag(t.reverseVertical));
    out.emplace_back(kReverseHorizontal, flag(t.reverseHorizontal));
    out.emplace_back(kWheelNotches, std::to_wstring(t.wheelNotches));
    out.emplace_back(kWheelBounceFilter, flag(t.wheelBounceFilter));
    return out;
}

MouseTuning fromKeyValues(const KeyValues& values) {
    MouseTuning t;
    const auto readFlag = [&](std::wstring_view key, bool& field) {
        if (const auto v = lookup(values, key)) field = *v != 0;
    };
    const auto readInt = [&](std::wstring_view key, int& field) {
        if (const auto v = lookup(values, key)) field = *v;
    };
    for (std::size_t b = 0; b < kMouseButtonCount; ++b) {
        readFlag(chatterKey(b), t.chatter[b].on);
        readInt(thresholdKey(b), t.chatter[b].thresholdMs);
    }
    readFlag(kReverseVertical, t.reverseVertical);
    readFlag(kReverseHorizontal, t.reverseHorizontal);
    readInt(kWheelNotches, t.wheelNotches);
    readFlag(kWheelBounceFilter, t.wheelBounceFilter);
    return clamped(t);
}

}  // namespace vela
