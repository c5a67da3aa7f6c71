#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/MouseTuning.h"

namespace vela {
namespace {

// "Key=value;Key=value" and back; `skip` leaves out pairs equal to those.
KeyValues pairsOf(std::wstring_view text) {
    KeyValues out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find(L';', at), text.size());
        const std::wstring_view line = text.substr(at, end - at);
        out.emplace_back(line.substr(0, line.find(L'=')), line.substr(line.find(L'=') + 1));
        at = end + 1;
    }
    return out;
}
std::wstring textOf(const KeyValues& pairs, const KeyValues& skip = {}) {
    std::wstring text;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        if (i >= skip.size() || pairs[i] != skip[i])
            text += pairs[i].first + L"=" + pairs[i].second + L";";
    }
    return text;
}

TEST(MouseTuning, StoredFormNamesEveryValueAndReadsBackUnchanged) {
    EXPECT_EQ(textOf(toKeyValues({})),
              L"ChatterLeft=0;ChatterLeftMs=50;ChatterRight=0;ChatterRightMs=50;ChatterMiddle=0;"
              L"ChatterMiddleMs=50;ChatterBack=0;ChatterBackMs=50;ChatterForward=0;"
              L"ChatterForwardMs=50;WheelReverseVertical=0;WheelReverseHorizontal=0;"
              L"WheelNotches=1;WheelBounceFilter=0;");
    std::mt19937 rng(7);
    for (int i = 0; i < 300; ++i) {
        MouseTuning t{.reverseVertical = rng() % 2 == 1,
                      .reverseHorizontal = rng() % 2 == 1,
                      .wheelNotches = kMinWheelNotches + int(rng() % kMaxWheelNotches),
                      .wheelBounceFilter = rng() % 2 == 1};
        for (ButtonChatter& c : t.chatter) {
            c = {rng() % 2 == 1, kMinChatterMs + int(rng() % (kMaxChatterMs - kMinChatterMs + 1))};
        }
        ASSERT_EQ(fromKeyValues(toKeyValues(t)), t);
    }
}

// What a hand-edited section reads as: the values that differ from the defaults.
TEST(MouseTuning, HandEditedValuesAlwaysGiveAValidTuning) {
    const std::vector<std::pair<std::wstring_view, std::wstring_view>> cases{
        {L"", L""},
        {L"ChatterLeftMs=-5", L"ChatterLeftMs=10;"},
        {L"ChatterLeftMs=99999999999", L"ChatterLeftMs=100;"},
        {L"ChatterRightMs=abc", L"ChatterRightMs=10;"},
        {L"ChatterForwardMs= 30 ms", L"ChatterForwardMs=30;"},
        {L"chatterMIDDLE= 7 ;ChatterBack=-1", L"ChatterMiddle=1;ChatterBack=1;"},
        {L"WheelNotches=0", L""},
        {L"WheelNotches=11", L"WheelNotches=10;"},
        {L"WheelNotches=-2147483648", L""},
        {L"WheelNotches=4;WheelNotches=9;Unknown=3", L"WheelNotches=4;"},
        {L"WheelReverseHorizontal=0;WheelBounceFilter=2", L"WheelBounceFilter=1;"},
    };
    for (const auto& [edited, reads] : cases) {
        EXPECT_EQ(textOf(toKeyValues(fromKeyValues(pairsOf(edited))), toKeyValues({})), reads)
            << std::string(edited.begin(), edited.end());
    }
}

}  // namespace
}  // namespace vela
