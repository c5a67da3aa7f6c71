// Vela's own output never comes back as a press. For every slot and every
// function of the catalogue, held while pressed or not: the slot's physical
// press and release go through the hooks' filters, their reports drive the
// executor, and everything the executor sends is fed back into the filters as
// the injected events the system makes of it, with every slot installed. The
// filters report none of it and swallow none of it. The same events without
// the injected flag would be caught, so it is the flag that lets them by.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "hooks/KeyFilter.h"
#include "hooks/MouseFilter.h"
#include "menu/AssignmentCommands.h"
#include "tests/core/ExecutorFixture.h"
#include "tests/support/MenuFakes.h"

namespace vela::test {
namespace {

using hooks::KeyInput;
using hooks::MouseEventKind;
using hooks::MouseInput;
using hooks::Verdict;

struct Event {
    std::optional<MouseInput> mouse;
    std::optional<KeyInput> key;
};

Event mouseEvent(MouseEventKind kind, std::uint32_t xButton = 0, int delta = 0,
                 bool injected = false) {
    return {MouseInput{kind, xButton, delta, injected}, std::nullopt};
}

Event keyEvent(std::uint32_t vk, bool down, bool injected = false) {
    return {std::nullopt, KeyInput{vk, down, injected}};
}

// The low-level events the system makes of one record given to SendInput:
// a mouse record's move, then its buttons and wheel; a key record's key.
void eventsOf(const InputRecord& r, bool injected, std::vector<Event>& out) {
    if (r.type == InputRecord::Keyboard) {
        out.push_back(keyEvent(r.virtualKey, (r.flags & kKeyUpFlag) == 0, injected));
        return;
    }
    const auto delta = static_cast<std::int32_t>(r.mouseData);
    const struct {
        std::uint32_t flag;
        MouseEventKind kind;
    } parts[] = {
        {mouseflag::Move, MouseEventKind::Move},
        {mouseflag::LeftDown, MouseEventKind::LeftDown},
        {mouseflag::LeftUp, MouseEventKind::LeftUp},
        {mouseflag::RightDown, MouseEventKind::RightDown},
        {mouseflag::RightUp, MouseEventKind::RightUp},
        {mouseflag::MiddleDown, MouseEventKind::MiddleDown},
        {mouseflag::MiddleUp, MouseEventKind::MiddleUp},
        {mouseflag::XDown, MouseEventKind::XDown},
        {mouseflag::XUp, MouseEventKind::XUp},
        {mouseflag::Wheel, MouseEventKind::Wheel},
        {mouseflag::HorizontalWheel, MouseEventKind::TiltWheel},
    };
    for (const auto& part : parts) {
        if ((r.flags & part.flag) == 0) continue;
        const bool x = part.kind == MouseEventKind::XDown || part.kind == MouseEventKind::XUp;
        const bool wheel =
            part.kind == MouseEventKind::Wheel || part.kind == MouseEventKind::TiltWheel;
        out.push_back(mouseEvent(part.kind, x ? delta : 0, wheel ? delta : 0, injected));
    }
}

// Each input's physical press and release, as the hooks see them.
struct Physical {
    std::vector<Event> press, release;
};

Physical physical(Trigger t) {
    using K = MouseEventKind;
    switch (t) {
        case Trigger::RightButton:
            return {{mouseEvent(K::RightDown)}, {mouseEvent(K::RightUp)}};
        case Trigger::MiddleButton:
            return {{mouseEvent(K::MiddleDown)}, {mouseEvent(K::MiddleUp)}};
        case Trigger::ForwardButton:
            return {{mouseEvent(K::XDown, kXButton2)}, {mouseEvent(K::XUp, kXButton2)}};
        case Trigger::BackButton:
            return {{mouseEvent(K::XDown, kXButton1)}, {mouseEvent(K::XUp, kXButton1)}};
        case Trigger::WheelDown:
            return {{mouseEvent(K::Wheel, 0, -hooks::kNotch)}, {}};
        case Trigger::WheelUp:
            return {{mouseEvent(K::Wheel, 0, hooks::kNotch)}, {}};
        case Trigger::TiltLeft:
            return {{mouseEvent(K::TiltWheel, 0, -hooks::kNotch)}, {}};
        case Trigger::TiltRight:
            return {{mouseEvent(K::TiltWheel, 0, hooks::kNotch)}, {}};
        case Trigger::AltTab:
            return {
                {keyEvent(hooks::keycode::LeftAlt, true), keyEvent(hooks::keycode::Tab, true)},
                {keyEvent(hooks::keycode::Tab, false), keyEvent(hooks::keycode::LeftAlt, false)}};
    }
    return {};
}

SlotSet everySlot() {
    return SlotSet::all();
}

struct Filters {
    hooks::MouseFilter mouse;
    hooks::KeyFilter keys;

    Verdict feed(const Event& e) {
        return e.mouse ? mouse.onEvent(*e.mouse, everySlot()) : keys.onEvent(*e.key, everySlot());
    }
};

class LoopBack : public ExecutorTest {
protected:
    MenuFakes fakes{model};
    menu::AssignmentCommands commands{
        model, {fakes, fakes, fakes, fakes, nullptr, nullptr, &fakes, &fakes}, L"Vela"};
    Filters filters;
    // The same events without the injected flag, through filters of their own.
    Filters twin;
    int twinsCaught = 0;
    std::size_t fedBack = 0;

    // The physical events through the filters, each report handed on as the
    // main window hands it on, and what the executor sends then fed back at
    // once, while the physical input is still down; how many activations
    // were reported.
    int press(const std::vector<Event>& events) {
        int activations = 0;
        for (const Event& e : events) {
            const Verdict v = filters.feed(e);
            for (int i = 0; v.reportSlot && i < v.reports; ++i) {
                if (v.release) {
                    executor.onRelease(*v.reportSlot);
                } else {
                    executor.onActivation(*v.reportSlot, v.detail);
                    ++activations;
                }
                feedBack();
            }
        }
        return activations;
    }

    void feedBack() {
        const std::vector<InputRecord> records = rec.records();
        std::vector<Event> sent;
        for (; fedBack < records.size(); ++fedBack) eventsOf(records[fedBack], true, sent);
        for (Event& e : sent) {
            EXPECT_EQ(filters.feed(e), Verdict::pass());
            if (e.mouse) e.mouse->injected = false;
            if (e.key) e.key->injected = false;
            twinsCaught += twin.feed(e).reports;
        }
    }
};

TEST_F(LoopBack, NothingTheExecutorSendsIsReportedOrSwallowedByTheHooks) {
    fakes.fileToChoose = ChosenFile{L"C:\\Tools\\Editor.exe", L"Editor.exe"};
    // A shortcut with every kind of part: modifiers of both sides, a button.
    fakes.shortcutToGive =
        Shortcut(modifier::RightCtrl | modifier::LeftWin, shortcutkey::BackButton);
    fakes.textToGive = L"typed";
    for (const SlotInfo& info : kSlotTable) {
        for (const menu::CatalogueEntry& entry : menu::kCatalogue) {
            for (bool hold : {false, true}) {
                SCOPED_TRACE(std::string(info.name) + " " +
                             std::string(entry.menuText.begin(), entry.menuText.end()) +
                             (hold ? " held" : ""));
                commands.openFunctionMenu(info.slot);
                ASSERT_TRUE(commands.onCommand(entry.commandId));
                model.at(info.slot).holdWhilePressed = hold;
                // "No Settings" takes the hook out: a press the hook caught
                // before then is sent on as the input itself.
                model.at(info.slot).remapped = entry.kind != menu::EntryKind::RestoreOwnFunction;
                rec.clear();
                fedBack = 0;
                const Physical input = physical(info.trigger);
                EXPECT_EQ(press(input.press), 1) << "the physical press reports once";
                press(input.release);
            }
        }
    }
    // Right, middle, side buttons, wheel and Tab among what was sent: without
    // the flag they would have come back as presses.
    EXPECT_GT(twinsCaught, 0);
}

}  // namespace
}  // namespace vela::test
