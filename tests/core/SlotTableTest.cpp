#include <gtest/gtest.h>

#include <set>

#include "core/PlatformFlags.h"
#include "core/SlotTable.h"

namespace vela {
namespace {

TEST(SlotTable, NumbersControlsAndNamesAreDistinctAndSkipTheDpiPosition) {
    std::set<int> numbers, captions, labels;
    std::set<std::wstring_view> sections, messages, libraries;
    for (const SlotInfo& s : kSlotTable) {
        numbers.insert(number(s.slot));
        captions.insert(s.captionControl);
        labels.insert(s.descriptionControl);
        sections.insert(s.section);
        messages.insert(s.messageName);
        libraries.insert(s.hookLibrary);
        EXPECT_EQ(findSlot(number(s.slot)), &s);
    }
    EXPECT_EQ(numbers.size(), 9u);
    EXPECT_EQ(captions.size(), 9u);
    EXPECT_EQ(labels.size(), 9u);
    EXPECT_EQ(sections.size(), 9u);
    EXPECT_EQ(messages.size(), 9u);
    EXPECT_EQ(libraries.size(), 9u);
    EXPECT_FALSE(numbers.contains(kDpiSlotNumber));
    EXPECT_FALSE(captions.contains(kDpiCaptionControl));
    for (int n : {0, kDpiSlotNumber, 11, -1}) EXPECT_EQ(findSlot(n), nullptr) << n;
}

TEST(SlotTable, SideButtonsSwapTheirDefaultLabels) {
    // The forward button's label reads "Back" until the user describes it, and
    // the other way round: these are the shipped defaults, not a typo.
    EXPECT_EQ(slotInfo(Slot::X1).nativeCaption, L"Forward");
    EXPECT_EQ(slotInfo(Slot::X1).defaultLabel, L"Back");
    EXPECT_EQ(slotInfo(Slot::X2).nativeCaption, L"Back");
    EXPECT_EQ(slotInfo(Slot::X2).defaultLabel, L"Forward");
}

TEST(SlotTable, PlaybackTimersMapToTheirSlotsAndNothingElse) {
    EXPECT_EQ(slotOfPlaybackTimer(1), Slot::R);
    EXPECT_EQ(slotOfPlaybackTimer(2), Slot::M);
    EXPECT_EQ(slotOfPlaybackTimer(3), Slot::WU);
    EXPECT_EQ(slotOfPlaybackTimer(4), Slot::WD);
    EXPECT_EQ(slotOfPlaybackTimer(5), Slot::X1);
    EXPECT_EQ(slotOfPlaybackTimer(6), Slot::X2);
    for (int id : {0, 7, 8, 9, -1}) EXPECT_EQ(slotOfPlaybackTimer(id), std::nullopt) << id;
}

TEST(SlotTable, OnlyTheMiddleButtonLacksMacroPlaybackAndOnlyAltTabChangesChordTiming) {
    for (const SlotInfo& s : kSlotTable) {
        const bool isM = s.slot == Slot::M;
        const bool isAltTab = s.slot == Slot::AltTab;
        EXPECT_EQ(s.macro == MacroBehaviour::SlowWindowsChord, isM) << s.name;
        EXPECT_EQ(s.ctrlChordPauseMs, isAltTab ? 0 : 30) << s.name;
        EXPECT_EQ(s.repeat == RepeatStyle::PauseThenSplitCalls, isAltTab) << s.name;
    }
}

}  // namespace
}  // namespace vela

namespace vela {
namespace {

TEST(PlatformFlags, TiltFromVistaWindows8ShortcutsFromWindows8On) {
    struct Case {
        unsigned major, minor;
        bool tilt, win8;
    };
    const Case cases[] = {{5, 1, false, false}, {6, 0, true, false}, {6, 1, true, false},
                          {6, 2, true, true},   {6, 3, true, true},  {10, 0, true, true}};
    for (const Case& c : cases) {
        const PlatformFlags flags = platformFlagsFor(c.major, c.minor);
        EXPECT_EQ(flags.tiltSupported, c.tilt) << c.major << "." << c.minor;
        EXPECT_EQ(flags.win8MenuEnabled, c.win8) << c.major << "." << c.minor;
    }
}

}  // namespace
}  // namespace vela
