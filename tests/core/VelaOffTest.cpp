// Vela off in a program: while it is in front no hook of Vela's is in, the
// click watch and the mouse tuning's filters included; the user's pause is a
// reason of its own for the same, and the hooks come back only once neither
// holds.
#include <gtest/gtest.h>

#include "core/PausableHooks.h"
#include "core/ProfileRuntime.h"
#include "tests/support/RecordingPorts.h"

namespace vela {
namespace {

using test::Recorder;

// Steps: 'g' game.exe (Vela off) comes to the front, 'e' editor.exe (its
// profile remaps Back), 'x' explorer.exe (no profile), 'p' the user's pause
// toggled. "All Programs" remaps Forward; the chatter filter is on; clicks
// are watched.
TEST(VelaOff, NoHookWhileOffInFrontOrPausedInEitherOrderAndWhatIsWantedOnceNeither) {
    struct Row {
        const char* steps;
        SlotSet hooked;
        const char* lastStep;  // what the last step did
        const wchar_t* offIn;
    };
    const char* const kOut = "mouse-let-go clicks-off remove:X1 tune-off release-all";
    const char* const kBack = "install:X1 tune-on clicks-on";
    const Row rows[] = {
        {"g", {}, kOut, L"Game.exe"},
        {"gx", {Slot::X1}, kBack, L""},
        {"ge", {Slot::X1, Slot::X2}, "release:X2 install:X1 install:X2 tune-on clicks-on", L""},
        {"eg",
         {},
         "release:X2 mouse-let-go clicks-off remove:X1 remove:X2 tune-off release-all",
         L"Game.exe"},
        {"gg", {}, "", L"Game.exe"},
        {"gp", {}, "", L"Game.exe"},
        {"gpx", {}, "", L""},
        {"gpxp", {Slot::X1}, kBack, L""},
        {"gpp", {}, "", L"Game.exe"},
        {"gppx", {Slot::X1}, kBack, L""},
        {"pg", {}, "", L"Game.exe"},
        {"pgp", {}, "", L"Game.exe"},
        {"pgpx", {Slot::X1}, kBack, L""},
        {"pgx", {}, "", L""},
        {"pgxp", {Slot::X1}, kBack, L""},
        {"p", {}, kOut, L""},
    };
    for (const Row& row : rows) {
        Recorder rec;
        MouseTuning chatter;
        chatter.chatter[0].on = true;
        PausableHooks hooks(rec, &rec, &rec, &rec);
        SlotModel all{hooks, rec, rec};
        all.assign(Slot::X1, L"Copy", action::Key{ChordModifier::Control, 67});
        hooks.setTuning(chatter);
        hooks.watchClicks(true);
        OverlaySet profiles;
        profiles.add(ProgramKey{L"Game.exe"}).velaOff = true;
        profiles.add(ProgramKey{L"editor.exe"}).slots[Slot::X2] = all.at(Slot::X1);
        OverlayStack stack(all, profiles);
        ProfileRuntime runtime(stack, hooks, &rec, nullptr);
        std::wstring offIn;
        runtime.onVelaOff([&](const std::wstring& program) { offIn = program; });
        runtime.foregroundChanged({L"explorer.exe"});
        for (const char* step = row.steps; *step; ++step) {
            rec.clear();
            if (*step == 'p') hooks.setPaused(!hooks.paused());
            if (*step == 'g') runtime.foregroundChanged({L"GAME.EXE"});
            if (*step == 'e') runtime.foregroundChanged({L"editor.exe"});
            if (*step == 'x') runtime.foregroundChanged({L"explorer.exe"});
        }
        SlotSet hooked;
        for (const SlotInfo& info : kSlotTable)
            if (hooks.hooked(info.slot)) hooked.add(info.slot);
        EXPECT_EQ(hooked, row.hooked) << row.steps;
        EXPECT_EQ(rec.trace(), row.lastStep) << row.steps;
        EXPECT_EQ(offIn, row.offIn) << row.steps;
    }
}

}  // namespace
}  // namespace vela
