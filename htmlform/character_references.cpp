// The named character references the form pages and generated markup use,
// and the common ones a hand-written page might.
#include <string_view>

#include "htmlform/html_parser.h"

namespace tarnwick::htmlform {
namespace {

struct Named {
    std::u16string_view name;
    char32_t code;
};

constexpr Named kNamed[] = {
    {u"nbsp", 0xA0},    {u"amp", u'&'},      {u"lt", u'<'},      {u"gt", u'>'},      {u"quot", u'"'},
    {u"apos", u'\''},   {u"iexcl", 0xA1},    {u"cent", 0xA2},    {u"pound", 0xA3},   {u"curren", 0xA4},
    {u"yen", 0xA5},     {u"brvbar", 0xA6},   {u"sect", 0xA7},    {u"uml", 0xA8},     {u"copy", 0xA9},
    {u"ordf", 0xAA},    {u"laquo", 0xAB},    {u"not", 0xAC},     {u"shy", 0xAD},     {u"reg", 0xAE},
    {u"macr", 0xAF},    {u"deg", 0xB0},      {u"plusmn", 0xB1},  {u"sup2", 0xB2},    {u"sup3", 0xB3},
    {u"acute", 0xB4},   {u"micro", 0xB5},    {u"para", 0xB6},    {u"middot", 0xB7},  {u"cedil", 0xB8},
    {u"sup1", 0xB9},    {u"ordm", 0xBA},     {u"raquo", 0xBB},   {u"frac14", 0xBC},  {u"frac12", 0xBD},
    {u"frac34", 0xBE},  {u"iquest", 0xBF},   {u"times", 0xD7},   {u"divide", 0xF7},  {u"ensp", 0x2002},
    {u"emsp", 0x2003},  {u"thinsp", 0x2009}, {u"ndash", 0x2013}, {u"mdash", 0x2014}, {u"lsquo", 0x2018},
    {u"rsquo", 0x2019}, {u"ldquo", 0x201C},  {u"rdquo", 0x201D}, {u"bull", 0x2022},  {u"hellip", 0x2026},
    {u"euro", 0x20AC},  {u"trade", 0x2122},
};

}  // namespace

char32_t NamedCharacter(std::u16string_view name) {
    for (const Named& named : kNamed)
        if (named.name == name) return named.code;
    return 0;
}

}  // namespace tarnwick::htmlform
