#include "settings/OverlaySections.h"

#include <algorithm>
#include <optional>

#include "core/CaselessName.h"
#include "core/LayerButton.h"
#include "core/LeadingInteger.h"
#include "settings/IniValue.h"
#include "settings/SlotFields.h"

namespace vela {

namespace {

std::wstring slotPrefix(const SlotInfo& info) {
    return std::wstring(info.name.begin(), info.name.end()) + L".";
}

}  // namespace

bool isProfileKey(std::wstring_view name) {
    for (const SlotInfo& info : kSlotTable) {
        const std::wstring prefix = slotPrefix(info);
        if (name.size() <= prefix.size() || !sameCaseless(name.substr(0, prefix.size()), prefix))
            continue;
        const std::wstring_view key = name.substr(prefix.size());
        return isSlotFieldKey(key);
    }
    return false;
}

bool isOverlayKey(const OverlayKey& key, std::wstring_view name) {
    return isProfileKey(name) || (programOf(key) && sameCaseless(trimBlanks(name), kVelaOffKey));
}

namespace {

bool isNumber(std::wstring_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// The programs the "[Profiles]" list names, in the order of their numbers,
// however many there are and whatever gaps the numbering has; an empty entry
// names none. Names are taken exactly as they read back.
std::vector<std::wstring> listedPrograms(const IniDocument& doc) {
    struct Entry {
        std::wstring_view number;  // leading zeros off
        std::wstring program;
    };
    const std::vector<std::wstring> keys = doc.keyNames(kProfilesSection);
    std::vector<Entry> entries;
    for (const std::wstring& k : keys) {
        if (!isNumber(k)) continue;
        std::wstring program = decodeIniValue(doc.rawValue(kProfilesSection, k).value_or(L""));
        if (trimBlanks(program).empty()) continue;
        std::wstring_view number = k;
        while (number.size() > 1 && number.front() == L'0') number.remove_prefix(1);
        entries.push_back({number, std::move(program)});
    }
    // By value, without limit on the digits: a shorter number is smaller.
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.number.size() != b.number.size() ? a.number.size() < b.number.size()
                                                  : a.number < b.number;
    });
    std::vector<std::wstring> programs;
    for (Entry& e : entries) programs.push_back(std::move(e.program));
    return programs;
}

}  // namespace

std::wstring sectionOf(const OverlayKey& key) {
    if (const std::wstring* program = programOf(key)) return *program;
    const std::string_view button = slotInfo(*buttonOf(key)).name;
    return L"Layer:" + std::wstring(button.begin(), button.end());
}

void forEachStoredOverlay(const IniDocument& doc, const std::function<void(const OverlayKey&)>& f) {
    for (std::wstring& program : listedPrograms(doc)) f(ProgramKey{std::move(program)});
    for (const SlotInfo& info : kSlotTable) {
        if (!canCarryLayer(info.trigger)) continue;
        const std::vector<std::wstring> names = doc.keyNames(sectionOf(LayerKey{info.slot}));
        if (std::any_of(names.begin(), names.end(), isProfileKey)) f(LayerKey{info.slot});
    }
}

namespace {

// The function an overlay's section gives the slot, if it gives one.
std::optional<ButtonAssignment> readSetSlot(const IniDocument& doc, std::wstring_view section,
                                            const SlotInfo& info) {
    const std::wstring prefix = slotPrefix(info);
    if (!doc.rawValue(section, prefix + std::wstring(kCaptionKey))) return std::nullopt;
    ButtonAssignment a = readFields(doc, section, prefix);
    if (a.shortcutMissing()) {
        a.caption = std::wstring(kUnreadableShortcutCaption);
    } else if (a.caption.empty()) {
        a.caption = std::wstring(info.nativeCaption);
    }
    return a;
}

}  // namespace

void readOverlay(const IniDocument& doc, Overlay& overlay) {
    const std::wstring section = sectionOf(overlay.key);
    // A flag, as a slot's are: any number but 0.
    const std::optional<std::wstring_view> off = doc.rawValue(section, kVelaOffKey);
    overlay.velaOff = programOf(overlay.key) && off && parseLeadingInt(*off) != 0;
    for (const SlotInfo& info : kSlotTable) {
        overlay.slots[info.slot] = readSetSlot(doc, section, info);
        if (overlay.slots[info.slot] || info.slot == buttonOf(overlay.key)) continue;
        // No function of its own: perhaps a note of its own.
        const std::wstring note = slotPrefix(info) + std::wstring(kDescriptionKey);
        if (doc.rawValue(section, note))
            overlay.notes[info.slot] =
                std::wstring(trimBlanks(decodeIniValue(*doc.rawValue(section, note))));
    }
}

void writeOverlay(IniDocument& doc, const IniDocument& before, const Overlay& overlay) {
    const std::wstring section = sectionOf(overlay.key);
    const std::optional<Slot> button = buttonOf(overlay.key);
    if (overlay.velaOff && programOf(overlay.key)) doc.writeValue(section, kVelaOffKey, L"1");
    for (const SlotInfo& info : kSlotTable) {
        if (info.slot == button) continue;
        if (const auto& a = overlay.slots[info.slot]) {
            writeFields(doc, before, section, slotPrefix(info), *a);
        } else if (const auto& note = overlay.notes[info.slot]) {
            doc.writeValue(section, slotPrefix(info) + std::wstring(kDescriptionKey),
                           encodeIniValue(*note));
        }
    }
    // A layer's tap last; one that is the button itself, as made, needs no
    // keys.
    if (button && tapOf(&overlay) != ButtonAssignment())
        writeFields(doc, before, section, slotPrefix(slotInfo(*button)), tapOf(&overlay));
}

void writeProfiles(IniDocument& doc, const IniDocument& before,
                   const std::vector<const Overlay*>& profiles) {
    doc.deleteSection(kProfilesSection);
    int n = 0;
    for (const Overlay* profile : profiles) {
        doc.writeValue(kProfilesSection, std::to_wstring(++n),
                       encodeIniValue(*programOf(profile->key)));
        writeOverlay(doc, before, *profile);
    }
}

}  // namespace vela
