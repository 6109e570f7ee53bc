#include "editor_common/first_card.h"

#include <vector>

#include "cardtree/tree_path.h"

namespace tarnwick {
namespace {

std::optional<std::u16string> searchFolder(FileSystem& files, const std::u16string& folder,
                                           std::u16string_view extension) {
    std::vector<FolderEntry> entries;
    if (files.listFolder(folder, entries) != kErrorSuccess) return std::nullopt;
    for (const FolderEntry& entry : entries) {
        std::u16string path = JoinPath(folder, entry.name);
        if (!FitsPathBuffer(path)) continue;
        if (entry.isFolder) {
            if (auto found = searchFolder(files, path, extension)) return found;
        } else if (!entry.isHidden && IsCardFileName(entry.name, extension)) {
            return path;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::u16string> FindFirstCard(FileSystem& files, std::u16string_view root,
                                            std::u16string_view extension) {
    return searchFolder(files, std::u16string(root), extension);
}

}  // namespace tarnwick
