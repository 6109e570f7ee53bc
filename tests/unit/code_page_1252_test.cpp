#include "platform/host/code_page_1252.h"

#include <gtest/gtest.h>

#include <string>

using tarnwick::CodePage;
using tarnwick::CodePage1252;

namespace {

constexpr auto kThread = CodePage::Which::Thread;
constexpr auto kSystem = CodePage::Which::System;

std::string narrow(std::u16string_view wide) { return CodePage1252().toNarrow(wide, kThread); }
std::u16string wide(std::string_view bytes) { return CodePage1252().toWide(bytes, kThread); }

std::string allBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes.push_back(static_cast<char>(b));
    return bytes;
}

}  // namespace

TEST(CodePage1252, MapsTheWindowsCharactersOf0x80To0x9F) {
    EXPECT_EQ(wide("\x80"), u"\u20AC");
    EXPECT_EQ(narrow(u"\u20AC"), "\x80");
    EXPECT_EQ(wide("\x9F"), u"\u0178");
    EXPECT_EQ(narrow(u"\u0178"), "\x9F");
    EXPECT_EQ(wide("\x93\x94"), u"\u201C\u201D");
    // Latin-1 above 0x9F is the same number in both.
    EXPECT_EQ(wide("\xA0\xE9\xFF"), u"\u00A0\u00E9\u00FF");
    EXPECT_EQ(narrow(u"\u00A0\u00E9\u00FF"), "\xA0\xE9\xFF");
}

TEST(CodePage1252, UndefinedBytesBecomeTheC1ControlOfTheirValueAndBack) {
    EXPECT_EQ(wide("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(narrow(u"\u0081\u008D\u008F\u0090\u009D"), "\x81\x8D\x8F\x90\x9D");
    // The other C1 controls have a character of their own at that byte, so they are lost.
    EXPECT_EQ(narrow(u"\u0080\u009F"), "??");
}

TEST(CodePage1252, BestFitMapsLettersAndSymbolsOutsideTheCodePage) {
    EXPECT_EQ(narrow(u"\u0100\u0107\u0141\u017C"), "AcLz");  // Ā ć Ł ż
    EXPECT_EQ(narrow(u"\u0110"), "\xD0");                    // Đ becomes Ð, not D
    EXPECT_EQ(narrow(u"\uFF21\uFF5E"), "A~");                // full width
    EXPECT_EQ(narrow(u"\u221E\u2264\u2033"), "8=?");         // ∞ ≤, but no fit for ″
}

TEST(CodePage1252, UnmappableUnitsBecomeOneQuestionMarkEach) {
    EXPECT_EQ(narrow(u"\u4E2D\u6587"), "??");
    EXPECT_EQ(narrow(u"\U0001F600"), "??");  // a surrogate pair is two units
    EXPECT_EQ(narrow(std::u16string{u'a', char16_t(0xD800), u'b', char16_t(0xDFFF)}), "a?b?");
}

TEST(CodePage1252, EveryByteSurvivesTheRoundTrip) {
    const std::u16string units = wide(allBytes());
    ASSERT_EQ(units.size(), 256u);
    EXPECT_EQ(narrow(units), allBytes());
}

TEST(CodePage1252, ConvertsTextOfSeveralCharacters) {
    EXPECT_EQ(narrow(u"Grüße, Łódź – 5 €"),
              "Gr\xFC\xDF"
              "e, L\xF3"
              "dz \x96 5 \x80");
    EXPECT_EQ(wide("Gr\xFC\xDF"
                   "e \x96 5 \x80"),
              u"Grüße – 5 €");
    const std::u16string withNul{u'x', u'\0', u'y'};
    EXPECT_EQ(narrow(withNul), std::string("x\0y", 3));
    EXPECT_EQ(wide(std::string_view("x\0y", 3)), withNul);
}

TEST(CodePage1252, EmptyStaysEmpty) {
    EXPECT_EQ(narrow(u""), "");
    EXPECT_EQ(wide(""), u"");
}

TEST(CodePage1252, SystemAndThreadCodePagesAreBoth1252) {
    const CodePage1252 codePage;
    EXPECT_EQ(codePage.toWide(allBytes(), kSystem), wide(allBytes()));
    EXPECT_EQ(codePage.toNarrow(u"\u20AC\u0141\u4E2D", kSystem), "\x80L?");
}
