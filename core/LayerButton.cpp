#include "core/LayerButton.h"

namespace vela {

bool isLayerWhileHeld(const ButtonAssignment& a) {
    return a.hookInstalled && a.actionGroup == toRaw(ActionGroup::KeyGroup) &&
           a.keyAction == toRaw(KeyAction::LayerWhileHeld);
}

std::wstring layerName(Slot button) {
    return L"While " + std::wstring(slotInfo(button).nativeCaption) + L" Held";
}

}  // namespace vela
