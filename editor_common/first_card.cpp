#include "editor_common/first_card.h"

#include <vector>

#include "cardtree/tree_path.h"

namespace tarnwick {
namespace {

// Depth first, in the order the system lists the entries; the listing stops at
// the first card, so a large folder is not read whole for it.
std::optional<std::u16string> searchFolder(FileSystem& files, const std::u16string& folder,
                                           std::u16string_view extension) {
    std::optional<std::u16string> found;
    files.holdsEntry(folder, u"", [&](const FolderEntry& entry) {
        std::u16string path = JoinPath(folder, entry.name);
        if (!FitsPathBuffer(path)) return false;
        if (entry.isFolder) {
            found = searchFolder(files, path, extension);
        } else if (!entry.isHidden && IsCardFileName(entry.name, extension)) {
            found = std::move(path);
        }
        return found.has_value();
    });
    return found;
}

}  // namespace

std::optional<std::u16string> FindFirstCard(FileSystem& files, std::u16string_view root,
                                            std::u16string_view extension) {
    return searchFolder(files, std::u16string(root), extension);
}

}  // namespace tarnwick
