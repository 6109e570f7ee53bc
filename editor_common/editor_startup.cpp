#include "editor_common/editor_startup.h"

#include "cardtree/tree_path.h"
#include "foundation/windows_path.h"
#include "editor_common/first_card.h"
#include "foundation/toolbar_contract.h"

namespace tarnwick {

bool NamesLibraryPath(std::u16string_view commandLine, std::u16string_view userFolder) {
    return !userFolder.empty() && commandLine.find(userFolder) != std::u16string_view::npos;
}

EditorStartUp::EditorStartUp(const EditorTraits& traits, UserProfile& profile, Windows& windows, FileSystem& files)
    : traits_(traits),
      profile_(profile),
      windows_(windows),
      files_(files) {}

StartUpOutcome EditorStartUp::begin(std::u16string_view commandLine) {
    if (!profile_.LoadCurrentUser()) return StartUpOutcome::NoCurrentUser;
    const auto running = windows_.findTopLevel(traits_.windowClass);
    if (running.empty()) return StartUpOutcome::OpenWindow;
    const WindowRef editor = running.front();
    windows_.restoreAndBringToFront(editor);
    if (NamesLibraryPath(commandLine, profile_.userFolder())) {
        windows_.sendCopyData(editor, editor_code::kReload, commandLine);
    }
    return StartUpOutcome::HandedOver;
}

FirstSelection EditorStartUp::firstSelection(std::u16string_view commandLine) const {
    const std::u16string& root = profile_.userFolder();
    // The path is read as the file system will read it: one that leads out of
    // the library ("..") is no library path.
    if (NamesLibraryPath(commandLine, root)) {
        if (auto inside = ResolveInside(commandLine, root, PathPlace::SameOrBelow)) {
            const bool card = IsCardFileName(LastComponent(*inside), traits_.tree.extension);
            return {std::move(*inside), true, card};
        }
    }
    if (auto card = FindFirstCard(files_, root, traits_.tree.extension)) {
        return {std::move(*card), false, true};
    }
    return {root, false, false};
}

}  // namespace tarnwick
