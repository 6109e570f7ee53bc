// Searching a user's card library: which cards hold a text in their name,
// their folder, their address, their field names or their values. Secret
// values (passcard fields of type password; an identity card's password and
// password answer) are searched only when asked for, and a hit on one never
// carries the value. Protected cards are opened only with the primary password
// already held: a search never asks for it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "search/search_text.h"

namespace tarnwick {

struct SearchOptions {
    bool secrets = false;        // search the secret values too
    bool openProtected = false;  // open protected cards (when the password is held)
};

enum class MatchPlace { Name, Folder, Url, FieldName, FieldValue, SecretValue };

// Where a card holds the text; `field` names the field of a field hit.
struct SearchHit {
    MatchPlace place = MatchPlace::Name;
    std::u16string field;
    bool operator==(const SearchHit&) const = default;
};

// "name", "folder", "url", "field name: user", "value of field: user",
// "secret value of field: password".
std::u16string DescribeHit(const SearchHit& hit);

enum class CardSearchResult { Matched, NoMatch, SkippedProtected, Unreadable };

// One entry of the library in the order the editors' trees show it: each
// folder's subfolders, then its cards, in the order the system lists them.
struct LibraryEntry {
    bool isFolder = false;
    std::u16string path;  // a card's with its extension
};

// Every folder and card file (of the given extensions) below `rootPath`,
// depth first. Hidden files are not cards, as in the trees.
std::vector<LibraryEntry> ListLibrary(FileSystem& files, const std::u16string& rootPath,
                                      const std::vector<std::u16string_view>& extensions);

struct CardMatch {
    std::u16string path;  // the card file's, extension included
    std::vector<SearchHit> hits;
};

class CardSearch {
public:
    CardSearch(FileSystem& files, std::u16string rootPath, SearchOptions options);

    // Looks at one card file (".vrc" or ".vrt"); the hits found are appended.
    CardSearchResult searchCard(const std::u16string& cardPath, const SearchText& text, std::vector<SearchHit>& hits);
    // Every card of the library that holds the text, in tree order.
    std::vector<CardMatch> searchLibrary(const SearchText& text);

    // Cards passed over since the search was made: protected ones that could
    // not be opened, and files that could not be read or are damaged.
    std::size_t skippedProtected() const { return skippedProtected_; }
    std::size_t unreadable() const { return unreadable_; }

private:
    void searchPlaces(const std::u16string& cardPath, const SearchText& text, std::vector<SearchHit>& hits) const;
    CardSearchResult searchPasscard(const std::u16string& cardPath, const SearchText& text,
                                    std::vector<SearchHit>& hits);
    CardSearchResult searchIdentity(const std::u16string& cardPath, const SearchText& text,
                                    std::vector<SearchHit>& hits);

    FileSystem& files_;
    std::u16string rootPath_;
    SearchOptions options_;
    std::size_t skippedProtected_ = 0;
    std::size_t unreadable_ = 0;
};

}  // namespace tarnwick
