// Compares one ButtonSettingsStore::saveAll with the key-by-key
// WritePrivateProfileStringW sequence it replaces: the files they make, what
// the platform's profile functions read back from ours, and the time of each.
//
//   SettingsBench.exe [iterations]     (prints a report; exit code 1 on a mismatch)
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "app/ports/Win32FilePort.h"
#include "settings/ButtonSettingsStore.h"
#include "settings/IniValue.h"
#include "settings/SettingsText.h"
#include "settings/Windows1252.h"

namespace {

using namespace vela;

struct QuietPorts final : HookPort, ViewPort, TimerPort, MacroLoaderPort {
    void LoadMacroScript(int, const std::wstring&) override {}
    void install(Slot) override {}
    void remove(Slot) override {}
    void setCaption(Slot, const std::wstring&) override {}
    void setDescriptionLabel(Slot, const std::wstring&) override {}
    void repaintCaptions() override {}
    void setCaptionInherited(Slot, bool) override {}
    void setProfileCaption(const std::wstring&) override {}
    void start(int, std::uint32_t) override {}
    void stop(int) override {}
};

std::wstring exeFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path);
    return p.substr(0, p.rfind(L'\\'));
}

// Nine remapped slots, every key written (macro slots write key "7" too).
void fillModel(SlotModel& model) {
    int i = 0;
    for (const SlotInfo& info : kSlotTable) {
        ButtonAssignment& a = model.at(info.slot);
        a.caption = L"Caption " + std::to_wstring(i) + L" \x00e9";
        a.remapped = true;
        model.followRemapped(info.slot);
        const auto key = static_cast<std::uint8_t>(65 + i);
        if (i % 2 == 0) {
            a.action = action::Macro{L"macro" + std::to_wstring(i) + L".txt", key};
        } else {
            a.action = action::Key{ChordModifier::Control, key};
        }
        a.description = L"note for slot " + std::to_wstring(i);
        ++i;
    }
}

// The file's numbers for the functions the bench gives its slots.
struct Spelt {
    int keyAction = 0;
    int virtualKey = 0;
    std::wstring target;
    std::wstring script;
    bool macro = false;
};

Spelt speltOf(const ButtonAssignment& a) {
    Spelt s;
    if (const auto* key = std::get_if<action::Key>(&a.action)) {
        s.keyAction = static_cast<int>(key->modifier);
        s.virtualKey = key->virtualKey;
    } else if (const auto* macro = std::get_if<action::Macro>(&a.action)) {
        s.keyAction = 6;
        s.virtualKey = macro->virtualKey;
        s.script = macro->script;
        s.macro = true;
    } else if (const auto* launch = std::get_if<action::Launch>(&a.action)) {
        s.keyAction = 5;
        s.target = launch->target;
    }
    return s;
}

// The sequence the store replaces: one profile call per key.
void profileSequence(const SlotModel& model, const std::wstring& file) {
    for (const SlotInfo& info : kSlotTable) {
        const ButtonAssignment& a = model.at(info.slot);
        const std::wstring section(info.section);
        const auto put = [&](const wchar_t* key, const std::wstring& value) {
            WritePrivateProfileStringW(section.c_str(), key, value.c_str(), file.c_str());
        };
        WritePrivateProfileStringW(section.c_str(), nullptr, nullptr, file.c_str());
        put(L"0", a.caption);
        put(L"1", a.remapped ? L"1" : L"0");
        const Spelt spelt = speltOf(a);
        put(L"2", std::to_wstring(spelt.keyAction));
        put(L"3", std::to_wstring(spelt.virtualKey));
        put(L"4", L"0");
        put(L"5", spelt.target);
        put(L"6", L"1");
        if (a.remapped && spelt.macro) put(L"7", spelt.script);
        put(L"8", a.description);
    }
}

std::vector<std::uint8_t> fileBytes(win32::Win32FilePort& files, const std::wstring& path) {
    return files.readAll(path).value_or(std::vector<std::uint8_t>{});
}

void writeBytes(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD wrote = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
    CloseHandle(h);
}

double nowMs() {
    static const double perMs = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / perMs;
}

struct Figures {
    double median, mean, min, max;
};

Figures summarise(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (double x : v) sum += x;
    return {v[v.size() / 2], sum / static_cast<double>(v.size()), v.front(), v.back()};
}

}  // namespace

int main() {
    int iterations = 200;
    int argc = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(
        CommandLineToArgvW(GetCommandLineW(), &argc), &LocalFree);
    if (argv && argc > 1) iterations = std::max(1, _wtoi(argv.get()[1]));

    const std::wstring root = exeFolder() + L"\\settings-bench";
    CreateDirectoryW(root.c_str(), nullptr);
    const std::wstring oursModule = root + L"\\Vela.exe";
    const std::wstring ours = root + L"\\QmSetting.ini";
    const std::wstring theirs = root + L"\\Profile.ini";
    DeleteFileW(ours.c_str());
    DeleteFileW(theirs.c_str());

    win32::Win32FilePort files;
    win32::Win32AnsiCodePage ansi;
    QuietPorts quiet;
    SlotModel model(quiet, quiet, quiet);
    fillModel(model);
    ButtonSettingsStore store(model, quiet, {files, ansi, quiet}, oursModule, true);
    int problems = 0;

    // 1. Same file as the profile functions make, started from the same
    //    UTF-16LE file (so that both keep every character).
    const std::vector<std::uint8_t> bomOnly{0xFF, 0xFE};
    writeBytes(ours, bomOnly);
    writeBytes(theirs, bomOnly);
    store.saveAll();
    profileSequence(model, theirs);
    const auto oursBytes = fileBytes(files, ours);
    const auto theirsBytes = fileBytes(files, theirs);
    const bool same = oursBytes == theirsBytes;
    std::printf("same bytes as the profile functions: %s (%zu and %zu bytes)\n",
                same ? "yes" : "NO", oursBytes.size(), theirsBytes.size());
    if (!same) ++problems;

    // 2. The profile functions read every value of our file as we wrote it,
    //    including values that need quoting.
    model.at(Slot::WL).action = action::Launch{L"  \"C:\\quoted path\\x.exe\"  "};
    model.at(Slot::WR).description = L"\x65e5\x672c\x8a9e \x0394 \x20ac";
    store.saveAll();
    int readBack = 0;
    for (const SlotInfo& info : kSlotTable) {
        const ButtonAssignment& a = model.at(info.slot);
        const Spelt spelt = speltOf(a);
        const std::wstring section(info.section);
        const std::pair<const wchar_t*, std::wstring> expected[] = {
            {L"0", a.caption},
            {L"5", spelt.target},
            {L"7", spelt.script},
            {L"8", a.description},
            {L"2", std::to_wstring(spelt.keyAction)},
        };
        for (const auto& [key, value] : expected) {
            if (std::wstring(key) == L"7" && !spelt.macro) continue;
            std::vector<wchar_t> buffer(4096);
            GetPrivateProfileStringW(section.c_str(), key, L"", buffer.data(),
                                     static_cast<DWORD>(buffer.size()), ours.c_str());
            ++readBack;
            if (value != buffer.data()) {
                ++problems;
                std::printf("profile functions read [%ls] %ls differently\n", section.c_str(), key);
            }
        }
    }
    std::printf("values read back through GetPrivateProfileStringW: %d checked\n", readBack);
    model.at(Slot::WL).action = action::Launch{L"C:\\x.exe"};
    model.at(Slot::WR).description = L"plain";

    // 3. Time: one whole-file save against the key-by-key sequence, from the
    //    same starting file, alternating so that both see the same machine.
    std::vector<double> storeMs, profileMs;
    for (int i = 0; i < iterations; ++i) {
        double t0 = nowMs();
        store.saveAll();
        storeMs.push_back(nowMs() - t0);
        t0 = nowMs();
        profileSequence(model, theirs);
        profileMs.push_back(nowMs() - t0);
    }
    const Figures s = summarise(storeMs);
    const Figures p = summarise(profileMs);
    std::printf("iterations: %d (9 sections, up to 9 keys each)\n", iterations);
    std::printf("%-34s median %8.3f ms  mean %8.3f  min %8.3f  max %8.3f\n",
                "ButtonSettingsStore::saveAll", s.median, s.mean, s.min, s.max);
    std::printf("%-34s median %8.3f ms  mean %8.3f  min %8.3f  max %8.3f\n",
                "WritePrivateProfileStringW per key", p.median, p.mean, p.min, p.max);
    std::printf("speed-up (median): %.1fx\n", p.median / s.median);
    // Every save went through a temporary file; none may be left behind.
    int leftovers = 0;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((root + L"\\vel*.tmp").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do ++leftovers;
        while (FindNextFileW(search, &found));
        FindClose(search);
    }
    std::printf("temporary files left behind: %d\n", leftovers);
    if (leftovers != 0) ++problems;
    std::printf("result: %s\n", problems == 0 ? "ok" : "MISMATCH");
    return problems == 0 ? 0 : 1;
}
