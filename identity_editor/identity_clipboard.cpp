#include "identity_editor/identity_clipboard.h"

#include <array>
#include <string_view>

#include "identity_editor/identity_form_markup.h"
#include "cards/identity_tags.h"

namespace tarnwick {
namespace {

namespace tag = identity_tag;

struct ClipboardLine {
    std::u16string_view label;
    std::u16string_view tag;
};

// After the two name lines. The second messenger's line keeps its label and
// carries "[YAHOO]", the id the page and the card hold.
constexpr std::array<ClipboardLine, 27> kLines = {{
    {u"职位 : ", tag::kJobTitle},
    {u"电话 : ", tag::kPhone},
    {u"家庭电话 : ", tag::kHomeTel},
    {u"工作电话 : ", tag::kWorkTel},
    {u"手机 : ", tag::kMobile},
    {u"传真 : ", tag::kFax},
    {u"电子邮箱 : ", tag::kEmail},
    {u"MSN号码 : ", tag::kMsn},
    {u"QQ号码 : ", tag::kYahoo},
    {u"性别 : ", tag::kSex},
    {u"年龄 : ", tag::kAge},
    {u"生日 : ", tag::kBirthDate},
    {u"收入 : ", tag::kIncome},
    {u"证件 : ", tag::kIdCardType},
    {u"证件号码 : ", tag::kIdCardNumber},
    {u"公司名 : ", tag::kCompanyName},
    {u"公司电话 : ", tag::kCompanyPhone},
    {u"网站 : ", tag::kWebSite},
    {u"国家 : ", tag::kCountry},
    {u"省 : ", tag::kProvince},
    {u"城市 : ", tag::kCity},
    {u"邮政编码 : ", tag::kPostCode},
    {u"地址 : ", tag::kAddress},
    {u"用户名 : ", tag::kFavoriteUserId},
    {u"密码 : ", tag::kFavoritePassword},
    {u"密码提示问题 : ", tag::kPasswordQuestion},
    {u"密码提示问题答案 : ", tag::kPasswordAnswer},
}};

constexpr std::u16string_view kLastNameLabel = u"姓 : ";
constexpr std::u16string_view kFirstNameLabel = u"名 : ";

void appendLine(std::u16string& text, std::u16string_view label, std::u16string_view value) {
    text += label;
    text += value;
    text += u'\n';
}

}  // namespace

std::u16string IdentityClipboardText(const IdentityRecord& record) {
    const PersonName name = SplitName(FieldValue(record.fields, tag::kName));
    std::u16string text;
    appendLine(text, kLastNameLabel, name.last);
    appendLine(text, kFirstNameLabel, name.first);
    for (const ClipboardLine& line : kLines) appendLine(text, line.label, FieldValue(record.fields, line.tag));
    return text;
}

}  // namespace tarnwick
