// libFuzzer target: any bytes as a settings file (and as a profile file).
// Checks that the text comes back exactly through its own file form, and that
// every value read can be written and read back whole.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/SlotTable.h"
#include "settings/IniDocument.h"
#include "settings/IniValue.h"
#include "settings/ProfileFile.h"
#include "settings/SettingsText.h"
#include "settings/Windows1252.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vela::Windows1252 ansi;
    const vela::DecodedText decoded = vela::decodeSettingsText(std::span(data, size), ansi);
    const std::wstring& text = decoded.text;
    // Written back in its own form, the text reads again the same, in the
    // same form; a text that form cannot hold goes UTF-16LE and reads the same.
    const auto own = vela::encodeSettingsText(text, decoded.encoding, ansi);
    const auto written = own ? *own : vela::encodeUtf16LeWithBom(text);
    const vela::DecodedText again = vela::decodeSettingsText(written, ansi);
    if (again.text != text) std::abort();
    if (own && again.encoding != decoded.encoding && !text.empty()) std::abort();

    vela::IniDocument doc(text);
    if (doc.text() != text) std::abort();

    // As a profile file: one that reads is written again as one that reads
    // the same overlays.
    if (const auto overlays = vela::overlaysInProfileText(text)) {
        std::vector<const vela::Overlay*> all;
        for (const vela::Overlay& overlay : *overlays) all.push_back(&overlay);
        const auto again = vela::overlaysInProfileText(vela::profileFileText(all));
        if (!again || again->size() != overlays->size()) std::abort();
    }

    static constexpr std::wstring_view kKeys[] = {L"0", L"1", L"2", L"3", L"4",
                                                  L"5", L"6", L"7", L"8"};
    // Every key the profile list names is there to read; deleting keys keeps
    // the text a text that reads back as itself.
    for (const std::wstring& key : doc.keyNames(L"Profiles"))
        if (!doc.rawValue(L"Profiles", key)) std::abort();
    doc.deleteKeys(L"Profiles", [](std::wstring_view key) { return key.size() % 2 == 0; });
    if (vela::IniDocument(doc.text()).text() != doc.text()) std::abort();

    // Section names compare without regard to case, and only ASCII letters
    // meet ASCII capitals: a section whose name is nowhere in the text cannot
    // be there, and is not looked for.
    std::wstring folded = text;
    for (wchar_t& c : folded)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    for (const vela::SlotInfo& info : vela::kSlotTable) {
        std::wstring name(info.section);
        for (wchar_t& c : name)
            if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (folded.find(name) == std::wstring::npos) continue;
        // What we read we can write back, and read again unchanged: every key
        // of the section written, then the text read once more.
        std::vector<std::pair<std::wstring_view, std::wstring>> values;
        for (std::wstring_view key : kKeys) {
            const auto raw = doc.rawValue(info.section, key);
            if (!raw) continue;
            values.emplace_back(key, vela::decodeIniValue(*raw));
        }
        for (const auto& [key, value] : values)
            doc.writeValue(info.section, key, vela::encodeIniValue(value));
        if (!values.empty()) {
            const vela::IniDocument reread(doc.text());
            for (const auto& [key, value] : values) {
                const auto again = reread.rawValue(info.section, key);
                if (!again || vela::decodeIniValue(*again) != value) std::abort();
            }
        }
        doc.deleteSection(info.section);
        if (vela::IniDocument(doc.text()).text() != doc.text()) std::abort();
    }
    return 0;
}
