#include "app/HookReports.h"

#include <string>

#include "hooks/HookTypes.h"

namespace vela {

namespace {

constexpr wchar_t kReportsWindowClass[] = L"VelaHookReports";

}  // namespace

HookReports::HookReports(HINSTANCE module)
    : engineMessage_(RegisterWindowMessageW(kEngineEventMessageName)),
      window_(module, kReportsWindowClass, win32::MessageWindow::Kind::MessageOnly,
              [this](UINT message, WPARAM wParam, LPARAM lParam) {
                  return onMessage(message, wParam, lParam);
              }) {
    for (const SlotInfo& info : kSlotTable)
        reportMessages_[info.slot] = RegisterWindowMessageW(std::wstring(info.messageName).c_str());
}

void HookReports::reportTo(PressPath& presses, HookReportActions actions) {
    presses_ = &presses;
    actions_ = std::move(actions);
}

std::optional<LRESULT> HookReports::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!presses_) return std::nullopt;
    // Stamped when the hook posted it, for a layer button's tap.
    const auto tick = static_cast<std::uint32_t>(GetMessageTime());
    for (const SlotInfo& info : kSlotTable) {
        if (reportMessages_[info.slot] != 0 && message == reportMessages_[info.slot]) {
            presses_->pressed(info.slot, static_cast<std::uint32_t>(lParam), tick);
            return 0;
        }
    }
    if (engineMessage_ == 0 || message != engineMessage_) return std::nullopt;
    switch (static_cast<hooks::EngineEvent>(wParam)) {
        case hooks::EngineEvent::Release:
            if (const SlotInfo* slot = findSlot(static_cast<int>(lParam)))
                presses_->released(slot->slot, tick);
            break;
        case hooks::EngineEvent::HooksRestored:
            presses_->hooksRestored();
            break;
        case hooks::EngineEvent::Click:
            presses_->clicked();
            break;
        case hooks::EngineEvent::OtherInput:
            presses_->otherInput();
            break;
        case hooks::EngineEvent::CapturedKey:
            if (actions_.keyCaptured)
                actions_.keyCaptured(hooks::unpackCapturedKey(static_cast<std::uint32_t>(lParam)));
            break;
        case hooks::EngineEvent::HooksApplied:
            // Vela asks for no answer: a slot asked out is reported no more
            // from the moment it asks, and one asked in only once its hook is
            // in, so no report comes that the request has not allowed.
            break;
        case hooks::EngineEvent::OwnDrag:
            // The layer button drags as its own button: its layer ends, and
            // its release is no tap.
            presses_->abandon();
            break;
        case hooks::EngineEvent::GestureUp:
        case hooks::EngineEvent::GestureDown:
        case hooks::EngineEvent::GestureLeft:
        case hooks::EngineEvent::GestureRight:
        case hooks::EngineEvent::LongPress:
        case hooks::EngineEvent::DoubleClick:
            if (const SlotInfo* slot = findSlot(static_cast<int>(lParam)))
                presses_->triggered(
                    slot->slot, static_cast<SlotTrigger>(
                                    wParam - static_cast<WPARAM>(hooks::EngineEvent::GestureUp)));
            break;
        case hooks::EngineEvent::Bounces:
            if (hooks::unpackBounces(static_cast<std::uint64_t>(lParam), bounces_) &&
                actions_.bounced)
                actions_.bounced(bounces_);
            break;
    }
    return 0;
}

}  // namespace vela
