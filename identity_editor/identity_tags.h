// The identity field set: the 28 tags an identity card holds, the tag that
// opens its custom fields, and the file extension of identity cards.
#pragma once

#include <array>
#include <string_view>

namespace tarnwick {

inline constexpr std::u16string_view kIdentityCardExtension = u".vrt";
inline constexpr std::u16string_view kCustomTag = u"[CUSTOM]";
inline constexpr std::u16string_view kNameTag = u"[NAME]";
// "[NAME]" holds last name, this separator, first name.
inline constexpr char16_t kNameSeparator = u'|';

// In the order the tag search of a load takes them.
inline constexpr std::array<std::u16string_view, 28> kIdentityTags = {
    u"[NAME]",         u"[JOB TITLE]",      u"[PHONE]",          u"[HOME TEL]",
    u"[WORK TEL]",     u"[MOBILE]",         u"[FAX]",            u"[EMAIL]",
    u"[MSN]",          u"[YAHOO]",          u"[SEX]",            u"[AGE]",
    u"[BIRTH DATA]",   u"[INCOME]",         u"[ID CARD TYPE]",   u"[ID CARD NUMBER]",
    u"[COMPANY NAME]", u"[COMPANY PHONE]",  u"[WEB SITE]",       u"[COUNTRY]",
    u"[PROVINCE]",     u"[CITY]",           u"[POSTCODE]",       u"[ADDRESS]",
    u"[FAVORITE USER ID]", u"[FAVORITE PASSWORD]", u"[PASSWORD QUESTION]", u"[PASSWORD ANSWER]",
};

bool IsIdentityTag(std::u16string_view text);

}  // namespace tarnwick
