#include "app/HookSide.h"

namespace vela {

void HookSide::reportTo(PressPath& presses, TrayController& tray) {
    reports.reportTo(presses, {[this](const CapturedKey& key) { engine.captured(key); },
                               [&tray](const BounceCounts& counts) { tray.showBounces(counts); }});
    engine.listen(reports.engineMessage());
}

}  // namespace vela
