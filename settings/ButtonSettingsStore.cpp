#include "settings/ButtonSettingsStore.h"

#include <algorithm>
#include <array>

#include "core/CaselessName.h"
#include "core/LeadingInteger.h"
#include "core/ProgramFiles.h"
#include "settings/AtomicReplace.h"
#include "settings/IniValue.h"
#include "settings/SettingsText.h"

namespace vela {

namespace {

// The key of each ButtonAssignment field.
namespace key {
constexpr std::wstring_view Caption = L"0";
constexpr std::wstring_view HookInstalled = L"1";
constexpr std::wstring_view KeyAction = L"2";
constexpr std::wstring_view VirtualKey = L"3";
constexpr std::wstring_view MouseFunction = L"4";
constexpr std::wstring_view LaunchTarget = L"5";
constexpr std::wstring_view ActionGroup = L"6";
constexpr std::wstring_view MacroName = L"7";
constexpr std::wstring_view Description = L"8";
// Written only when on: a file without it means what it always meant.
constexpr std::wstring_view Hold = L"Hold";
constexpr std::array<std::wstring_view, 10> All{
    Caption,      HookInstalled, KeyAction, VirtualKey,  MouseFunction,
    LaunchTarget, ActionGroup,   MacroName, Description, Hold};
}  // namespace key

class SectionReader {
public:
    SectionReader(const IniDocument& doc, std::wstring_view section)
        : doc_(doc), section_(section) {}

    // A missing key reads as empty; a value is read whole, however long.
    std::wstring text(std::wstring_view k) const {
        const auto raw = doc_.rawValue(section_, k);
        return raw ? decodeIniValue(*raw) : std::wstring();
    }
    std::int32_t integer(std::wstring_view k) const { return parseLeadingInt(text(k)); }

private:
    const IniDocument& doc_;
    std::wstring_view section_;
};

// A slot's fields other than its caption's fallbacks and its hook, read
// from keys named `prefix` + the key ("0", or "X1.0" in a profile section).
ButtonAssignment readFields(const SectionReader& read, std::wstring_view prefix) {
    const auto k = [&](std::wstring_view key) { return std::wstring(prefix) + std::wstring(key); };
    ButtonAssignment a;
    a.caption = std::wstring(trimBlanks(read.text(k(key::Caption))));
    a.hookInstalled = read.integer(k(key::HookInstalled)) != 0;
    a.keyAction = read.integer(k(key::KeyAction));
    a.virtualKey = static_cast<std::uint8_t>(read.integer(k(key::VirtualKey)) & 0xFF);
    a.mouseFunction = read.integer(k(key::MouseFunction));
    a.launchTarget = read.text(k(key::LaunchTarget));
    a.actionGroup = read.integer(k(key::ActionGroup));
    a.macroName = read.text(k(key::MacroName));
    a.description = std::wstring(trimBlanks(read.text(k(key::Description))));
    a.holdWhilePressed = read.integer(k(key::Hold)) != 0;
    return a;
}

void writeFields(IniDocument& doc, std::wstring_view section, std::wstring_view prefix,
                 const ButtonAssignment& a) {
    const auto write = [&](std::wstring_view key, std::wstring_view value) {
        doc.writeValue(section, std::wstring(prefix) + std::wstring(key), encodeIniValue(value));
    };
    const auto writeInt = [&](std::wstring_view key, std::int32_t value) {
        write(key, std::to_wstring(value));
    };
    write(key::Caption, a.caption);
    write(key::HookInstalled, a.hookInstalled ? L"1" : L"0");
    writeInt(key::KeyAction, a.keyAction);
    writeInt(key::VirtualKey, a.virtualKey);
    writeInt(key::MouseFunction, a.mouseFunction);
    write(key::LaunchTarget, a.launchTarget);
    writeInt(key::ActionGroup, a.actionGroup);
    if (a.hookInstalled && a.keyAction == toRaw(KeyAction::Macro))
        write(key::MacroName, a.macroName);
    write(key::Description, a.description);
    if (a.holdWhilePressed) write(key::Hold, L"1");
}

constexpr std::wstring_view kProfilesSection = L"Profiles";

std::wstring slotPrefix(const SlotInfo& info) {
    return std::wstring(info.name.begin(), info.name.end()) + L".";
}

// The keys Vela writes in a profile's section: a slot's name, a dot and one
// of a slot's keys ("X1.0", "R.Hold"). Nothing else there is Vela's.
bool isProfileKey(std::wstring_view name) {
    for (const SlotInfo& info : kSlotTable) {
        const std::wstring prefix = slotPrefix(info);
        if (name.size() <= prefix.size() || !sameCaseless(name.substr(0, prefix.size()), prefix))
            continue;
        const std::wstring_view field = name.substr(prefix.size());
        return std::any_of(key::All.begin(), key::All.end(),
                           [&](std::wstring_view k) { return sameCaseless(field, k); });
    }
    return false;
}

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
        const ButtonAssignment stored = readFields(SectionReader(doc, info.section), L"");
        ButtonAssignment& a = model_.at(info.slot);

        if (info.needsTilt && !tiltSupported_) {
            a.caption = kNotSupportCaption;
        } else {
            a.caption = stored.caption.empty() ? std::wstring(info.nativeCaption) : stored.caption;
        }
        ports_.view.setCaption(info.slot, a.caption);

        const bool remapped = stored.hookInstalled;
        a.keyAction = stored.keyAction;
        a.virtualKey = stored.virtualKey;
        a.mouseFunction = stored.mouseFunction;
        a.launchTarget = stored.launchTarget;
        a.actionGroup = stored.actionGroup;
        a.macroName = stored.macroName;
        a.holdWhilePressed = stored.holdWhilePressed;

        if (remapped) {
            // The script is complete before the hook can report a press.
            if (a.keyAction == toRaw(KeyAction::Macro)) {
                model_.activeSlot = number(info.slot);
                macros_.LoadMacroScript(model_.activeSlot, std::wstring(a.macroName));
            }
            model_.installHook(info.slot);
        } else {
            model_.removeHook(info.slot);
        }

        const std::wstring& description = stored.description;
        if (description.empty()) {
            ports_.view.setDescriptionLabel(info.slot, std::wstring(info.defaultLabel));
        } else {
            a.description = description;
            ports_.view.setDescriptionLabel(info.slot, description);
        }
    }
    if (profiles_) loadProfiles(doc);
}

std::wstring ButtonSettingsStore::savedText(std::wstring_view current) const {
    IniDocument doc(current);
    for (const SlotInfo& info : kSlotTable) {
        // Deleted first, so that keys we no longer write (a stale "7") go.
        doc.deleteSection(info.section);
        writeFields(doc, info.section, L"", model_.at(info.slot));
    }
    if (profiles_) saveProfiles(doc);
    return doc.text();
}

void ButtonSettingsStore::loadProfiles(const IniDocument& doc) {
    for (const std::wstring& program : listedPrograms(doc)) {
        ProgramProfile& profile = profiles_->add(program);
        const SectionReader read(doc, program);
        for (const SlotInfo& info : kSlotTable) {
            const std::wstring prefix = slotPrefix(info);
            if (!doc.rawValue(program, prefix + std::wstring(key::Caption))) {
                // No function of its own: perhaps a note of its own.
                const std::wstring note = prefix + std::wstring(key::Description);
                if (doc.rawValue(program, note))
                    profile.notes[info.slot] = std::wstring(trimBlanks(read.text(note)));
                continue;
            }
            ButtonAssignment a = readFields(read, prefix);
            if (a.caption.empty()) a.caption = std::wstring(info.nativeCaption);
            profile.slots[info.slot] = std::move(a);
        }
    }
}

void ButtonSettingsStore::saveProfiles(IniDocument& doc) const {
    // Vela's keys go from the section of every program listed before and of
    // every profile now, so a deleted profile or a slot it no longer sets
    // leaves nothing behind, and a section left over from an older list gives
    // the profile of its name nothing. Keys that are not Vela's stay where
    // they are, and so does a section that still holds any.
    std::vector<std::wstring> sections = listedPrograms(doc);
    for (const ProgramProfile& profile : profiles_->all()) sections.push_back(profile.program);
    for (const std::wstring& section : sections) doc.deleteKeys(section, isProfileKey);
    doc.deleteSection(kProfilesSection);
    int n = 0;
    for (const ProgramProfile& profile : profiles_->all()) {
        doc.writeValue(kProfilesSection, std::to_wstring(++n), encodeIniValue(profile.program));
        for (const SlotInfo& info : kSlotTable) {
            if (const auto& a = profile.slots[info.slot]) {
                writeFields(doc, profile.program, slotPrefix(info), *a);
            } else if (const auto& note = profile.notes[info.slot]) {
                doc.writeValue(profile.program, slotPrefix(info) + std::wstring(key::Description),
                               encodeIniValue(*note));
            }
        }
    }
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
