// Profiles and layers in the settings form, each overlay in a section of its
// own holding the slots it sets, every key prefixed with the slot's name
// ("X1.0=Paste", "X1.1=1", ...):
// - a program's profile in the section named after the program, the programs
//   listed in "[Profiles]" ("1=notepad.exe", ...);
// - a button's layer in "[Layer:X2]", its tap under the button's own name
//   ("X2.0=..."). No program's file name holds a colon, so no profile's
//   section is taken for one.
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
// In a program's section: Vela is off while the program is in front. Written
// only while on ("Off=1"), so a file without it means what it always meant.
inline constexpr std::wstring_view kVelaOffKey = L"Off";

// The keys Vela writes in an overlay's section: a slot's name, a dot and one
// of a slot's keys ("X1.0", "R.Hold"). Nothing else there is Vela's.
bool isProfileKey(std::wstring_view name);

// The keys Vela writes in the section of `key`'s overlay: the slots' keys,
// and in a program's section "Off".
bool isOverlayKey(const OverlayKey& key, std::wstring_view name);

// The section an overlay lives in: its program's name, or "Layer:X2".
std::wstring sectionOf(const OverlayKey& key);

// Each overlay the text holds: the programs of the "[Profiles]" list, then
// the layer of each button whose section holds a key of Vela's.
void forEachStoredOverlay(const IniDocument& doc, const std::function<void(const OverlayKey&)>& f);

// The slots an overlay's section sets (a layer's tap among them), and its own
// notes for those it does not; a layer's button has a tap, never a note.
void readOverlay(const IniDocument& doc, Overlay& overlay);

// The overlay's section; a key a slot's function does not spell keeps what
// `before` held there.
void writeOverlay(IniDocument& doc, const IniDocument& before, const Overlay& overlay);

// The "[Profiles]" list written anew, naming `profiles` in their order, and
// the section of each.
void writeProfiles(IniDocument& doc, const IniDocument& before,
                   const std::vector<const Overlay*>& profiles);

}  // namespace vela
