// The Passcard Editor's catalogue: the English texts, and the Chinese table derived from them.
#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/catalogue/shared_rows.h"

namespace tarnwick {
namespace {

namespace key = catalogue_key;

constexpr CatalogueRow kOwn[] = {
    {key::kPasscardNameRule, u"Passcard name cannot be empty and it cannot contain characters \\ / : * ? \" < > | "},
    {key::kFieldNameRule, u"Field name cannot be empty and it cannot contain characters \\ / : * ? \" < > | "},
    // Messages and dialog titles.
    {key::kPasscardChanged, u"Passcard was changed.\nDo you want to save the changes?"},
    {key::kCopyPasscardFailure, u"Copy Passcard failure"},
    {key::kCutPasscardFailure, u"Cut Passcard failure"},
    {key::kDeletePasscardQuestion, u"Do you want to delete Passcard"},
    {key::kDeletePasscardFailure, u"Delete Passcard failure"},
    {key::kRenamePasscardFailure, u"Rename Passcard failure"},
    {key::kPasscardNotOwner, u"This Passcard does not belong to the current user"},
    {key::kNoFieldToRename,
     u"Field to Rename is not selected.\nClick the field to be renamed and then select'Edit'->'Rename Field'"},
    {key::kNoFieldToDelete,
     u"Field to delete is not selected.\nClick the field to be deleted and then select'Edit'->'Delete Field'"},
    {key::kUserNameNotDeleted, u"User Name could not be deleted"},
    {key::kPasswordNotDeleted, u"Password could not be deleted"},
    {key::kDeleteFieldQuestion, u"Do you want to delete field"},
    {key::kDeleteFieldQuestionEnd, u"?"},
    {key::kCannotReadPasscard, u"Can not read password card"},
    {key::kDeleteDamagedPasscard, u"Delete damaged password card?"},
    {key::kNewFieldTitle, u"New Field Name"},
    {key::kRenameFieldTitle, u"Rename Field Name"},
    {key::kRenamePasscardTitle, u"Rename Passcard Name"},
};

constexpr auto kEnglish = JoinSharedRows<catalogue_program::kPasscard>(kOwn);
static_assert(HasUniqueKeys(kEnglish));
constexpr auto kChinese = ChineseRowsOf(kEnglish);

}  // namespace

std::span<const CatalogueRow> PasscardCatalogueRows(DisplayLanguage language) {
    if (language == DisplayLanguage::English) return kEnglish;
    return kChinese;
}

const MessageCatalogue& PasscardMessages() {
    static const MessageCatalogue catalogue(PasscardCatalogueRows(DisplayLanguage::English));
    return catalogue;
}

}  // namespace tarnwick
