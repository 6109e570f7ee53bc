// Find in an editor: the next card of the editor's kind, after the item
// selected in the tree and in the tree's order, that holds the search text;
// past the last card the search wraps to the first (or, going back, the other
// way). Protected cards take part only while the primary password is held.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "search/card_search.h"

namespace tarnwick {

class LibraryFinder {
public:
    LibraryFinder(FileSystem& files, std::u16string rootPath, std::u16string_view extension);

    // `from` is the tree's selection path (a card's without its extension, a
    // folder's, or the root's). The card's tree path (without the extension)
    // or nothing when no card holds the text; the card at `from` comes last.
    std::optional<std::u16string> next(std::u16string_view text, std::u16string_view from, bool forward,
                                       const SearchOptions& options);

private:
    FileSystem& files_;
    std::u16string rootPath_;
    std::u16string extension_;
};

}  // namespace tarnwick
