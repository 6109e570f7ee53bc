#include "search/library_finder.h"

#include <vector>

#include "foundation/windows_path.h"

namespace tarnwick {

LibraryFinder::LibraryFinder(FileSystem& files, std::u16string rootPath, std::u16string_view extension)
    : files_(files),
      rootPath_(std::move(rootPath)),
      extension_(extension) {}

std::optional<std::u16string> LibraryFinder::next(std::u16string_view text, std::u16string_view from, bool forward,
                                                  const SearchOptions& options) {
    const SearchText wanted(text);
    if (wanted.empty()) return std::nullopt;
    const std::vector<LibraryEntry> entries = ListLibrary(files_, rootPath_, {extension_});
    const std::size_t count = entries.size();
    if (count == 0) return std::nullopt;
    // The selected item's place in the order; the root (or an item gone
    // meanwhile) stands before the first entry.
    std::size_t start = count;
    for (std::size_t i = 0; i < count; ++i) {
        std::u16string_view path = entries[i].path;
        if (!entries[i].isFolder) path.remove_suffix(extension_.size());
        if (SamePath(path, from)) {
            start = i;
            break;
        }
    }
    CardSearch search(files_, rootPath_, options);
    for (std::size_t step = 1; step <= count; ++step) {
        // `count` stands for "before the first": one step forward is entry 0.
        const std::size_t at = forward ? (start + step) % (count + 1) : (start + count + 1 - step) % (count + 1);
        if (at == count || entries[at].isFolder) continue;
        std::vector<SearchHit> hits;
        if (search.searchCard(entries[at].path, wanted, hits) == CardSearchResult::Matched) {
            return entries[at].path.substr(0, entries[at].path.size() - extension_.size());
        }
    }
    // The selected card itself, last.
    if (start < count && !entries[start].isFolder) {
        std::vector<SearchHit> hits;
        if (search.searchCard(entries[start].path, wanted, hits) == CardSearchResult::Matched) {
            return entries[start].path.substr(0, entries[start].path.size() - extension_.size());
        }
    }
    return std::nullopt;
}

}  // namespace tarnwick
