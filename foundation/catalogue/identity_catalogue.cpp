// The Identity Editor's catalogue: English only (the program has no Chinese table).
#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/catalogue/shared_rows.h"

namespace tarnwick {
namespace {

namespace key = catalogue_key;

constexpr CatalogueRow kOwn[] = {
    {key::kIdentityNameRule, u"Identity name cannot be empty and it cannot contain characters \\ / : * ? \" < > | "},
    // Messages and dialog titles.
    {key::kRenameIdentityTitle, u"Rename Identity"},
    {key::kDamagedOptions, u"Can not find program path, please reinstall the Tarnwick"},
    {key::kIdentityNotOwner, u"This ID card does not belong to the current user."},
    {key::kIdentityChanged, u"Identity was changed.\nDo you want to save the changes?"},
    {key::kCopyIdentityFailure, u"Copy Identity failure"},
    {key::kCutIdentityFailure, u"Cut Identity failure"},
    {key::kDeleteIdentityQuestion, u"Do you want to delete Identity"},
    {key::kDeleteIdentityFailure, u"Delete Identity failure"},
    {key::kRenameIdentityFailure, u"Rename Identity failure"},
    {key::kNoCustomFieldSelected,
     u"Field to delete is not selected.\nClick the field to be deleted and then select'Edit'->'Delete Custom Field'"},
    {key::kCannotReadIdentity, key::kCannotReadIdentity},        // shown in Chinese
    {key::kDeleteDamagedIdentity, key::kDeleteDamagedIdentity},  // shown in Chinese
    {key::kNewIdentityTitle, u"Create New Identity"},
    {key::kSameNameInFolder, key::kSameNameInFolder},  // shown in Chinese
    {key::kNewFolderName, u"New Folder"},
    // Labels of the identity form.
    {key::kLabelNone, u"None"},
    {key::kLabelMale, u"Male"},
    {key::kLabelFemale, u"Female"},
    {key::kLabelPerson, u"Person"},
    {key::kLabelPhone, u"Phone"},
    {key::kLabelHomeTel, u"Home Tel"},
    {key::kLabelWorkTel, u"Work Tel"},
    {key::kLabelCellTel, u"Cell Tel"},
    {key::kLabelFax, u"Fax"},
    {key::kLabelEmail, u"Email"},
    {key::kLabelBusiness, u"Business"},
    {key::kLabelCompanyName, u"Company Name"},
    {key::kLabelCompanyTel, u"Company Tel"},
    {key::kLabelWebSite, u"Web Site"},
    {key::kLabelLocation, u"Address"},
    {key::kLabelCountry, u"Country"},
    {key::kLabelProvince, u"Province"},
    {key::kLabelCity, u"City"},
    {key::kLabelPostCode, u"PostCode"},
    {key::kLabelAddress, u"Address"},
    {key::kLabelAuthentication, u"Authentication"},
    {key::kLabelUserName, u"User Name"},
    {key::kLabelPassword, u"Password"},
    {key::kLabelPasswordQuestion, u"Password Question"},
    {key::kLabelPasswordAnswer, u"password Answer"},
    {key::kLabelFieldName, u"Field Name"},
    {key::kLabelFieldValue, u"Field Value"},
    {key::kLabelSummary, u"Summary"},
    {key::kLabelCustom, u"Custom"},
};

constexpr auto kEnglish = JoinSharedRows<catalogue_program::kIdentity>(kOwn);
static_assert(HasUniqueKeys(kEnglish));

}  // namespace

std::span<const CatalogueRow> IdentityCatalogueRows(DisplayLanguage language) {
    if (language != DisplayLanguage::English) return {};
    return kEnglish;
}

const MessageCatalogue& IdentityMessages() {
    static const MessageCatalogue catalogue(IdentityCatalogueRows(DisplayLanguage::English));
    return catalogue;
}

}  // namespace tarnwick
