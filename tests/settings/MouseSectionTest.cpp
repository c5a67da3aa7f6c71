// The mouse tuning's "[Mouse]" section in the settings file: read at start,
// written only where a value changed, left alone by the slots and profiles.
#include <gtest/gtest.h>

#include <memory>

#include "macro/MacroScriptLoader.h"
#include "settings/ButtonSettingsStore.h"
#include "settings/SettingsText.h"
#include "settings/Windows1252.h"
#include "tests/support/MemoryFilePort.h"
#include "tests/support/RecordingPorts.h"

namespace vela {
namespace {

const std::wstring kMouseModule = L"C:\\Vela\\Vela.exe";
const std::wstring kMousePath = L"C:\\Vela\\QmSetting.ini";

// A hand-edited section: blanks, another case, a comment, a key of no one's,
// a value out of range.
constexpr std::wstring_view kHandEdited =
    L"[Mouse]\r\n"
    L"; worn left button\r\n"
    L" chatterleft = 1\r\n"
    L"ChatterLeftMs=45\r\n"
    L"WheelNotches=30\r\n"
    L"Theme=dark\r\n"
    L"\r\n";
constexpr std::wstring_view kProfile =
    L"[Profiles]\r\n1=a.exe\r\n[a.exe]\r\nX1.0=Paste\r\nX1.1=1\r\nX1.2=2\r\nX1.3=86\r\nX1.6=1\r\n";

class MouseInTheFile : public ::testing::Test {
protected:
    test::Recorder rec;
    SlotModel model{rec, rec, rec};
    test::MemoryFilePort fs;
    Windows1252 ansi;
    MacroScriptLoader loader{fs, L"C:\\Vela", std::make_shared<MacroScripts>()};
    ProfileSet profiles;
    MouseTuning tuning;

    ButtonSettingsStore store() {
        ButtonSettingsStore s(model, loader, {fs, ansi, rec}, kMouseModule, true);
        s.useProfiles(&profiles);
        s.useMouseTuning(&tuning);
        return s;
    }
    void load(std::wstring_view text) {
        fs.files[kMousePath] = encodeUtf16LeWithBom(text);
        profiles = {};
        store().loadAll();
    }
    std::wstring saved() {
        store().saveAll();
        return decodeSettingsText(fs.files.at(kMousePath), ansi).text;
    }
};

// A section's lines up to the next header, blank lines at its end left out
// (ASCII, to read in a failure).
std::string mouseLines(std::wstring_view text, std::wstring_view header) {
    const std::size_t at = text.find(header);
    if (at == std::wstring_view::npos) return {};
    std::wstring_view lines = text.substr(at, text.find(L"\r\n[", at) - at);
    while (lines.ends_with(L"\r\n")) lines.remove_suffix(2);
    return std::string(lines.begin(), lines.end());
}

TEST_F(MouseInTheFile, ReadAtStartWrittenOnlyWhereAValueChanged) {
    load(std::wstring(kHandEdited) + std::wstring(kProfile));
    MouseTuning expected;
    expected.of(MouseButton::Left) = {true, 45};
    expected.wheelNotches = kMaxWheelNotches;
    EXPECT_EQ(tuning, expected);

    // Untouched, and a profile deleted: the section stays as it stood.
    profiles.remove(L"a.exe");
    const std::wstring first = saved();
    EXPECT_EQ(mouseLines(first, L"[Mouse]"), mouseLines(kHandEdited, L"[Mouse]"));
    EXPECT_EQ(mouseLines(first, L"[Profiles]"), "");

    // One value changed, one key that was missing: that line in its place,
    // the new key after the section's last line, everything else as it was.
    tuning.of(MouseButton::Left).on = false;
    tuning.reverseHorizontal = true;
    EXPECT_EQ(mouseLines(saved(), L"[Mouse]"),
              "[Mouse]\r\n; worn left button\r\nChatterLeft=0\r\nChatterLeftMs=45\r\n"
              "WheelNotches=30\r\nTheme=dark\r\nWheelReverseHorizontal=1");
    const MouseTuning written = tuning;
    load(decodeSettingsText(fs.files.at(kMousePath), ansi).text);
    EXPECT_EQ(tuning, written);
}

}  // namespace
}  // namespace vela
