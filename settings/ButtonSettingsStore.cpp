#include "settings/ButtonSettingsStore.h"

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

}  // namespace

ButtonSettingsStore::ButtonSettingsStore(SlotModel& model, MacroLoaderPort& macros,
                                         SettingsStorePorts ports, std::wstring modulePath,
                                         bool tiltSupported)
    : model_(model),
      macros_(macros),
      ports_(ports),
      modulePath_(std::move(modulePath)),
      tiltSupported_(tiltSupported) {}

std::wstring ButtonSettingsStore::settingsPath() const {
    return settingsPathFor(modulePath_);
}

IniDocument ButtonSettingsStore::readDocument() const {
    const auto bytes = ports_.files.readAll(settingsPath());
    if (!bytes) return IniDocument();
    return IniDocument(decodeSettingsText(*bytes, ports_.ansi).text);
}

void ButtonSettingsStore::loadAll() {
    const IniDocument doc = readDocument();
    for (const SlotInfo& info : kSlotTable) {
        const SectionReader read(doc, info.section);
        ButtonAssignment& a = model_.at(info.slot);

        const std::wstring storedCaption(trimBlanks(read.text(key::Caption)));
        if (info.needsTilt && !tiltSupported_) {
            a.caption = kNotSupportCaption;
        } else {
            a.caption = storedCaption.empty() ? std::wstring(info.nativeCaption) : storedCaption;
        }
        ports_.view.setCaption(info.slot, a.caption);

        const bool remapped = read.integer(key::HookInstalled) != 0;
        a.keyAction = read.integer(key::KeyAction);
        a.virtualKey = static_cast<std::uint8_t>(read.integer(key::VirtualKey) & 0xFF);
        a.mouseFunction = read.integer(key::MouseFunction);
        a.launchTarget = read.text(key::LaunchTarget);
        a.actionGroup = read.integer(key::ActionGroup);
        a.macroName = read.text(key::MacroName);

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

        const std::wstring description(trimBlanks(read.text(key::Description)));
        if (description.empty()) {
            ports_.view.setDescriptionLabel(info.slot, std::wstring(info.defaultLabel));
        } else {
            a.description = description;
            ports_.view.setDescriptionLabel(info.slot, description);
        }
    }
}

std::wstring ButtonSettingsStore::savedText(std::wstring_view current) const {
    IniDocument doc(current);
    for (const SlotInfo& info : kSlotTable) {
        const ButtonAssignment& a = model_.at(info.slot);
        const auto write = [&](std::wstring_view k, std::wstring_view value) {
            doc.writeValue(info.section, k, encodeIniValue(value));
        };
        const auto writeInt = [&](std::wstring_view k, std::int32_t value) {
            write(k, std::to_wstring(value));
        };
        // Deleted first, so that keys we no longer write (a stale "7") go.
        doc.deleteSection(info.section);
        write(key::Caption, a.caption);
        write(key::HookInstalled, a.hookInstalled ? L"1" : L"0");
        writeInt(key::KeyAction, a.keyAction);
        writeInt(key::VirtualKey, a.virtualKey);
        writeInt(key::MouseFunction, a.mouseFunction);
        write(key::LaunchTarget, a.launchTarget);
        writeInt(key::ActionGroup, a.actionGroup);
        if (a.hookInstalled && a.keyAction == toRaw(KeyAction::Macro)) {
            write(key::MacroName, a.macroName);
        }
        write(key::Description, a.description);
    }
    return doc.text();
}

void ButtonSettingsStore::saveAll() {
    const std::wstring path = settingsPath();
    const auto bytes = ports_.files.readAll(path);
    // A file that is there but cannot be read may hold sections of other
    // programs: writing ours over it would throw them away. Keep it as it is.
    if (!bytes && ports_.files.exists(path)) return;
    // A new file is UTF-16LE; an existing one keeps its form, unless it is
    // ANSI and a value needs a character the code page has not, when it turns
    // UTF-16LE as the platform's profile functions would make it.
    const DecodedText current = bytes ? decodeSettingsText(*bytes, ports_.ansi)
                                      : DecodedText{std::wstring(), TextEncoding::Utf16Le};
    const std::wstring text = savedText(current.text);
    auto encoded = encodeSettingsText(text, current.encoding, ports_.ansi);
    if (!encoded) encoded = encodeUtf16LeWithBom(text);
    // A failed save changes nothing and is not reported; the next save retries.
    static_cast<void>(replaceFile(ports_.files, path, *encoded));
}

}  // namespace vela
