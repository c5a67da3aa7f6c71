#include "settings/ButtonSettingsStore.h"

#include <functional>

#include "core/LeadingInteger.h"
#include "core/ProgramFiles.h"
#include "settings/AtomicReplace.h"
#include "settings/IniValue.h"
#include "settings/OverlaySections.h"
#include "settings/SettingsText.h"
#include "settings/SlotFields.h"

namespace vela {

namespace {

// The "[Mouse]" section's keys and values as they read.
KeyValues mouseSection(const IniDocument& doc) {
    KeyValues values;
    for (std::wstring& key : doc.keyNames(kMouseTuningSection)) {
        std::wstring value = decodeIniValue(doc.rawValue(kMouseTuningSection, key).value_or(L""));
        values.emplace_back(std::move(key), std::move(value));
    }
    return values;
}

// Vela's options that belong to no input and no mouse setting.
constexpr std::wstring_view kVelaSection = L"Vela";

// Any number but 0 is on, as for the mouse tuning's flags; no key is off.
bool optionOf(const IniDocument& doc, std::wstring_view key) {
    const auto raw = doc.rawValue(kVelaSection, key);
    return raw && parseLeadingInt(decodeIniValue(*raw)) != 0;
}

}  // namespace

ButtonSettingsStore::ButtonSettingsStore(SlotModel& model, MacroLoaderPort& macros,
                                         SettingsStorePorts ports, std::wstring modulePath,
                                         bool tiltSupported)
    : model_(model),
      macros_(macros),
      ports_(ports),
      modulePath_(std::move(modulePath)),
      tiltSupported_(tiltSupported),
      path_(settingsPathFor(modulePath_)) {}

std::wstring ButtonSettingsStore::settingsPath() const {
    return settingsPathFor(modulePath_);
}

void ButtonSettingsStore::useFallback(std::wstring perUserPath,
                                      std::function<void(const std::wstring&)> tell) {
    perUserPath_ = std::move(perUserPath);
    tell_ = std::move(tell);
}

// Whether a file can be made in the program's folder: the only sure test.
bool ButtonSettingsStore::canWriteBeside() {
    const auto probe = ports_.files.createTempBeside(settingsPath());
    if (!probe) return false;
    ports_.files.removeFile(*probe);
    return true;
}

void ButtonSettingsStore::switchToFallback() {
    path_ = perUserPath_;
    if (toldFallback_) return;
    toldFallback_ = true;
    if (tell_) tell_(std::wstring(moduleFolderOf(modulePath_)));
}

std::optional<std::vector<std::uint8_t>> ButtonSettingsStore::readCurrent(bool& unreadable) {
    std::wstring source = path_;
    if (path_ != settingsPath() && !ports_.files.exists(path_)) source = settingsPath();
    auto bytes = ports_.files.readAll(source);
    unreadable = !bytes && ports_.files.exists(source);
    return bytes;
}

void ButtonSettingsStore::loadAll() {
    for (const std::wstring& path : {settingsPath(), perUserPath_}) {
        if (path.empty()) continue;
        for (const std::wstring& stale : ports_.files.tempFilesBeside(path))
            ports_.files.removeFile(stale);
    }
    if (!perUserPath_.empty() && !canWriteBeside()) switchToFallback();
    bool unreadable = false;
    const auto bytes = readCurrent(unreadable);
    const IniDocument doc =
        bytes ? IniDocument(decodeSettingsText(*bytes, ports_.ansi).text) : IniDocument();
    for (const SlotInfo& info : kSlotTable) {
        const ButtonAssignment stored = readFields(doc, info.section, L"");
        ButtonAssignment& a = model_.at(info.slot);

        // Every stored field but these two, which follow here: the caption
        // falls back, and an empty note leaves the model's.
        ButtonAssignment loaded = stored;
        if (info.needsTilt && !tiltSupported_) {
            loaded.caption = kNotSupportCaption;
        } else if (stored.shortcutMissing()) {
            loaded.caption = kUnreadableShortcutCaption;
        } else if (stored.caption.empty()) {
            loaded.caption = info.nativeCaption;
        }
        if (stored.description.empty()) loaded.description = a.description;
        a = loaded;
        ports_.view.setCaption(info.slot, a.caption);

        // The script is complete before the hook can report a press.
        if (const auto* macro = a.as<action::Macro>()) {
            model_.activeSlot = number(info.slot);
            macros_.LoadMacroScript(model_.activeSlot, macro->script);
        }
        model_.followRemapped(info.slot);

        ports_.view.setDescriptionLabel(info.slot, stored.description.empty()
                                                       ? std::wstring(info.defaultLabel)
                                                       : stored.description);
    }
    if (overlays_) loadOverlays(doc);
    if (tuning_) *tuning_ = fromKeyValues(mouseSection(doc));
    for (const Option& option : options_)
        if (option.value) *option.value = optionOf(doc, option.key);
}

std::wstring ButtonSettingsStore::savedText(std::wstring_view current) const {
    IniDocument doc(current);
    const IniDocument before = doc;
    for (const SlotInfo& info : kSlotTable) {
        // Deleted first, so that keys we no longer write (a stale "7") go.
        doc.deleteSection(info.section);
        writeFields(doc, before, info.section, L"", model_.at(info.slot));
    }
    if (overlays_) saveProfiles(doc, before);
    if (tuning_) saveMouseTuning(doc);
    // The layers after the mouse section, where they have always been.
    if (overlays_) saveLayers(doc, before);
    saveOptions(doc);
    return doc.text();
}

void ButtonSettingsStore::loadOverlays(const IniDocument& doc) {
    forEachStoredOverlay(doc, [&](const OverlayKey& key, const std::wstring& section) {
        // Two sections for one window profile: the first listed acts, as
        // of equal profiles; the second is not read over it.
        if (windowOf(key) && overlays_->find(key)) return;
        readOverlay(doc, section, overlays_->add(key));
    });
}

void ButtonSettingsStore::saveProfiles(IniDocument& doc, const IniDocument& before) const {
    // Vela's keys go from the section of every overlay the file held and of
    // every one now, so a deleted profile or layer or a slot it no longer sets
    // leaves nothing behind, and a section left over from an older list gives
    // the profile of its name nothing. Keys that are not Vela's stay where
    // they are, and so does a section that still holds any.
    const auto clear = [&](const OverlayKey& key, const std::wstring& section) {
        doc.deleteKeys(section, [&](std::wstring_view name) { return isOverlayKey(key, name); });
    };
    forEachStoredOverlay(doc, clear);
    // A window profile's section holds its place in the list: every one goes
    // (those the file named no windows in too), and each is written anew.
    for (const std::wstring& section : windowSections(doc)) clear(WindowKey{}, section);
    for (const Overlay& overlay : overlays_->all())
        if (!windowOf(overlay.key)) clear(overlay.key, sectionOf(overlay.key));
    writeProfiles(doc, before, overlays_->profiles());
}

void ButtonSettingsStore::saveLayers(IniDocument& doc, const IniDocument& before) const {
    for (const SlotInfo& info : kSlotTable)
        if (const Overlay* layer = overlays_->find(LayerKey{info.slot}))
            writeOverlay(doc, before, sectionOf(layer->key), *layer);
}

void ButtonSettingsStore::saveMouseTuning(IniDocument& doc) const {
    const KeyValues stored = toKeyValues(fromKeyValues(mouseSection(doc)));
    const KeyValues wanted = toKeyValues(clamped(*tuning_));
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (stored[i] != wanted[i])
            doc.writeValue(kMouseTuningSection, wanted[i].first, encodeIniValue(wanted[i].second));
    }
}

void ButtonSettingsStore::saveOptions(IniDocument& doc) const {
    for (const Option& option : options_)
        if (option.value && optionOf(doc, option.key) != *option.value)
            doc.writeValue(kVelaSection, option.key, *option.value ? L"1" : L"0");
}

bool ButtonSettingsStore::writeTo(const std::wstring& path, std::span<const std::uint8_t> bytes) {
    if (path != settingsPath()) {
        const std::wstring folder(moduleFolderOf(path));
        if (!folder.empty()) ports_.files.createFolder(folder);
    }
    return replaceFile(ports_.files, path, bytes);
}

void ButtonSettingsStore::saveAll() {
    bool unreadable = false;
    const auto bytes = readCurrent(unreadable);
    // A file that is there but cannot be read may hold sections of other
    // programs: writing ours over it would throw them away. Keep it as it is.
    if (unreadable) return;
    // A new file is UTF-16LE; an existing one keeps its form, unless it is
    // ANSI and a value needs a character the code page has not, when it turns
    // UTF-16LE as the platform's profile functions would make it.
    const DecodedText current = bytes ? decodeSettingsText(*bytes, ports_.ansi)
                                      : DecodedText{std::wstring(), TextEncoding::Utf16Le};
    const std::wstring text = savedText(current.text);
    auto encoded = encodeSettingsText(text, current.encoding, ports_.ansi);
    if (!encoded) encoded = encodeUtf16LeWithBom(text);
    if (writeTo(path_, *encoded)) return;
    // The program's folder stopped taking writes: the per-user file takes
    // this save and every later one. Any other failure changes nothing and
    // is not reported; the next save retries.
    if (path_ == settingsPath() && !perUserPath_.empty() && !canWriteBeside()) {
        switchToFallback();
        static_cast<void>(writeTo(path_, *encoded));
    }
}

}  // namespace vela
