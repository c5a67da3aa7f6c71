#include "core/OverlayKey.h"

#include "core/CaselessName.h"
#include "core/LayerButton.h"

namespace vela {

bool sameProgram(std::wstring_view a, std::wstring_view b) {
    return sameCaseless(withoutEndBlanks(a), withoutEndBlanks(b));
}

bool sameKey(const OverlayKey& a, const OverlayKey& b) {
    if (a.index() != b.index()) return false;
    if (const std::wstring* program = programOf(a)) return sameProgram(*program, *programOf(b));
    if (const WindowKey* window = windowOf(a)) {
        const WindowKey& other = *windowOf(b);
        return sameProgram(window->program, other.program) &&
               sameCaseless(window->windowClass, other.windowClass) &&
               sameCaseless(window->title, other.title);
    }
    return buttonOf(a) == buttonOf(b);
}

bool matchesPattern(std::wstring_view pattern, std::wstring_view text) {
    // The usual greedy walk: on a mismatch after a '*', that star takes one
    // character more and the rest is tried again from there.
    std::size_t p = 0, t = 0;
    std::size_t star = std::wstring_view::npos, resume = 0;
    const auto same = [&](std::size_t pi, std::size_t ti) {
        return pattern[pi] == L'?' || sameCaseless(pattern.substr(pi, 1), text.substr(ti, 1));
    };
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = t;
        } else if (p < pattern.size() && same(p, t)) {
            ++p;
            ++t;
        } else if (star != std::wstring_view::npos) {
            p = star + 1;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') ++p;
    return p == pattern.size();
}

int matchOf(const OverlayKey& key, const WindowIdentity& window) {
    if (const std::wstring* program = programOf(key))
        return sameProgram(*program, window.program) ? 1 : 0;
    const WindowKey* w = windowOf(key);
    if (!w) return 0;
    int named = 0;
    if (!w->program.empty()) {
        if (!sameProgram(w->program, window.program)) return 0;
        ++named;
    }
    if (!w->windowClass.empty()) {
        if (!sameCaseless(withoutEndBlanks(w->windowClass), window.windowClass)) return 0;
        ++named;
    }
    if (!w->title.empty()) {
        if (!matchesPattern(w->title, window.title)) return 0;
        ++named;
    }
    return named;
}

bool isProfile(const OverlayKey& key) {
    return !std::holds_alternative<LayerKey>(key);
}

const std::wstring* programOf(const OverlayKey& key) {
    const auto* profile = std::get_if<ProgramKey>(&key);
    return profile ? &profile->program : nullptr;
}

std::optional<Slot> buttonOf(const OverlayKey& key) {
    const auto* layer = std::get_if<LayerKey>(&key);
    return layer ? std::optional<Slot>(layer->button) : std::nullopt;
}

const WindowKey* windowOf(const OverlayKey& key) {
    return std::get_if<WindowKey>(&key);
}

std::wstring overlayName(const OverlayKey& key) {
    if (const std::wstring* program = programOf(key)) return *program;
    if (const WindowKey* w = windowOf(key)) {
        std::wstring name = w->program.empty() ? std::wstring(kAnyProgramText) : w->program;
        if (!w->title.empty()) name += L" \u2013 \u201C" + w->title + L"\u201D";
        if (!w->windowClass.empty()) name += L" (" + w->windowClass + L")";
        return name;
    }
    return layerName(*buttonOf(key));
}

}  // namespace vela
