#include "menu/MouseMenu.h"

#include <algorithm>

namespace vela::menu {

namespace {

constexpr std::array<std::wstring_view, kMouseButtonCount> kButtonNames{
    L"Left Button", L"Right Button", L"Middle Button", L"Back Button", L"Forward Button"};

std::wstring ms(int value) {
    return std::to_wstring(value) + L" ms";
}

// A threshold: a press this soon after the release is a bounce.
std::wstring within(int value) {
    return L"Within " + ms(value);
}

MouseMenuRow check(std::wstring text, std::uint16_t command, bool on) {
    MouseMenuRow row;
    row.text = std::move(text);
    row.command = command;
    row.checked = on;
    return row;
}

MouseMenuRow choice(std::wstring text, std::uint16_t command, bool on) {
    MouseMenuRow row = check(std::move(text), command, on);
    row.radio = true;
    return row;
}

MouseMenuRow separator() {
    MouseMenuRow row;
    row.separator = true;
    return row;
}

MouseMenuRow telling(std::wstring text) {
    MouseMenuRow row;
    row.text = std::move(text);
    row.grayed = true;
    return row;
}

MouseMenuRow submenu(std::wstring text, std::vector<MouseMenuRow> rows) {
    MouseMenuRow row;
    row.text = std::move(text);
    row.rows = std::move(rows);
    return row;
}

// The filter as it works now: off; on, its releases passing at once; or on,
// holding releases back since the button bounced.
std::wstring filterState(const ButtonChatter& c, bool windowOn) {
    if (!c.on) return L"Off";
    return ms(c.thresholdMs) + (windowOn ? L" (on since a bounce)" : L"");
}

MouseMenuRow buttonMenu(MouseButton b, const ButtonChatter& c, std::uint32_t bounces,
                        bool windowOn) {
    std::vector<MouseMenuRow> rows{check(L"Filter Double Clicks", chatterCommand(b), c.on),
                                   separator()};
    const auto offered = std::find(kChatterChoices.begin(), kChatterChoices.end(), c.thresholdMs);
    for (std::size_t i = 0; i < kChatterChoices.size(); ++i) {
        // A hand-edited threshold takes its place among the choices, as the one chosen.
        if (offered == kChatterChoices.end() &&
            (i == 0 || kChatterChoices[i - 1] < c.thresholdMs) &&
            c.thresholdMs < kChatterChoices[i])
            rows.push_back(choice(within(c.thresholdMs), 0, true));
        const int value = kChatterChoices[i];
        rows.push_back(choice(within(value) + (value == kDefaultChatterMs ? L" (default)" : L""),
                              thresholdCommand(b, i), value == c.thresholdMs));
    }
    if (offered == kChatterChoices.end() && c.thresholdMs > kChatterChoices.back())
        rows.push_back(choice(within(c.thresholdMs), 0, true));
    rows.push_back(separator());
    rows.push_back(telling(bounces ? bouncesText(bounces) : L"No bounces filtered"));
    return submenu(std::wstring(kButtonNames[indexOf(b)]) + L"\t" + filterState(c, windowOn),
                   std::move(rows));
}

std::wstring times(int notches) {
    return L"\u00D7" + std::to_wstring(notches);
}

}  // namespace

std::wstring bouncesText(std::uint64_t count) {
    if (count == 0) return {};
    return std::to_wstring(count) + (count == 1 ? L" bounce filtered" : L" bounces filtered");
}

std::vector<MouseMenuRow> mouseMenuRows(const MouseTuning& tuning, const BounceCounts& counts) {
    const MouseTuning t = clamped(tuning);
    std::vector<MouseMenuRow> rows;
    for (std::size_t b = 0; b < kMouseButtonCount; ++b)
        rows.push_back(
            buttonMenu(MouseButton(b), t.chatter[b], counts.buttons[b], counts.releaseWindows[b]));
    rows.push_back(separator());
    rows.push_back(check(L"Reverse Wheel", kReverseWheelCommand, t.reverseVertical));
    rows.push_back(check(L"Reverse Tilt", kReverseTiltCommand, t.reverseHorizontal));
    std::vector<MouseMenuRow> speeds;
    for (int n = kMinWheelNotches; n <= kMaxWheelNotches; ++n)
        speeds.push_back(choice(times(n) + (n == 1 ? L" (normal)" : L""),
                                static_cast<std::uint16_t>(kWheelSpeedCommands + n),
                                n == t.wheelNotches));
    rows.push_back(submenu(L"Wheel Speed\t" + times(t.wheelNotches), std::move(speeds)));
    rows.push_back(check(L"Filter Wheel Bounces", kWheelBounceCommand, t.wheelBounceFilter));
    rows.push_back(separator());
    std::wstring total = bouncesText(counts.total());
    if (counts.wheel) total += L" (" + std::to_wstring(counts.wheel) + L" on the wheel)";
    rows.push_back(telling(total.empty() ? L"No bounces filtered yet" : total));
    return rows;
}

bool applyMouseCommand(std::uint32_t command, MouseTuning& tuning) {
    const MouseTuning before = tuning;
    for (std::size_t b = 0; b < kMouseButtonCount; ++b) {
        ButtonChatter& c = tuning.chatter[b];
        if (command == chatterCommand(MouseButton(b))) c.on = !c.on;
        for (std::size_t i = 0; i < kChatterChoices.size(); ++i) {
            // Choosing a threshold is choosing to filter with it.
            if (command == thresholdCommand(MouseButton(b), i))
                c = ButtonChatter{true, kChatterChoices[i]};
        }
    }
    if (command == kReverseWheelCommand) tuning.reverseVertical = !tuning.reverseVertical;
    if (command == kReverseTiltCommand) tuning.reverseHorizontal = !tuning.reverseHorizontal;
    if (command == kWheelBounceCommand) tuning.wheelBounceFilter = !tuning.wheelBounceFilter;
    if (command > kWheelSpeedCommands && command <= kWheelSpeedCommands + kMaxWheelNotches)
        tuning.wheelNotches = static_cast<int>(command - kWheelSpeedCommands);
    return !(tuning == before);
}

}  // namespace vela::menu
