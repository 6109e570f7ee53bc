#include "unit/htmlform/form_markup.h"

#include <fstream>
#include <sstream>

#include "htmlform/html_escape.h"
#include "htmlform/html_parser.h"

namespace tarnwick::htmlform::test {
namespace {

std::u16string Decimal(std::size_t i) {
    std::string digits = std::to_string(i);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string CustomTable(const Pairs& pairs) {
    std::u16string html =
        u"<table id=\"custom\" style=\"display:none\" border=\"0\"><th align=\"left\">Field Name"
        u"</th><th align=\"left\">Field Value</th>";
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        html += u"<tr><td width=\"50%\"><input id =\"";
        html += u"customfirst" + Decimal(i);
        html += u"\" type=\"text\" value=\"";
        html += EscapeAttribute(pairs[i].first);
        html += u"\" onpropertychange=\"onChange()\"/></td><td width=\"50%\"><input id =\"";
        html += u"customsecond" + Decimal(i);
        html += u"\" type=\"text\" value=\"";
        html += EscapeAttribute(pairs[i].second);
        html += u"\" onpropertychange=\"onChange()\"/></td></tr>";
    }
    return html + u"</table>";
}

std::u16string PasscardTable(const std::vector<PasscardField>& fields, bool stars, bool details) {
    std::u16string html = u"<table>";
    for (const PasscardField& field : fields) {
        bool password = stars && field.type == u"password";
        html += u"<tr><td align=\"right\">";
        html += EscapeText(field.name);
        if (details) html += u"&nbsp;:&nbsp;" + EscapeText(field.type);
        html += u"&nbsp;</td><td align=\"left\">";
        html += u"<input name =\"";
        html += EscapeAttribute(field.name);
        html += password ? u"\" type=\"password\" value=\"" : u"\" type=\"text\" value=\"";
        html += EscapeAttribute(field.value);
        html += u"\" onpropertychange=\"onChange()\"></td>";
    }
    return html + u"</table>";
}

std::u16string ReadPage(const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return DecodePageBytes(bytes.str());
}

std::unique_ptr<Document> IdentityPage() { return Document::parse(ReadPage(TARNWICK_IDENTITY_PAGE)); }
std::unique_ptr<Document> PasscardPage() { return Document::parse(ReadPage(TARNWICK_PASSCARD_PAGE)); }

std::string Narrow(std::u16string_view text) {
    std::string out;
    for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

}  // namespace tarnwick::htmlform::test
