#include "passcard_editor/passcard_form_markup.h"

#include "htmlform/html_escape.h"
#include "cards/passcard_fields.h"

namespace tarnwick {
namespace {

constexpr std::u16string_view kTableStart = u"<table>";
constexpr std::u16string_view kRowStart = u"<tr><td align=\"right\">";
constexpr std::u16string_view kDetailsSeparator = u"&nbsp;:&nbsp;";
constexpr std::u16string_view kLabelEnd = u"&nbsp;</td><td align=\"left\">";
constexpr std::u16string_view kInputStart = u"<input name =\"";
constexpr std::u16string_view kPasswordInput = u"\" type=\"password\" value=\"";
constexpr std::u16string_view kTextInput = u"\" type=\"text\" value=\"";
constexpr std::u16string_view kRowEnd = u"\" onpropertychange=\"onChange()\"></td>";
constexpr std::u16string_view kTableEnd = u"</table>";

const std::u16string& at(const std::vector<std::u16string>& list, std::size_t i) {
    static const std::u16string kEmpty;
    return i < list.size() ? list[i] : kEmpty;
}

}  // namespace

std::u16string PasscardTableMarkup(const PasscardTableFields& fields, bool stars, bool details) {
    using htmlform::EscapeAttribute;
    using htmlform::EscapeText;
    std::u16string html(kTableStart);
    for (std::size_t i = 0; i < fields.values.size(); ++i) {
        const std::u16string& name = at(fields.names, i);
        const std::u16string& type = at(fields.types, i);
        html += kRowStart;
        html += EscapeText(name);
        if (details) {
            html += kDetailsSeparator;
            html += EscapeText(type);
        }
        html += kLabelEnd;
        html += kInputStart;
        html += EscapeAttribute(name);
        html += stars && IsPasswordField(type) ? kPasswordInput : kTextInput;
        html += EscapeAttribute(fields.values[i]);
        html += kRowEnd;
    }
    html += kTableEnd;
    return html;
}

}  // namespace tarnwick
