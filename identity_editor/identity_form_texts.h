// The catalogue keys of the identity form's texts: the sex radios' values, the
// summary's group titles and labels, the custom table's headings, the tab
// titles and the Delete Custom Field warning. Written here once as the
// catalogue's own key texts.
#pragma once

#include <array>
#include <string_view>

namespace tarnwick::identity_form_key {

// "[SEX]" values, by radio.
inline constexpr std::u16string_view kSexNone = u"空";
inline constexpr std::u16string_view kSexMale = u"男";
inline constexpr std::u16string_view kSexFemale = u"女";

// Summary group titles.
inline constexpr std::u16string_view kPerson = u"个人";
inline constexpr std::u16string_view kBusiness = u"商业";
inline constexpr std::u16string_view kAddressGroup = u"所在地";
inline constexpr std::u16string_view kAuthentication = u"安全信息";

// Summary labels.
inline constexpr std::u16string_view kPhone = u"电话";
inline constexpr std::u16string_view kHomeTel = u"家庭电话";
inline constexpr std::u16string_view kWorkTel = u"工作电话";
inline constexpr std::u16string_view kCellTel = u"手机";
inline constexpr std::u16string_view kFax = u"传真";
inline constexpr std::u16string_view kEmail = u"电子邮件";
inline constexpr std::u16string_view kCompanyName = u"公司名";
inline constexpr std::u16string_view kCompanyTel = u"公司电话";
inline constexpr std::u16string_view kWebSite = u"网站";
inline constexpr std::u16string_view kCountry = u"国家";
inline constexpr std::u16string_view kProvince = u"省";
inline constexpr std::u16string_view kCity = u"城市";
inline constexpr std::u16string_view kPostCode = u"邮政编码";
inline constexpr std::u16string_view kAddress = u"地址";
inline constexpr std::u16string_view kUserName = u"用户名";
inline constexpr std::u16string_view kPassword = u"密码";
inline constexpr std::u16string_view kPasswordQuestion = u"密码提示问题";
inline constexpr std::u16string_view kPasswordAnswer = u"密码提示问题答案";

// Custom table headings.
inline constexpr std::u16string_view kFieldName = u"字段名";
inline constexpr std::u16string_view kFieldValue = u"字段值";

// Tab titles, pages 0 to 5.
inline constexpr std::array<std::u16string_view, 6> kTabTitles = {
    u"摘要", kPerson, kBusiness, kAddressGroup, kAuthentication, u"自定义"};

// Delete Custom Field with no input focused.
inline constexpr std::u16string_view kCustomFieldNotSelected =
    u"未选定要删除的字段\n点击要删除的字段选择'编辑'->'删除自定义字段'";

}  // namespace tarnwick::identity_form_key
