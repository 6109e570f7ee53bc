// Key text -> display text for every text a program shows (box texts and
// captions, titles, labels, the control font's face name). One catalogue per
// process, built on first use from the table of the program being built.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>

namespace tarnwick {

// The build-time language of a program's texts; every program is built English.
enum class DisplayLanguage { Chinese = 0, English = 1 };

struct CatalogueRow {
    std::u16string_view key;
    std::u16string_view text;
};

// The rows of the program being built, in its display language. Defined once
// per program by the catalogue library it links (tarnwick_catalogue_identity,
// tarnwick_catalogue_passcard or tarnwick_catalogue_tray).
std::span<const CatalogueRow> ProgramCatalogueRows();

class MessageCatalogue {
public:
    // A catalogue of the given rows; the process's own is Instance().
    explicit MessageCatalogue(std::span<const CatalogueRow> rows);

    // Built by the first call, from any thread, exactly once; lives until exit.
    static const MessageCatalogue& Instance();

    // The display text of the key, or the empty text for a key not in the
    // table (compared exactly). The reference lives as long as the catalogue.
    const std::u16string& Lookup(std::u16string_view key) const;

    std::size_t size() const { return texts_.size(); }

private:
    std::map<std::u16string, std::u16string, std::less<>> texts_;
    std::u16string empty_;
};

}  // namespace tarnwick
