// Playback threads end to end through the executor: built with ThreadSanitizer
// too, so every value the threads share is checked for races.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "core/ActionExecutor.h"
#include "core/InputRecords.h"
#include "core/ProgramFiles.h"
#include "core/TrackedInput.h"
#include "core/TypedText.h"
#include "macro/MacroPlayer.h"
#include "macro/MacroScriptLoader.h"
#include "macro/TextTyper.h"
#include "tests/support/MemoryFilePort.h"
#include "tests/support/RecordingPorts.h"
#include "tests/support/Records.h"
#include "tests/support/StdThreads.h"

namespace vela {
namespace {

using namespace std::chrono_literals;
using test::Recorder;

constexpr auto kPatience = 20s;  // a liveness guard, not a speed check

// Holds playback threads inside their Delay steps until the test lets them go.
class Gate {
public:
    void pass() {
        std::unique_lock lock(mutex_);
        ++waiting_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return open_; });
        --waiting_;
    }
    bool awaitWaiting(int count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kPatience, [&] { return waiting_ >= count; });
    }
    int waiting() {
        std::lock_guard lock(mutex_);
        return waiting_;
    }
    void open() {
        std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int waiting_ = 0;
    bool open_ = false;
};

// What the factory makes: one port per playback, all writing to one recorder.
class ThreadPort final : public InputPort {
public:
    ThreadPort(std::shared_ptr<Recorder> rec, std::shared_ptr<Gate> gate,
               std::shared_ptr<std::atomic<int>> live, bool gateMoves = false)
        : rec_(std::move(rec)),
          gate_(std::move(gate)),
          live_(std::move(live)),
          gateMoves_(gateMoves) {
        ++*live_;
    }
    ~ThreadPort() override { --*live_; }
    void send(std::span<const InputRecord> r) override { rec_->send(r); }
    void sleepMs(std::uint32_t ms) override {
        rec_->sleepMs(ms);
        if (gate_) gate_->pass();
    }
    // With `gateMoves`, a move step waits at the gate where it asks for the
    // pointer (the playback's own first look, at its start, does not).
    Point cursorPos() override {
        if (gateMoves_ && cursorReads_++ > 0) gate_->pass();
        return rec_->cursorPos();
    }
    Size primaryScreenSize() override { return rec_->primaryScreenSize(); }
    Rect virtualScreen() override { return rec_->virtualScreen(); }
    std::uint32_t tickCount() override { return rec_->tickCount(); }
    std::uint64_t messageExtraInfo() override { return rec_->messageExtraInfo(); }
    std::uint16_t scanCodeOf(std::uint16_t vk) override { return rec_->scanCodeOf(vk); }
    bool keyDown(std::uint16_t vk) override { return rec_->keyDown(vk); }

private:
    std::shared_ptr<Recorder> rec_;
    std::shared_ptr<Gate> gate_;
    std::shared_ptr<std::atomic<int>> live_;
    bool gateMoves_;
    int cursorReads_ = 0;
};

class PlaybackTest : public ::testing::Test {
protected:
    Recorder ui;  // the user-interface thread's ports
    std::shared_ptr<Recorder> played = std::make_shared<Recorder>();
    std::shared_ptr<Gate> gate = std::make_shared<Gate>();
    std::shared_ptr<std::atomic<int>> livePorts = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<std::atomic<int>> portsMade = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<MacroScripts> scripts = std::make_shared<MacroScripts>();
    std::shared_ptr<PlaybackThreads> threads = std::make_shared<PlaybackThreads>();
    std::shared_ptr<HeldInputs> ledger = std::make_shared<HeldInputs>();
    test::StdThreads starter;
    std::unique_ptr<MacroPlayer> player;
    std::unique_ptr<TextTyper> typer;
    bool gateMoves = false;
    // Waking a playback opens the gate its pause waits at, unless the
    // playback is to be stuck where no wake reaches it.
    struct GateWake final : PlaybackWakePort {
        explicit GateWake(Gate& g) : gate(g) {}
        void wake(Slot) override {
            if (opens) gate.open();
        }
        Gate& gate;
        bool opens = true;
    } wake{*gate};
    InputReleaser releaser{*ledger, *threads, wake, ui};
    SlotModel model{ui, ui, ui, &releaser};
    std::unique_ptr<ActionExecutor> executor;

    void SetUp() override {
        // The releaser's wait for a stopping playback takes real time.
        ui.duringSleep = [this] {
            std::this_thread::sleep_for(1ms);
            ++ui.tick;
        };
        build();
    }
    void build() {
        const InputPortFactory ports = [this, rec = played, gate = gate, live = livePorts,
                                        made = portsMade](Slot) {
            ++*made;
            return std::make_unique<ThreadPort>(rec, gate, live, gateMoves);
        };
        player = std::make_unique<MacroPlayer>(scripts, threads, ledger, ports, starter);
        typer = std::make_unique<TextTyper>(threads, ledger, ports, starter);
        executor = std::make_unique<ActionExecutor>(
            model, ExecutorPorts{ui, ui, ui, ui, *player, nullptr, typer.get()}, *threads);
    }
    void giveMacro(Slot slot, MacroScript script) {
        scripts->put(number(slot), std::move(script));
        ButtonAssignment& a = model.at(slot);
        a.remapped = true;  // remapped, as the settings loader leaves it
        a.action = action::Macro{};
    }
    bool awaitIdle(Slot slot) {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (threads->isPlaying(slot)) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(1ms);
        }
        return true;
    }
    bool awaitNoPorts() {
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        while (livePorts->load() != 0) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(1ms);
        }
        return true;
    }
    static MacroScript tapWithPause(int vk) {
        return {
            {'j', L" " + std::to_wstring(vk)}, {'g', L" 10"}, {'k', L" " + std::to_wstring(vk)}};
    }
};

TEST_F(PlaybackTest, APressPlaysTheSlotsScriptOnItsOwnThreadAndFreesTheSlotAfter) {
    gate->open();
    played->extraInfo = 0xABCD'1234;
    giveMacro(Slot::X1, {{'j', L" 17"}, {'g', L" 25"}, {'k', L" 17"}});
    executor->onActivation(Slot::X1);
    ASSERT_TRUE(awaitIdle(Slot::X1));
    EXPECT_EQ(played->trace(), "send:1 sleep:25 send:1");
    auto down = test::key(17, false), up = test::key(17, true);
    down.extraInfo = up.extraInfo = 0x1234;
    EXPECT_EQ(played->records(), (std::vector<InputRecord>{down, up}));
    EXPECT_TRUE(ui.calls().empty()) << "nothing is sent from the pressing thread";
    EXPECT_TRUE(awaitNoPorts()) << "the thread's port goes with it";
}

TEST_F(PlaybackTest, APressDuringPlaybackIsDroppedALaterOneStartsOver) {
    giveMacro(Slot::WD, tapWithPause(65));
    executor->onActivation(Slot::WD);
    ASSERT_TRUE(gate->awaitWaiting(1));
    executor->onActivation(Slot::WD);  // still in its Delay step
    executor->onActivation(Slot::WD);
    EXPECT_EQ(portsMade->load(), 1);
    gate->open();
    ASSERT_TRUE(awaitIdle(Slot::WD));

    executor->onActivation(Slot::WD);
    ASSERT_TRUE(awaitIdle(Slot::WD));
    EXPECT_EQ(portsMade->load(), 2);
    EXPECT_EQ(played->trace(), "send:1 sleep:10 send:1 send:1 sleep:10 send:1");
}

TEST_F(PlaybackTest, AllEightPlayingSlotsPlayAtOnceEachWithItsOwnPort) {
    std::vector<Slot> playing;
    for (const SlotInfo& info : kSlotTable) {
        if (info.macro != MacroBehaviour::Playback) continue;
        playing.push_back(info.slot);
        giveMacro(info.slot, tapWithPause(0x40 + number(info.slot)));
    }
    ASSERT_EQ(playing.size(), 8u);
    for (Slot s : playing) executor->onActivation(s);

    // Every one of them is inside its Delay at the same moment.
    ASSERT_TRUE(gate->awaitWaiting(8));
    EXPECT_EQ(livePorts->load(), 8);
    for (Slot s : playing) EXPECT_TRUE(threads->isPlaying(s));
    gate->open();
    for (Slot s : playing) ASSERT_TRUE(awaitIdle(s));
    ASSERT_TRUE(awaitNoPorts());

    // Each key went down once and up once, down first, whatever the interleaving.
    const auto records = played->records();
    ASSERT_EQ(records.size(), 16u);
    for (Slot s : playing) {
        const auto vk = static_cast<std::uint16_t>(0x40 + number(s));
        const auto down = std::find(records.begin(), records.end(), test::key(vk, false));
        const auto up = std::find(records.begin(), records.end(), test::key(vk, true));
        ASSERT_NE(down, records.end());
        ASSERT_NE(up, records.end());
        EXPECT_LT(down, up);
    }
}

TEST_F(PlaybackTest, SlotMHasNoPlaybackThread) {
    scripts->put(2, tapWithPause(1));
    EXPECT_FALSE(player->startPlayback(Slot::M));
    giveMacro(Slot::M, tapWithPause(1));
    model.at(Slot::M).action = action::Macro{L"", 0x44};
    executor->onActivation(Slot::M);
    EXPECT_EQ(portsMade->load(), 0);
    EXPECT_EQ(ui.trace(), "send:1 sleep:100 send:1 send:1 sleep:100 send:1");
}

TEST_F(PlaybackTest, WhenNoThreadStartsTheSlotIsFreeAgainAndThePortGone) {
    starter.refuse = true;
    build();
    giveMacro(Slot::R, tapWithPause(1));
    executor->onActivation(Slot::R);
    EXPECT_FALSE(threads->isPlaying(Slot::R));
    EXPECT_EQ(portsMade->load(), 1);
    EXPECT_EQ(livePorts->load(), 0);
    EXPECT_TRUE(played->calls().empty());
}

TEST_F(PlaybackTest, APlaybackOutlivesThePlayerAndTheCallersReferences) {
    giveMacro(Slot::AltTab, tapWithPause(9));
    executor->onActivation(Slot::AltTab);
    ASSERT_TRUE(gate->awaitWaiting(1));
    // The program ends its side: nothing waits for the running playback.
    executor.reset();
    player.reset();
    scripts.reset();
    gate->open();
    ASSERT_TRUE(awaitIdle(Slot::AltTab));
    ASSERT_TRUE(awaitNoPorts());
    EXPECT_EQ(played->trace(), "send:1 sleep:10 send:1");
}

TEST_F(PlaybackTest, PlayingOnThisThreadLeavesTheEntriesAloneAndPlaysSlotMToo) {
    gate->open();
    scripts->put(2, {{'j', L" 77"}, {'k', L" 77"}});
    Recorder here;
    player->playOnThisThread(2, here);
    EXPECT_EQ(here.records(),
              (std::vector<InputRecord>{test::key(77, false), test::key(77, true)}));
    for (const SlotInfo& info : kSlotTable) EXPECT_FALSE(threads->isPlaying(info.slot));
    for (int position : {0, 7, 11, -3}) player->playOnThisThread(position, here);
    EXPECT_EQ(here.records().size(), 2u);
    EXPECT_EQ(portsMade->load(), 0);
}

// Control, Shift and the left button down, then a long pause: what a user
// stops by Exit, Reset or a new assignment.
MacroScript holdingScript() {
    return {{'j', L" 17"}, {'j', L" 16"}, {'a', L""},   {'g', L" 4000"},
            {'b', L""},    {'k', L" 16"}, {'k', L" 17"}};
}
const InputRecord kLeftDown = test::mouse(0, 0, 0x8003);
const InputRecord kLeftUpInPlace = test::mouse(0, 0, 0x0004);

TEST_F(PlaybackTest, ANewAssignmentStopsThePlayingScriptAndLetsGoOfItsKeysLastFirst) {
    played->cursor = {0, 0};
    giveMacro(Slot::X1, holdingScript());
    executor->onActivation(Slot::X1);
    ASSERT_TRUE(gate->awaitWaiting(1));
    model.assign(Slot::X1, L"Copy", action::Key{ChordModifier::Control, 67});
    // Stopped within the wait: the pause ended, nothing after it was played.
    EXPECT_FALSE(threads->isPlaying(Slot::X1));
    auto records = played->records();
    for (InputRecord& r : records) r.dx = r.dy = 0;
    EXPECT_EQ(records,
              (std::vector<InputRecord>{test::key(17, false), test::key(16, false), kLeftDown,
                                        kLeftUpInPlace, test::key(16, true), test::key(17, true)}));
    EXPECT_EQ(played->trace(), "send:1 send:1 send:1 sleep:4000 send:3");
    EXPECT_FALSE(ledger->holdsAnything());
    // The slot plays again when it is given a script again.
    giveMacro(Slot::X1, tapWithPause(65));
    played->clear();
    executor->onActivation(Slot::X1);
    ASSERT_TRUE(awaitIdle(Slot::X1));
    EXPECT_EQ(played->trace(), "send:1 sleep:10 send:1");
}

TEST_F(PlaybackTest, ResetStopsEveryPlayingScriptAndLetsGoOfEverything) {
    giveMacro(Slot::X1, holdingScript());
    giveMacro(Slot::WU, {{'j', L" 90"}, {'g', L" 4000"}, {'k', L" 90"}});
    executor->onActivation(Slot::X1);
    executor->onActivation(Slot::WU);
    ASSERT_TRUE(gate->awaitWaiting(2));
    model.resetAll(ui);
    EXPECT_FALSE(threads->isPlaying(Slot::X1));
    EXPECT_FALSE(threads->isPlaying(Slot::WU));
    EXPECT_FALSE(ledger->holdsAnything());
    const auto records = played->records();
    for (const InputRecord& r :
         {test::key(17, false), test::key(16, false), test::key(90, false)}) {
        const auto down = std::find(records.begin(), records.end(), r);
        const auto up = std::find(records.begin(), records.end(), *releaseOf(r));
        ASSERT_NE(up, records.end()) << r.virtualKey << " never released";
        EXPECT_LT(down, up);
    }
    EXPECT_EQ(records.size(), 8u) << "three keys and a button down, each up once";
}

TEST_F(PlaybackTest, APlaybackThatDoesNotStopIsWaitedForAtMostTheStopWaitByTheClock) {
    // A playback stuck past its wake (a thread the system does not schedule)
    // and a coarse scheduler: each 1 ms pause of the waiting thread lasts a
    // whole 16 ms tick. The keys still go up once the wait's time is over.
    struct NoWake final : PlaybackWakePort {
        void wake(Slot) override {}
    } noWake;
    InputReleaser stuck{*ledger, *threads, noWake, ui};
    ui.duringSleep = [this] { ui.tick += 16; };
    giveMacro(Slot::X1, holdingScript());
    executor->onActivation(Slot::X1);
    ASSERT_TRUE(gate->awaitWaiting(1));
    const std::uint32_t before = ui.tick;
    stuck.releaseAll();
    EXPECT_LE(ui.tick - before, kPlaybackStopWaitMs + 16) << "waited past the stop wait";
    EXPECT_FALSE(ledger->holdsAnything());
    EXPECT_EQ(ui.records().size(), 3u) << "two keys and the button let go";
    gate->open();
    ASSERT_TRUE(awaitIdle(Slot::X1));
    EXPECT_EQ(played->records().size(), 3u) << "the late thread pressed and released nothing more";
}

// Another script chosen for the slot while its playback is stuck inside a
// step past the stop wait (a thread the system does not schedule): the
// playback finishes that step with the script it started, which is neither
// changed nor freed under it.
TEST_F(PlaybackTest, AScriptReadAgainWhileItPlaysLeavesThePlayingStepsAlone) {
    wake.opens = false;
    gateMoves = true;
    giveMacro(Slot::X1, {{'j', L" 17"}, {'h', L" 5"}, {'k', L" 17"}});
    executor->onActivation(Slot::X1);
    ASSERT_TRUE(gate->awaitWaiting(1)) << "inside the move step";

    test::MemoryFilePort fs;
    fs.files[macroScriptPath(L"C:\\Vela", L"Other.txt")] = test::bytesOf("MoveL 900\nKeyDown 66\n");
    MacroScriptLoader loader(fs, L"C:\\Vela", scripts);
    model.assign(Slot::X1, L"Other", action::Macro{});
    loader.LoadMacroScript(number(Slot::X1), L"Other.txt");
    gate->open();
    ASSERT_TRUE(awaitIdle(Slot::X1));

    const std::int32_t x = absoluteCoordinate(played->cursor.x, played->screen.width);
    const auto records = played->records();
    ASSERT_EQ(records.size(), 2u)
        << "the key down and the move it was in, nothing of the new script";
    EXPECT_EQ(records[0], test::key(17, false));
    EXPECT_EQ(records[1].dx, x + 5) << "the move keeps its own distance";
    EXPECT_EQ(ui.records(), (std::vector<InputRecord>{test::key(17, true)}));
}

TEST_F(PlaybackTest, AScriptThatForgetsItsKeyUpHasTheKeyReleasedAtItsEnd) {
    gate->open();
    giveMacro(Slot::X2, {{'j', L" 16"}, {'j', L" 65"}, {'k', L" 65"}});
    executor->onActivation(Slot::X2);
    ASSERT_TRUE(awaitIdle(Slot::X2));
    EXPECT_EQ(played->records(),
              (std::vector<InputRecord>{test::key(16, false), test::key(65, false),
                                        test::key(65, true), test::key(16, true)}));
    EXPECT_FALSE(ledger->holdsAnything());
    // The playback timers' way, on this thread, too.
    scripts->put(10, {{'j', L" 17"}});
    Recorder here;
    player->playOnThisThread(10, here);
    EXPECT_EQ(here.records(),
              (std::vector<InputRecord>{test::key(17, false), test::key(17, true)}));
}

// A text types on a thread of its own, the middle button's too (it plays no
// scripts); a press meanwhile is dropped; a new assignment stops it between
// two batches with nothing left down; another slot's text types to its end.
TEST_F(PlaybackTest, ATextTypesOnItsOwnThreadAndANewAssignmentStopsItAtOnce) {
    const std::wstring text(3 * kTypedCharactersPerBatch, L'x');
    model.assign(Slot::M, L"xxx", action::TypeText{text});
    executor->onActivation(Slot::M);
    ASSERT_TRUE(gate->awaitWaiting(1)) << "in the pause after the first batch";
    executor->onActivation(Slot::M);
    EXPECT_EQ(portsMade->load(), 1) << "the second press was dropped";
    model.assign(Slot::M, L"F13", action::PressShortcut{Shortcut(0, 0x7C)});
    EXPECT_FALSE(threads->isPlaying(Slot::M)) << "stopped within the wait";
    EXPECT_EQ(played->trace(), "send:64 sleep:10") << "one batch of 32, nothing after";
    EXPECT_FALSE(ledger->holdsAnything());
    ASSERT_TRUE(awaitNoPorts());

    played->clear();
    model.assign(Slot::X1, L"xxx", action::TypeText{text});
    executor->onActivation(Slot::X1);
    ASSERT_TRUE(awaitIdle(Slot::X1));
    EXPECT_EQ(played->trace(), "send:64 sleep:10 send:64 sleep:10 send:64");
    EXPECT_TRUE(ui.records().empty()) << "nothing is typed from the pressing thread";
}

// A modifier another input holds ("Hold While Pressed") is let go for the
// text and put back while that input still holds it; it stays that input's.
TEST_F(PlaybackTest, ATextTypesWithoutTheModifiersAnotherInputHolds) {
    gate->open();
    // Left Control, and Shift as a script holds it: the generic key.
    const InputRecord held[] = {test::key(0xA2, false), test::key(0x10, false)};
    ledger->noteSent(heldFunctionOwner(Slot::X2), held);
    ASSERT_TRUE(threads->tryBegin(Slot::X1));  // as the executor claims it
    ASSERT_TRUE(typer->startTyping(Slot::X1, L"\n"));
    ASSERT_TRUE(awaitIdle(Slot::X1));
    EXPECT_EQ(played->records(),
              (std::vector{test::key(0xA0, true), test::key(0xA2, true), test::key(0x0D, false),
                           test::key(0x0D, true), test::key(0xA2, false), test::key(0xA0, false)}));
    EXPECT_EQ(ledger->takeReleases(heldFunctionOwner(Slot::X2)),
              (std::vector{test::key(0x10, true), test::key(0xA2, true)}));
}

}  // namespace
}  // namespace vela
