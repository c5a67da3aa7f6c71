#include "menu/ProfileCommands.h"

#include <algorithm>

#include "core/CaselessName.h"
#include "core/LayerButton.h"
#include "menu/AssignmentCommands.h"
#include "menu/FileNames.h"
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
        content.profiles.push_back({id++, overlayName(profile->key), isShown(profile->key)});
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
    const Overlay* edited = shown ? overlays.find(*shown) : nullptr;
    content.canExportShown = edited && worthExporting(*edited);
    if (edited && isProfile(edited->key)) {
        content.velaOff = edited->velaOff;
        content.velaOffForWindows = windowOf(edited->key) != nullptr;
    }
    content.canExportAll =
        std::any_of(overlays.all().begin(), overlays.all().end(), worthExporting);
    return content;
}

std::optional<WindowKey> windowKeyFromFields(std::wstring_view program,
                                             std::wstring_view windowClass,
                                             std::wstring_view title) {
    program = withoutEndBlanks(program);
    if (const std::size_t slash = program.find_last_of(L"\\/"); slash != std::wstring_view::npos)
        program.remove_prefix(slash + 1);
    WindowKey key{std::wstring(program), std::wstring(withoutEndBlanks(windowClass)),
                  std::wstring(withoutEndBlanks(title))};
    if (key.windowClass.empty() && key.title.empty()) return std::nullopt;
    return key;
}

bool worthExporting(const Overlay& overlay) {
    if (isProfile(overlay.key)) return true;
    if (tapOf(&overlay) != ButtonAssignment()) return true;
    const std::optional<Slot> button = buttonOf(overlay.key);
    return std::any_of(kSlotTable.begin(), kSlotTable.end(), [&](const SlotInfo& info) {
        return overlay.sets(info.slot) || (info.slot != button && overlay.notes[info.slot]);
    });
}

std::wstring suggestedFileName(const OverlayKey& key) {
    std::wstring name = overlayName(key);
    if (programOf(key)) name = name.substr(0, name.rfind(L'.'));
    std::erase_if(name, [](wchar_t c) {
        return c < L' ' || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos;
    });
    return name + L"." + std::wstring(kProfileFileExtension);
}

void ProfileCommands::openMenu() {
    std::vector<std::wstring> programs = programs_.programsWithWindows();
    std::sort(programs.begin(), programs.end(), [](const std::wstring& a, const std::wstring& b) {
        return compareCaseless(a, b) < 0;
    });
    ProfileMenuContent content =
        profileMenuContent(overlays_, editor_.shown(), programs, editor_.layerButtons());
    content.offersFiles = files_ != nullptr;
    content.offersWindowPick = picker_ != nullptr;
    listedProfiles_.clear();
    for (const Overlay* profile : overlays_.profiles()) {
        if (listedProfiles_.size() + 1 >= content.profiles.size()) break;
        listedProfiles_.push_back(profile->key);
    }
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
        if (index < listedProfiles_.size()) editor_.editOverlay(listedProfiles_[index]);
    } else if (commandId >= kFirstNewProfileCommand &&
               commandId < kFirstNewProfileCommand + kMaxProfileRows) {
        const std::size_t index = commandId - kFirstNewProfileCommand;
        if (index < listedPrograms_.size()) editor_.create(listedPrograms_[index]);
    } else if (commandId == kDeleteProfileCommand) {
        editor_.deleteEdited();
    } else if (const std::optional<Slot> button = layerOfCommand(commandId)) {
        editor_.editOverlay(LayerKey{*button});
    } else if (commandId == kExportProfileCommand && files_) {
        const Overlay* shown = editor_.shown() ? overlays_.find(*editor_.shown()) : nullptr;
        if (shown && worthExporting(*shown)) exportTo(suggestedFileName(shown->key), {shown});
    } else if (commandId == kExportAllProfilesCommand && files_) {
        std::vector<const Overlay*> all;
        for (const Overlay& overlay : overlays_.all())
            if (worthExporting(overlay)) all.push_back(&overlay);
        if (!all.empty()) exportTo(kAllProfilesFileName, all);
    } else if (commandId == kImportProfileCommand && files_) {
        importFile();
    } else if (commandId == kPickWindowCommand && picker_) {
        if (const std::optional<WindowKey> picked = picker_->pickWindow()) editor_.create(*picked);
    } else if (commandId == kVelaOffCommand) {
        if (const std::optional<bool> off = editor_.editedVelaOff()) editor_.setVelaOff(!*off);
    } else {
        return false;
    }
    return true;
}

}  // namespace vela::menu

namespace vela::menu {

void ProfileCommands::exportTo(std::wstring_view suggestedName,
                               const std::vector<const Overlay*>& overlays) {
    const std::optional<ChosenFile> chosen =
        files_->save.chooseSaveFile({kProfileFileFilter, kProfileFileExtension, suggestedName});
    if (!chosen) return;
    if (!files_->file.writeProfiles(chosen->fullPath, overlays))
        files_->messages.showMessage(chosen->fileName + L" could not be written.",
                                     files_->applicationName);
}

void ProfileCommands::importFile() {
    OpenFileRequest request;
    request.filter = kProfileFileFilter;
    request.hideReadOnly = true;
    request.fileMustExist = true;
    request.defaultExtension = kProfileFileExtension;
    const std::optional<ChosenFile> chosen = files_->open.chooseFile(request);
    if (!chosen) return;
    // Read whole before anything changes: a file that fails anywhere adds
    // nothing.
    const std::optional<std::vector<Overlay>> read = files_->file.readProfiles(chosen->fullPath);
    if (!read) {
        files_->messages.showMessage(chosen->fileName + L" holds no Vela profile.",
                                     files_->applicationName);
        return;
    }
    for (const Overlay& overlay : *read) {
        if (overlays_.find(overlay.key)) {
            const std::wstring what = isProfile(overlay.key)
                                          ? L"A profile for " + overlayName(overlay.key)
                                          : L"The layer \"" + overlayName(overlay.key) + L"\"";
            if (!files_->messages.askYesNo(what + L" exists already. Replace it with the one in " +
                                               chosen->fileName + L"?",
                                           files_->applicationName))
                continue;
        }
        editor_.put(overlay);
    }
}

}  // namespace vela::menu
