// catalogue: a program's whole message catalogue, as the programs are built
// (English), as one JSON object from key to display text.
#include <span>
#include <string>

#include "foundation/catalogue/catalogue_tables.h"
#include "platform/utf8.h"
#include "tools/tarnwick/commands.h"
#include "tools/tarnwick/json_out.h"

namespace tarnwick::cli {
namespace {

std::span<const CatalogueRow> rowsOf(const std::u16string& program) {
    if (program == u"identity") return IdentityCatalogueRows(DisplayLanguage::English);
    if (program == u"passcard") return PasscardCatalogueRows(DisplayLanguage::English);
    if (program == u"tray") return TrayCatalogueRows(DisplayLanguage::English);
    throw UsageError("PROGRAM must be identity, passcard or tray, not " + Utf16ToUtf8(program));
}

}  // namespace

int RunCatalogue(ArgList& args) {
    const std::span<const CatalogueRow> rows = rowsOf(args.takePositional("PROGRAM"));
    args.expectEnd();
    std::string json = "{";
    for (const CatalogueRow& row : rows) {
        if (json.size() > 1) json += ',';
        json += JsonString(row.key) + ':' + JsonString(row.text);
    }
    json += '}';
    PrintLine(json);
    return 0;
}

}  // namespace tarnwick::cli
