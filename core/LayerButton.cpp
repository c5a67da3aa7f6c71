#include "core/LayerButton.h"

namespace vela {

bool isLayerWhileHeld(const ButtonAssignment& a) {
    return a.as<action::LayerWhileHeld>() != nullptr;
}

std::wstring layerName(Slot button) {
    return L"While " + std::wstring(slotInfo(button).nativeCaption) + L" Held";
}

}  // namespace vela
