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
    const std::wstring_view n = trimBlanks(name);
    if (isProfileKey(name) || (isProfile(key) && sameCaseless(n, kVelaOffKey))) return true;
    return windowOf(key) && (sameCaseless(n, kWindowProgramKey) ||
                             sameCaseless(n, kWindowClassKey) || sameCaseless(n, kWindowTitleKey));
}

namespace {

bool isNumber(std::wstring_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

// By value, without limit on the digits (leading zeros off): a shorter
// number is smaller.
bool numberBefore(std::wstring_view a, std::wstring_view b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
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
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return numberBefore(a.number, b.number);
    });
    std::vector<std::wstring> programs;
    for (Entry& e : entries) programs.push_back(std::move(e.program));
    return programs;
}

}  // namespace

std::wstring sectionOf(const OverlayKey& key) {
    if (const std::wstring* program = programOf(key)) return *program;
    const std::string_view button = slotInfo(buttonOf(key).value_or(Slot::X2)).name;
    return L"Layer:" + std::wstring(button.begin(), button.end());
}

namespace {

std::wstring windowSection(std::size_t n) {
    return std::wstring(kWindowSectionPrefix) + std::to_wstring(n);
}

std::wstring valueIn(const IniDocument& doc, std::wstring_view section, std::wstring_view key) {
    return std::wstring(trimBlanks(decodeIniValue(doc.rawValue(section, key).value_or(L""))));
}

// The windows a section names, or none where it names neither a class nor a
// title.
std::optional<WindowKey> windowKeyIn(const IniDocument& doc, std::wstring_view section) {
    WindowKey key{valueIn(doc, section, kWindowProgramKey), valueIn(doc, section, kWindowClassKey),
                  valueIn(doc, section, kWindowTitleKey)};
    if (key.windowClass.empty() && key.title.empty()) return std::nullopt;
    return key;
}

}  // namespace

std::vector<std::wstring> windowSections(const IniDocument& doc) {
    struct Numbered {
        std::wstring number;  // leading zeros off
        std::wstring section;
    };
    std::vector<Numbered> found;
    for (const std::wstring& name : doc.sectionNames()) {
        const std::wstring_view section = trimBlanks(name);
        if (section.size() <= kWindowSectionPrefix.size() ||
            !sameCaseless(section.substr(0, kWindowSectionPrefix.size()), kWindowSectionPrefix))
            continue;
        std::wstring_view number = section.substr(kWindowSectionPrefix.size());
        if (!isNumber(number)) continue;
        while (number.size() > 1 && number.front() == L'0') number.remove_prefix(1);
        // A section that stands twice is read as its first.
        if (std::none_of(found.begin(), found.end(),
                         [&](const Numbered& f) { return sameCaseless(f.section, section); }))
            found.push_back({std::wstring(number), std::wstring(section)});
    }
    std::stable_sort(found.begin(), found.end(), [](const Numbered& a, const Numbered& b) {
        return numberBefore(a.number, b.number);
    });
    std::vector<std::wstring> sections;
    for (Numbered& f : found) sections.push_back(std::move(f.section));
    return sections;
}

void forEachStoredOverlay(
    const IniDocument& doc,
    const std::function<void(const OverlayKey& key, const std::wstring& section)>& f) {
    for (std::wstring& program : listedPrograms(doc)) {
        const std::wstring section = program;
        f(ProgramKey{std::move(program)}, section);
    }
    for (const std::wstring& section : windowSections(doc))
        if (std::optional<WindowKey> key = windowKeyIn(doc, section)) f(*key, section);
    for (const SlotInfo& info : kSlotTable) {
        if (!canCarryLayer(info.trigger)) continue;
        const std::wstring section = sectionOf(LayerKey{info.slot});
        const std::vector<std::wstring> names = doc.keyNames(section);
        if (std::any_of(names.begin(), names.end(), isProfileKey)) f(LayerKey{info.slot}, section);
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

void readOverlay(const IniDocument& doc, std::wstring_view section, Overlay& overlay) {
    // A flag, as a slot's are: any number but 0.
    const std::optional<std::wstring_view> off = doc.rawValue(section, kVelaOffKey);
    overlay.velaOff = isProfile(overlay.key) && off && parseLeadingInt(*off) != 0;
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

void writeOverlay(IniDocument& doc, const IniDocument& before, std::wstring_view section,
                  const Overlay& overlay) {
    const std::optional<Slot> button = buttonOf(overlay.key);
    if (const WindowKey* window = windowOf(overlay.key)) {
        const std::pair<std::wstring_view, const std::wstring*> names[] = {
            {kWindowProgramKey, &window->program},
            {kWindowClassKey, &window->windowClass},
            {kWindowTitleKey, &window->title}};
        for (const auto& [name, value] : names)
            if (!value->empty()) doc.writeValue(section, name, encodeIniValue(*value));
    }
    if (overlay.velaOff && isProfile(overlay.key)) doc.writeValue(section, kVelaOffKey, L"1");
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
    std::size_t programs = 0, windows = 0;
    for (const Overlay* profile : profiles) {
        if (const std::wstring* program = programOf(profile->key)) {
            doc.writeValue(kProfilesSection, std::to_wstring(++programs), encodeIniValue(*program));
            writeOverlay(doc, before, *program, *profile);
        }
    }
    for (const Overlay* profile : profiles)
        if (windowOf(profile->key)) writeOverlay(doc, before, windowSection(++windows), *profile);
}

}  // namespace vela
