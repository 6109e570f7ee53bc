// The file work below the tree's operations: deleting and copying whole folder
// trees, and finding the free name a pasted copy gets. A path longer than the
// 260-character buffers is never cut short and acted on: that entry fails.
#pragma once

#include <string>
#include <string_view>

#include "foundation/message_catalogue.h"
#include "platform/file_system.h"

namespace tarnwick {

// The port's calls for the entries the tree makes, refusing a new path that
// does not fit its buffer (kErrorFilenameExcedRange): such a card could not be
// read back by the programs that hold library paths in 260 characters.
std::uint32_t CreateFolderAt(FileSystem& files, const std::u16string& path);
std::uint32_t MoveEntryTo(FileSystem& files, const std::u16string& from, const std::u16string& to);
std::uint32_t CopyFileTo(FileSystem& files, const std::u16string& from, const std::u16string& to);

// True when something (file or folder) has that path.
bool EntryExists(FileSystem& files, const std::u16string& path);

// Deletes every file and subfolder below `folder`, then the folder itself.
// Goes on past entries it cannot delete; true when the folder is gone.
bool DeleteFolderTree(FileSystem& files, const std::u16string& folder);

// Copies the contents of `from` into the existing folder `to`: subfolders
// created, files copied. Goes on past failures; true when everything was copied.
bool CopyFolderContents(FileSystem& files, const std::u16string& from, const std::u16string& to);

// {folder}\{name}{extension}, or while that exists {folder}\{name} - Copy{n}{extension}
// for n = 1, 2, ...: the first free one. extension is empty for a folder.
std::u16string FreeCopyPath(FileSystem& files, const std::u16string& folder, std::u16string_view name,
                            std::u16string_view extension,
                            const MessageCatalogue& catalogue = MessageCatalogue::Instance());

}  // namespace tarnwick
