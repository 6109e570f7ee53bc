#include "cardtree/folder_operations.h"

#include <vector>

#include "cardtree/tree_path.h"
#include "foundation/message_box.h"

namespace tarnwick {

std::uint32_t CreateFolderAt(FileSystem& files, const std::u16string& path) {
    return FitsPathBuffer(path) ? files.createFolder(path) : kErrorFilenameExcedRange;
}

std::uint32_t MoveEntryTo(FileSystem& files, const std::u16string& from, const std::u16string& to) {
    return FitsPathBuffer(to) ? files.moveEntry(from, to) : kErrorFilenameExcedRange;
}

std::uint32_t CopyFileTo(FileSystem& files, const std::u16string& from, const std::u16string& to) {
    return FitsPathBuffer(to) ? files.copyFile(from, to, true) : kErrorFilenameExcedRange;
}

bool EntryExists(FileSystem& files, const std::u16string& path) {
    FolderEntry entry;
    return files.queryEntry(path, entry) == kErrorSuccess;
}

bool DeleteFolderTree(FileSystem& files, const std::u16string& folder) {
    std::vector<FolderEntry> entries;
    // The listing pattern "{folder}\*.*" must fit as well as every entry's path.
    if (FitsPathBuffer(folder + u"\\*.*")) files.listFolder(folder, entries);
    for (const FolderEntry& entry : entries) {
        // A name the file system would read as another entry is left alone.
        if (!IsPlainName(entry.name)) continue;
        const std::u16string path = JoinPath(folder, entry.name);
        if (!FitsPathBuffer(path)) continue;
        if (entry.isFolder) {
            DeleteFolderTree(files, path);
        } else {
            files.deleteFile(path);
        }
    }
    return FitsPathBuffer(folder) && files.removeFolder(folder) == kErrorSuccess;
}

bool CopyFolderContents(FileSystem& files, const std::u16string& from, const std::u16string& to) {
    std::vector<FolderEntry> entries;
    if (!FitsPathBuffer(from + u"\\*.*") || files.listFolder(from, entries) != kErrorSuccess) return false;
    bool complete = true;
    for (const FolderEntry& entry : entries) {
        const std::u16string source = JoinPath(from, entry.name);
        const std::u16string target = JoinPath(to, entry.name);
        if (!IsPlainName(entry.name) || !FitsPathBuffer(source) || !FitsPathBuffer(target)) {
            complete = false;
        } else if (entry.isFolder) {
            complete =
                CreateFolderAt(files, target) == kErrorSuccess && CopyFolderContents(files, source, target) && complete;
        } else {
            complete = CopyFileTo(files, source, target) == kErrorSuccess && complete;
        }
    }
    return complete;
}

std::u16string FreeCopyPath(FileSystem& files, const std::u16string& folder, std::u16string_view name,
                            std::u16string_view extension, const MessageCatalogue& catalogue) {
    std::u16string path = JoinPath(folder, std::u16string(name) + std::u16string(extension));
    for (unsigned n = 1; EntryExists(files, path); ++n) {
        path = JoinPath(folder, NumberedCopyName(name, n, catalogue) + std::u16string(extension));
    }
    return path;
}

}  // namespace tarnwick
