#include "editor_common/editor_startup.h"

#include "cardtree/tree_path.h"
#include "foundation/windows_path.h"
#include "editor_common/first_card.h"
#include "foundation/toolbar_contract.h"

namespace tarnwick {

bool NamesLibraryPath(std::u16string_view commandLine, std::u16string_view userFolder) {
    return !userFolder.empty() && commandLine.find(userFolder) != std::u16string_view::npos;
}

std::u16string_view UnquotedPath(std::u16string_view text) {
    const auto first = text.find_first_not_of(u" \t");
    if (first == std::u16string_view::npos) return {};
    text = text.substr(first, text.find_last_not_of(u" \t") - first + 1);
    if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"') text = text.substr(1, text.size() - 2);
    return text;
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
    const std::u16string_view path = UnquotedPath(commandLine);
    if (NamesLibraryPath(path, root)) {
        if (auto inside = ResolveInside(path, root, PathPlace::SameOrBelow)) {
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
