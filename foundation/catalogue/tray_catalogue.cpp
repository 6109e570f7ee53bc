// The tray program's catalogue: the English texts, and the Chinese table derived from them.
#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/catalogue/shared_rows.h"

namespace tarnwick {
namespace {

namespace key = catalogue_key;

// Tray texts, and the titles of the windows it looks for.
constexpr CatalogueRow kOwn[] = {
    {key::kSaveFormsTitle, u"Save Forms"},
    {key::kToolbarNewIdentityTitle, u"New Identity"},
    {key::kBackupSuccess, u"Backup success of the current user data"},
    {key::kBackupFailure, u"Backup failure of the current user data"},
    {key::kNoUserData, key::kNoUserData},  // shown in Chinese
    {key::kImportSuccess, u"Import User Data success"},
    {key::kImportFailure, u"Import User Data failure"},
    {key::kOptionsTitle, u"Tarnwick"},
};

constexpr auto kEnglish = JoinSharedRows<catalogue_program::kTray>(kOwn);
static_assert(HasUniqueKeys(kEnglish));
constexpr auto kChinese = ChineseRowsOf(kEnglish);

}  // namespace

std::span<const CatalogueRow> TrayCatalogueRows(DisplayLanguage language) {
    if (language == DisplayLanguage::English) return kEnglish;
    return kChinese;
}

const MessageCatalogue& TrayMessages() {
    static const MessageCatalogue catalogue(TrayCatalogueRows(DisplayLanguage::English));
    return catalogue;
}

}  // namespace tarnwick
