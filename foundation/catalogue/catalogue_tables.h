// Each program's catalogue table under its own name, so that the CLI and the
// tests can reach all three while a program links only its own (through
// ProgramCatalogueRows, defined by the program's *_program.cpp).
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/message_catalogue.h"

namespace tarnwick {

// The Identity Editor has only the English table: Chinese yields no rows.
std::span<const CatalogueRow> IdentityCatalogueRows(DisplayLanguage language);
std::span<const CatalogueRow> PasscardCatalogueRows(DisplayLanguage language);
std::span<const CatalogueRow> TrayCatalogueRows(DisplayLanguage language);

// Each program's English catalogue, built once on first use: for the CLI and
// the tests, which speak for more than one program.
const MessageCatalogue& IdentityMessages();
const MessageCatalogue& PasscardMessages();
const MessageCatalogue& TrayMessages();

inline constexpr std::u16string_view kChineseDialogFontFace = u"新宋体";

// A Chinese table from the English one: every key shows itself, except the
// font key, which names a face that has the Chinese glyphs.
template <std::size_t N>
constexpr std::array<CatalogueRow, N> ChineseRowsOf(const std::array<CatalogueRow, N>& english) {
    std::array<CatalogueRow, N> rows{};
    for (std::size_t i = 0; i < N; ++i) {
        const std::u16string_view key = english[i].key;
        rows[i] = {key, key == catalogue_key::kDialogFont ? kChineseDialogFontFace : key};
    }
    return rows;
}

}  // namespace tarnwick
