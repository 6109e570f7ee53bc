// The identity field set: the 28 tags an identity card holds, the tag that
// opens its custom fields.
#pragma once

#include <array>
#include <string_view>

#include "cards/card_extensions.h"

namespace tarnwick {

inline constexpr std::u16string_view kCustomTag = u"[CUSTOM]";
inline constexpr std::u16string_view kNameTag = u"[NAME]";
// "[NAME]" holds last name, this separator, first name.
inline constexpr char16_t kNameSeparator = u'|';

// The tags of the identity fields.
namespace identity_tag {
inline constexpr std::u16string_view kName = kNameTag;
inline constexpr std::u16string_view kJobTitle = u"[JOB TITLE]";
inline constexpr std::u16string_view kPhone = u"[PHONE]";
inline constexpr std::u16string_view kHomeTel = u"[HOME TEL]";
inline constexpr std::u16string_view kWorkTel = u"[WORK TEL]";
inline constexpr std::u16string_view kMobile = u"[MOBILE]";
inline constexpr std::u16string_view kFax = u"[FAX]";
inline constexpr std::u16string_view kEmail = u"[EMAIL]";
inline constexpr std::u16string_view kMsn = u"[MSN]";
inline constexpr std::u16string_view kYahoo = u"[YAHOO]";
inline constexpr std::u16string_view kSex = u"[SEX]";
inline constexpr std::u16string_view kAge = u"[AGE]";
inline constexpr std::u16string_view kBirthDate = u"[BIRTH DATA]";
inline constexpr std::u16string_view kIncome = u"[INCOME]";
inline constexpr std::u16string_view kIdCardType = u"[ID CARD TYPE]";
inline constexpr std::u16string_view kIdCardNumber = u"[ID CARD NUMBER]";
inline constexpr std::u16string_view kCompanyName = u"[COMPANY NAME]";
inline constexpr std::u16string_view kCompanyPhone = u"[COMPANY PHONE]";
inline constexpr std::u16string_view kWebSite = u"[WEB SITE]";
inline constexpr std::u16string_view kCountry = u"[COUNTRY]";
inline constexpr std::u16string_view kProvince = u"[PROVINCE]";
inline constexpr std::u16string_view kCity = u"[CITY]";
inline constexpr std::u16string_view kPostCode = u"[POSTCODE]";
inline constexpr std::u16string_view kAddress = u"[ADDRESS]";
inline constexpr std::u16string_view kFavoriteUserId = u"[FAVORITE USER ID]";
inline constexpr std::u16string_view kFavoritePassword = u"[FAVORITE PASSWORD]";
inline constexpr std::u16string_view kPasswordQuestion = u"[PASSWORD QUESTION]";
inline constexpr std::u16string_view kPasswordAnswer = u"[PASSWORD ANSWER]";
}  // namespace identity_tag

// In the order the tag search of a load takes them.
inline constexpr std::array<std::u16string_view, 28> kIdentityTags = {
    identity_tag::kName,
    identity_tag::kJobTitle,
    identity_tag::kPhone,
    identity_tag::kHomeTel,
    identity_tag::kWorkTel,
    identity_tag::kMobile,
    identity_tag::kFax,
    identity_tag::kEmail,
    identity_tag::kMsn,
    identity_tag::kYahoo,
    identity_tag::kSex,
    identity_tag::kAge,
    identity_tag::kBirthDate,
    identity_tag::kIncome,
    identity_tag::kIdCardType,
    identity_tag::kIdCardNumber,
    identity_tag::kCompanyName,
    identity_tag::kCompanyPhone,
    identity_tag::kWebSite,
    identity_tag::kCountry,
    identity_tag::kProvince,
    identity_tag::kCity,
    identity_tag::kPostCode,
    identity_tag::kAddress,
    identity_tag::kFavoriteUserId,
    identity_tag::kFavoritePassword,
    identity_tag::kPasswordQuestion,
    identity_tag::kPasswordAnswer,
};

bool IsIdentityTag(std::u16string_view text);

}  // namespace tarnwick
