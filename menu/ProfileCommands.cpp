#include "menu/ProfileCommands.h"

#include <algorithm>

#include "core/CaselessName.h"
#include "core/LayerButton.h"
#include "menu/AssignmentCommands.h"
#include "resources/resource.h"

namespace vela::menu {

std::optional<Slot> layerOfCommand(std::uint32_t commandId) {
    if (!kLayerCommands.contains(commandId)) return std::nullopt;
    const SlotInfo* info = findSlot(static_cast<int>(commandId - kLayerCommands.first) + 1);
    if (!info || !canCarryLayer(info->trigger)) return std::nullopt;
    return info->slot;
}

ProfileMenuContent profileMenuContent(const OverlaySet& overlays,
                                      const std::optional<OverlayKey>& shown,
                                      const std::vector<std::wstring>& programs,
                                      SlotSet layerButtons) {
    const auto isShown = [&](const OverlayKey& key) { return shown && sameKey(*shown, key); };
    ProfileMenuContent content;
    content.profiles.push_back({kAllProgramsCommand, std::wstring(kAllProgramsText), !shown});
    std::uint16_t id = kFirstProfileCommand;
    for (const Overlay* profile : overlays.profiles()) {
        if (content.profiles.size() > kMaxProfileRows) break;
        content.profiles.push_back({id++, *programOf(profile->key), isShown(profile->key)});
    }
    for (const SlotInfo& info : kSlotTable)
        if (layerButtons.has(info.slot) && canCarryLayer(info.trigger))
            content.layers.push_back(
                {layerCommand(info.slot), layerName(info.slot), isShown(LayerKey{info.slot})});
    id = kFirstNewProfileCommand;
    for (const std::wstring& program : programs) {
        if (content.newFor.size() >= kMaxProfileRows) break;
        if (program.empty() || overlays.find(ProgramKey{program})) continue;
        content.newFor.push_back({id++, program, false});
    }
    content.canDelete = shown.has_value();
    content.deletesLayer = shown && buttonOf(*shown);
    return content;
}

void ProfileCommands::openMenu() {
    std::vector<std::wstring> programs = programs_.programsWithWindows();
    std::sort(programs.begin(), programs.end(), [](const std::wstring& a, const std::wstring& b) {
        return compareCaseless(a, b) < 0;
    });
    const ProfileMenuContent content =
        profileMenuContent(overlays_, editor_.shown(), programs, editor_.layerButtons());
    listedProfiles_.clear();
    for (std::size_t i = 1; i < content.profiles.size(); ++i)
        listedProfiles_.push_back(content.profiles[i].text);
    listedPrograms_.clear();
    for (const ProfileMenuRow& row : content.newFor) listedPrograms_.push_back(row.text);
    const Rect r = captions_.captionScreenRect(IDC_CAPTION_DPI);
    menu_.showProfileMenu({r.left + kMenuOffsetX, r.bottom + kMenuOffsetY}, content);
}

bool ProfileCommands::onCommand(std::uint32_t commandId) {
    if (commandId == kAllProgramsCommand) {
        editor_.editOverlay(std::nullopt);
    } else if (commandId >= kFirstProfileCommand &&
               commandId < kFirstProfileCommand + kMaxProfileRows) {
        const std::size_t index = commandId - kFirstProfileCommand;
        if (index < listedProfiles_.size()) editor_.editOverlay(ProgramKey{listedProfiles_[index]});
    } else if (commandId >= kFirstNewProfileCommand &&
               commandId < kFirstNewProfileCommand + kMaxProfileRows) {
        const std::size_t index = commandId - kFirstNewProfileCommand;
        if (index < listedPrograms_.size()) editor_.create(listedPrograms_[index]);
    } else if (commandId == kDeleteProfileCommand) {
        editor_.deleteEdited();
    } else if (const std::optional<Slot> button = layerOfCommand(commandId)) {
        editor_.editOverlay(LayerKey{*button});
    } else {
        return false;
    }
    return true;
}

}  // namespace vela::menu
