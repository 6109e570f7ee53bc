#include "cardtree/tree_flavour.h"

#include "foundation/catalogue/catalogue_keys.h"
#include "foundation/toolbar_contract.h"

namespace tarnwick {
namespace {

namespace key = catalogue_key;

constexpr TreeFlavour kIdentity{
    u".vrt",
    CardKind::Identity,
    notify_kind::kIdentities,
    {32782, 32786, 32787, 32788, 32789, 32783, 32784, 32785, 32796, 32795, 32779, 32780, 32781},
    key::kNewFolderTitle,
    key::kRenameFolderTitle,
    key::kRenameIdentityTitle,
    u"Identity Name :",
    key::kIdentityNameRule,
    key::kCopyIdentityFailure,
    key::kCutIdentityFailure,
    key::kDeleteIdentityFailure,
    key::kRenameIdentityFailure,
};

constexpr TreeFlavour kPasscard{
    u".vrc",
    CardKind::Passcard,
    notify_kind::kPasscards,
    {32816, 32818, 32835, 32851, 32852, 32840, 32842, 32849, 32790, 32791, 32833, 32832, 32803},
    key::kNewFolderTitle,
    key::kRenameFolderTitle,
    key::kRenamePasscardTitle,
    u"Passcard Name :",
    key::kPasscardNameRule,
    key::kCopyPasscardFailure,
    key::kCutPasscardFailure,
    key::kDeletePasscardFailure,
    key::kRenamePasscardFailure,
    1001,
    1002,
    1005,
};

}  // namespace

const TreeFlavour& IdentityTreeFlavour() { return kIdentity; }
const TreeFlavour& PasscardTreeFlavour() { return kPasscard; }

}  // namespace tarnwick
