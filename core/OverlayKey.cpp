#include "core/OverlayKey.h"

#include "core/CaselessName.h"
#include "core/LayerButton.h"

namespace vela {

namespace {

// A profile lives in the settings section of its program's name, and a
// section's name reads back without the blanks at its ends.
std::wstring_view withoutEndBlanks(std::wstring_view name) {
    const std::size_t first = name.find_first_not_of(L" \t");
    if (first == std::wstring_view::npos) return {};
    return name.substr(first, name.find_last_not_of(L" \t") - first + 1);
}

}  // namespace

bool sameProgram(std::wstring_view a, std::wstring_view b) {
    return sameCaseless(withoutEndBlanks(a), withoutEndBlanks(b));
}

bool sameKey(const OverlayKey& a, const OverlayKey& b) {
    if (a.index() != b.index()) return false;
    if (const std::wstring* program = programOf(a)) return sameProgram(*program, *programOf(b));
    return buttonOf(a) == buttonOf(b);
}

const std::wstring* programOf(const OverlayKey& key) {
    const auto* profile = std::get_if<ProgramKey>(&key);
    return profile ? &profile->program : nullptr;
}

std::optional<Slot> buttonOf(const OverlayKey& key) {
    const auto* layer = std::get_if<LayerKey>(&key);
    return layer ? std::optional<Slot>(layer->button) : std::nullopt;
}

std::wstring overlayName(const OverlayKey& key) {
    if (const std::wstring* program = programOf(key)) return *program;
    return layerName(*buttonOf(key));
}

}  // namespace vela
