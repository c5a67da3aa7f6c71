#include "core/LayerButton.h"

namespace vela {

bool isLayerWhileHeld(const ButtonAssignment& a) {
    return a.as<action::LayerWhileHeld>() != nullptr;
}

bool layerKeepsOwnClick(Trigger t, const ButtonAssignment& layerButton) {
    const auto* layer = layerButton.as<action::LayerWhileHeld>();
    return layer && layer->ownClick ? *layer->ownClick : keepsOwnClickByDefault(t);
}

std::wstring layerName(Slot button) {
    return L"While " + std::wstring(slotInfo(button).nativeCaption) + L" Held";
}

}  // namespace vela
