// A program's catalogue: its own table, in the language it is built with. Each
// program compiles this file once, told its table by TARNWICK_PROGRAM_ROWS.
#include "foundation/catalogue/catalogue_tables.h"

#ifndef TARNWICK_DISPLAY_LANGUAGE
#define TARNWICK_DISPLAY_LANGUAGE 1
#endif
#if TARNWICK_DISPLAY_LANGUAGE != 0 && TARNWICK_DISPLAY_LANGUAGE != 1
#error "TARNWICK_DISPLAY_LANGUAGE must be 0 (Chinese) or 1 (English)"
#endif
#ifndef TARNWICK_PROGRAM_ROWS
#error \
    "TARNWICK_PROGRAM_ROWS names the program's table: IdentityCatalogueRows, PasscardCatalogueRows or TrayCatalogueRows"
#endif

namespace tarnwick {

std::span<const CatalogueRow> ProgramCatalogueRows() {
    return TARNWICK_PROGRAM_ROWS(static_cast<DisplayLanguage>(TARNWICK_DISPLAY_LANGUAGE));
}

}  // namespace tarnwick
