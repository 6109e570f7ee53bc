#include "cardtree/tree_flavour.h"

#include "cardtree/name_rule.h"
#include "foundation/toolbar_contract.h"

namespace tarnwick {
namespace {

constexpr std::u16string_view kNewFolderTitleKey = u"新建文件夹名称";
constexpr std::u16string_view kRenameFolderTitleKey = u"重命名文件夹名称";

constexpr TreeFlavour kIdentity{
    u".vrt",
    CardKind::Identity,
    notify_kind::kIdentities,
    {32782, 32786, 32787, 32788, 32789, 32783, 32784, 32785, 32796, 32795, 32779, 32780, 32781},
    kNewFolderTitleKey,
    kRenameFolderTitleKey,
    u"重命名身份卡片名称",
    u"Identity Name :",
    name_rule_key::kIdentity,
    u"复制身份卡片失败",
    u"剪切身份卡片失败",
    u"删除身份卡片失败",
    u"重命名身份卡片失败",
};

constexpr TreeFlavour kPasscard{
    u".vrc",
    CardKind::Passcard,
    notify_kind::kPasscards,
    {32816, 32818, 32835, 32851, 32852, 32840, 32842, 32849, 32790, 32791, 32833, 32832, 32803},
    kNewFolderTitleKey,
    kRenameFolderTitleKey,
    u"重命名密码卡片名称",
    u"Passcard Name :",
    name_rule_key::kPasscard,
    u"复制密码卡片失败",
    u"剪切密码卡片失败",
    u"删除密码卡片失败",
    u"重命名密码卡片失败",
};

}  // namespace

const TreeFlavour& IdentityTreeFlavour() { return kIdentity; }
const TreeFlavour& PasscardTreeFlavour() { return kPasscard; }

}  // namespace tarnwick
