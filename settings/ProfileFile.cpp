#include "settings/ProfileFile.h"

#include <algorithm>

#include "settings/AtomicReplace.h"
#include "settings/IniValue.h"
#include "settings/OverlaySections.h"
#include "settings/SettingsText.h"
#include "settings/SlotFields.h"

namespace vela {

namespace {

// The line that tells a reader of the file what it is; a comment to every
// reader of the form.
constexpr std::wstring_view kHeading =
    L"; Vela profiles: add them to Vela's with \"Import Profile\u2026\" in the profile menu\r\n";

// What no text file holds: a character below the blank other than tab and
// the line ends. Binary data decoded as text is full of them.
bool looksLikeText(std::wstring_view text) {
    return std::none_of(text.begin(), text.end(), [](wchar_t c) {
        return c < L' ' && c != L'\t' && c != L'\r' && c != L'\n';
    });
}

// A name a program's file can have: not empty, no folder, nothing the file
// system forbids.
bool isFileName(std::wstring_view name) {
    return !trimBlanks(name).empty() &&
           name.find_first_of(L"\\/:*?\"<>|") == std::wstring_view::npos && looksLikeText(name) &&
           name.find_first_of(L"\t\r\n") == std::wstring_view::npos;
}

// Every key of Vela's in the overlay's section reads as what it holds, and a
// slot with any key but its note has its caption: without it the slot's
// other keys would be passed over, as a cut or mangled file leaves them.
bool sectionReads(const IniDocument& doc, const std::wstring& section) {
    for (const std::wstring& name : doc.keyNames(section)) {
        if (!isProfileKey(name)) continue;
        const std::size_t dot = name.find(L'.');
        const std::wstring_view field = std::wstring_view(name).substr(dot + 1);
        if (!fieldReads(field, *doc.rawValue(section, name))) return false;
        if (field != kDescriptionKey &&
            !doc.rawValue(section, name.substr(0, dot + 1) + std::wstring(kCaptionKey)))
            return false;
    }
    return true;
}

bool knowsEverySlot(const Overlay& overlay) {
    return std::all_of(kSlotTable.begin(), kSlotTable.end(), [&](const SlotInfo& info) {
        const auto& slot = overlay.slots[info.slot];
        return !slot || (!holds<action::Unknown>(slot->action) && !slot->shortcutMissing());
    });
}

}  // namespace

std::wstring profileFileText(const std::vector<const Overlay*>& overlays) {
    IniDocument doc;
    const IniDocument none;
    std::vector<const Overlay*> profiles;
    std::copy_if(overlays.begin(), overlays.end(), std::back_inserter(profiles),
                 [](const Overlay* o) { return isProfile(o->key); });
    writeProfiles(doc, none, profiles);
    for (const Overlay* overlay : overlays)
        if (buttonOf(overlay->key)) writeOverlay(doc, none, sectionOf(overlay->key), *overlay);
    return std::wstring(kHeading) + doc.text();
}

std::optional<std::vector<Overlay>> overlaysInProfileText(std::wstring_view text) {
    if (!looksLikeText(text)) return std::nullopt;
    const IniDocument doc(text);
    std::vector<Overlay> found;
    bool reads = true;
    forEachStoredOverlay(doc, [&](const OverlayKey& key, const std::wstring& section) {
        if (const std::wstring* program = programOf(key); program && !isFileName(*program))
            reads = false;
        if (const WindowKey* window = windowOf(key);
            window && !window->program.empty() && !isFileName(window->program))
            reads = false;
        if (!reads || !sectionReads(doc, section)) {
            reads = false;
            return;
        }
        if (std::any_of(found.begin(), found.end(),
                        [&](const Overlay& o) { return sameKey(o.key, key); }))
            return;
        Overlay overlay{key, {}, {}};
        readOverlay(doc, section, overlay);
        reads = knowsEverySlot(overlay);
        found.push_back(std::move(overlay));
    });
    if (!reads || found.empty()) return std::nullopt;
    return found;
}

bool ProfileFile::writeProfiles(const std::wstring& path,
                                const std::vector<const Overlay*>& overlays) {
    return replaceFile(files_, path, encodeUtf16LeWithBom(profileFileText(overlays)));
}

std::optional<std::vector<Overlay>> ProfileFile::readProfiles(const std::wstring& path) {
    const auto bytes = files_.readAll(path);
    if (!bytes) return std::nullopt;
    return overlaysInProfileText(decodeSettingsText(*bytes, ansi_).text);
}

}  // namespace vela
