#include "search/card_search.h"

#include "cardtree/tree_path.h"
#include "cards/card_extensions.h"
#include "cards/identity_record.h"
#include "cards/identity_tags.h"
#include "cards/passcard_fields.h"
#include "cards/passcard_record.h"
#include "foundation/primary_password.h"
#include "foundation/text_file.h"

namespace tarnwick {
namespace {

// Opens protected cards only with the password already held; never prompts.
class HeldPasswordGate : public PasswordGate {
public:
    explicit HeldPasswordGate(bool open) : open_(open) {}
    bool EnsurePrimaryPassword(WindowRef) override { return open_ && HasCurrentPrimaryPassword(); }

private:
    bool open_;
};

// Another user's card is passed over quietly: no box per card.
class QuietPrompts : public Prompts {
public:
    int messageBox(WindowRef, const std::u16string&, const std::u16string&, unsigned) override { return kIdOk; }
    WindowRef activeWindow() override { return kNoWindow; }
    bool askPrimaryPassword(WindowRef, const PasswordDialogLook&, EntryDialogRules& rules) override {
        rules.cancel();
        return false;
    }

private:
    static constexpr int kIdOk = 1;
};

bool endsWithNoCase(std::u16string_view text, std::u16string_view suffix) {
    if (text.size() < suffix.size()) return false;
    const std::u16string_view tail = text.substr(text.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        if (FoldCase(tail[i]) != FoldCase(suffix[i])) return false;
    }
    return true;
}

std::u16string_view listable(const std::u16string& folder) {
    std::u16string_view view = folder;
    if (view.size() > 3 && view.back() == u'\\') view.remove_suffix(1);
    return view;
}

void listFolder(FileSystem& files, const std::u16string& folder, const std::vector<std::u16string_view>& extensions,
                std::vector<LibraryEntry>& out) {
    std::vector<FolderEntry> entries;
    if (files.listFolder(std::u16string(listable(folder)), entries) != kErrorSuccess) return;
    for (const FolderEntry& entry : entries) {
        if (!entry.isFolder) continue;
        // A copy: the entries below it may move the list's storage.
        const std::u16string subfolder = JoinPath(folder, entry.name);
        out.push_back({true, subfolder});
        listFolder(files, subfolder, extensions, out);
    }
    for (const FolderEntry& entry : entries) {
        if (entry.isFolder || entry.isHidden) continue;
        for (std::u16string_view extension : extensions) {
            if (!IsCardFileName(entry.name, extension)) continue;
            out.push_back({false, JoinPath(folder, entry.name)});
            break;
        }
    }
}

bool isSecretTag(std::u16string_view tag) {
    return tag == identity_tag::kFavoritePassword || tag == identity_tag::kPasswordAnswer;
}

// A file that cannot be read is passed over like a damaged one.
template <typename Load>
int loadOrUnreadable(Load load) {
    try {
        return load();
    } catch (const CTextFileException&) {
        return kCardDamaged;
    }
}

}  // namespace

std::u16string DescribeHit(const SearchHit& hit) {
    switch (hit.place) {
        case MatchPlace::Name:
            return u"name";
        case MatchPlace::Folder:
            return u"folder";
        case MatchPlace::Url:
            return u"url";
        case MatchPlace::FieldName:
            return u"field name: " + hit.field;
        case MatchPlace::FieldValue:
            return u"value of field: " + hit.field;
        case MatchPlace::SecretValue:
            return u"secret value of field: " + hit.field;
    }
    return {};
}

std::vector<LibraryEntry> ListLibrary(FileSystem& files, const std::u16string& rootPath,
                                      const std::vector<std::u16string_view>& extensions) {
    std::vector<LibraryEntry> entries;
    listFolder(files, rootPath, extensions, entries);
    return entries;
}

CardSearch::CardSearch(FileSystem& files, std::u16string rootPath, SearchOptions options)
    : files_(files),
      rootPath_(std::move(rootPath)),
      options_(options) {}

void CardSearch::searchPlaces(const std::u16string& cardPath, const SearchText& text,
                              std::vector<SearchHit>& hits) const {
    std::u16string_view name = LastComponent(cardPath);
    name = name.substr(0, name.find_last_of(u'.'));
    if (text.foundIn(name)) hits.push_back({MatchPlace::Name, {}});
    // The folder below the user's folder; a card at the top has none.
    std::u16string_view folder = ParentPath(cardPath);
    if (IsSameOrInside(folder, rootPath_) && folder.size() > rootPath_.size()) {
        folder.remove_prefix(rootPath_.size());
        while (!folder.empty() && folder.front() == u'\\') folder.remove_prefix(1);
        if (text.foundIn(folder)) hits.push_back({MatchPlace::Folder, {}});
    }
}

CardSearchResult CardSearch::searchCard(const std::u16string& cardPath, const SearchText& text,
                                        std::vector<SearchHit>& hits) {
    const std::size_t before = hits.size();
    CardSearchResult result = CardSearchResult::Unreadable;
    if (endsWithNoCase(cardPath, kPasscardExtension)) result = searchPasscard(cardPath, text, hits);
    if (endsWithNoCase(cardPath, kIdentityCardExtension)) result = searchIdentity(cardPath, text, hits);
    if (result == CardSearchResult::SkippedProtected) ++skippedProtected_;
    if (result == CardSearchResult::Unreadable) ++unreadable_;
    if (result != CardSearchResult::NoMatch) return result;
    return hits.size() > before ? CardSearchResult::Matched : CardSearchResult::NoMatch;
}

CardSearchResult CardSearch::searchPasscard(const std::u16string& cardPath, const SearchText& text,
                                            std::vector<SearchHit>& hits) {
    HeldPasswordGate gate(options_.openProtected);
    QuietPrompts prompts;
    PasscardRecord record(gate, prompts, files_);
    const int loaded = loadOrUnreadable([&] { return record.load(cardPath); });
    if (loaded == kCardNotLoaded) return CardSearchResult::SkippedProtected;
    if (loaded != kCardLoaded) return CardSearchResult::Unreadable;
    searchPlaces(cardPath, text, hits);
    if (text.foundIn(record.url)) hits.push_back({MatchPlace::Url, {}});
    for (std::size_t i = 0; i < record.fieldNames.size(); ++i) {
        const std::u16string& field = record.fieldNames[i];
        if (text.foundIn(field)) hits.push_back({MatchPlace::FieldName, field});
        const bool secret = IsPasswordField(record.fieldTypes[i]);
        if (secret && !options_.secrets) continue;
        if (text.foundIn(record.fieldValues[i])) {
            hits.push_back({secret ? MatchPlace::SecretValue : MatchPlace::FieldValue, field});
        }
    }
    return CardSearchResult::NoMatch;
}

CardSearchResult CardSearch::searchIdentity(const std::u16string& cardPath, const SearchText& text,
                                            std::vector<SearchHit>& hits) {
    HeldPasswordGate gate(options_.openProtected);
    QuietPrompts prompts;
    IdentityRecord record(gate, prompts, files_);
    const int loaded = loadOrUnreadable([&] { return record.load(cardPath); });
    if (loaded == kCardNotLoaded) return CardSearchResult::SkippedProtected;
    if (loaded != kCardLoaded) return CardSearchResult::Unreadable;
    searchPlaces(cardPath, text, hits);
    for (const auto& [tag, value] : record.fields) {
        const bool secret = isSecretTag(tag);
        if (secret && !options_.secrets) continue;
        if (text.foundIn(value)) hits.push_back({secret ? MatchPlace::SecretValue : MatchPlace::FieldValue, tag});
    }
    for (const CustomField& custom : record.customFields) {
        if (text.foundIn(custom.name)) hits.push_back({MatchPlace::FieldName, custom.name});
        if (text.foundIn(custom.value)) hits.push_back({MatchPlace::FieldValue, custom.name});
    }
    return CardSearchResult::NoMatch;
}

std::vector<CardMatch> CardSearch::searchLibrary(const SearchText& text) {
    std::vector<CardMatch> matches;
    for (const LibraryEntry& entry : ListLibrary(files_, rootPath_, {kPasscardExtension, kIdentityCardExtension})) {
        if (entry.isFolder) continue;
        std::vector<SearchHit> hits;
        if (searchCard(entry.path, text, hits) == CardSearchResult::Matched) {
            matches.push_back({entry.path, std::move(hits)});
        }
    }
    return matches;
}

}  // namespace tarnwick
