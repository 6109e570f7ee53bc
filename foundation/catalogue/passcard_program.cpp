// The Passcard Editor's catalogue: its own table, in the language it is built with.
#include "foundation/catalogue/catalogue_tables.h"

#ifndef TARNWICK_DISPLAY_LANGUAGE
#define TARNWICK_DISPLAY_LANGUAGE 1
#endif
#if TARNWICK_DISPLAY_LANGUAGE != 0 && TARNWICK_DISPLAY_LANGUAGE != 1
#error "TARNWICK_DISPLAY_LANGUAGE must be 0 (Chinese) or 1 (English)"
#endif

namespace tarnwick {

std::span<const CatalogueRow> ProgramCatalogueRows() {
    return PasscardCatalogueRows(static_cast<DisplayLanguage>(TARNWICK_DISPLAY_LANGUAGE));
}

}  // namespace tarnwick
