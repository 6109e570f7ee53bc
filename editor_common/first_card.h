// The card an editor shows when it is started without a library path: the
// first card file met by a depth-first walk of the library, entries in the
// order the file system lists them, a folder searched as soon as it is met.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tarnwick {

// The full path (with the extension) of the first card below `root`; a card is
// what the library tree shows as one: a file, not hidden, named with the
// extension. Paths that do not fit the library's 260-character buffers are
// passed over, which also bounds the walk's depth. Nothing when there is none.
std::optional<std::u16string> FindFirstCard(FileSystem& files, std::u16string_view root, std::u16string_view extension);

}  // namespace tarnwick
