// Profiles and layers in the settings form, each overlay in a section of its
// own holding the slots it sets, every key prefixed with the slot's name
// ("X1.0=Paste", "X1.1=1", ...):
// - a program's profile in the section named after the program, the programs
//   listed in "[Profiles]" ("1=notepad.exe", ...);
// - a window profile in "[Window:1]", "[Window:2]", ... in the order they are
//   listed, naming its windows by "Program", "Class" and "Title" (each
//   optional, class or title given);
// - a button's layer in "[Layer:X2]", its tap under the button's own name
//   ("X2.0=..."). No program's file name holds a colon, so no program's
//   section is taken for one of these.
// The settings file and a profile file shared with others both read and
// write them here.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Overlay.h"
#include "settings/IniDocument.h"

namespace vela {

inline constexpr std::wstring_view kProfilesSection = L"Profiles";
// In a profile's section: Vela is off while its window is in front. Written
// only while on ("Off=1"), so a file without it means what it always meant.
inline constexpr std::wstring_view kVelaOffKey = L"Off";
// A window profile's section and the keys that name its windows.
inline constexpr std::wstring_view kWindowSectionPrefix = L"Window:";
inline constexpr std::wstring_view kWindowProgramKey = L"Program";
inline constexpr std::wstring_view kWindowClassKey = L"Class";
inline constexpr std::wstring_view kWindowTitleKey = L"Title";

// The keys Vela writes in an overlay's section: a slot's name, a dot and one
// of a slot's keys ("X1.0", "R.Hold"). Nothing else there is Vela's.
bool isProfileKey(std::wstring_view name);

// The keys Vela writes in the section of `key`'s overlay: the slots' keys,
// in a profile's section "Off", in a window profile's those naming it.
bool isOverlayKey(const OverlayKey& key, std::wstring_view name);

// The section a program's profile or a layer lives in: the program's name,
// or "Layer:X2". A window profile's follows from its place in the list.
std::wstring sectionOf(const OverlayKey& key);

// Each overlay the text holds, with its section: the programs of the
// "[Profiles]" list, the window profiles by their sections' numbers, then the
// layer of each button whose section holds a key of Vela's.
void forEachStoredOverlay(
    const IniDocument& doc,
    const std::function<void(const OverlayKey& key, const std::wstring& section)>& f);

// The sections of window profiles the text holds, whatever they hold.
std::vector<std::wstring> windowSections(const IniDocument& doc);

// The slots an overlay's section sets (a layer's tap among them), and its own
// notes for those it does not; a layer's button has a tap, never a note.
void readOverlay(const IniDocument& doc, std::wstring_view section, Overlay& overlay);

// The overlay's section; a key a slot's function does not spell keeps what
// `before` held there.
void writeOverlay(IniDocument& doc, const IniDocument& before, std::wstring_view section,
                  const Overlay& overlay);

// The "[Profiles]" list written anew, naming the programs of `profiles` in
// their order, and the section of each; the window profiles of `profiles`
// in "[Window:1]" on.
void writeProfiles(IniDocument& doc, const IniDocument& before,
                   const std::vector<const Overlay*>& profiles);

}  // namespace vela
