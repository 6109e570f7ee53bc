// What sealing can keep: text whose narrow form in the thread ANSI code page
// gives it back unchanged, without the two characters unsealing cuts at; the
// refusal names the field and the characters.
#include "foundation/sealable_text.h"

#include <gtest/gtest.h>

#include "platform/host/code_page_1252.h"

namespace tarnwick {
namespace {

const CodePage1252 kCodePage;

TEST(SealableText, TextTheCodePageHoldsIsSealable) {
    for (std::u16string_view text :
         {u"", u"plain ascii", u"Z\u00FCrich \u00E9t\u00E9 \u20AC 5", u"a\r\nb\tc", u"[NAME]", u"\u0081\u008D\u00FF"}) {
        EXPECT_EQ(u"", UnsealableCharacters(text, kCodePage));
        EXPECT_NO_THROW(RequireSealable(u"[CITY]", text, kCodePage));
    }
}

TEST(SealableText, CharactersLostOrChangedAreNamedOnceInOrder) {
    EXPECT_EQ(u"\u5BC6\u7801", UnsealableCharacters(u"pw \u5BC6\u7801\u5BC6", kCodePage));
    // A character outside the first plane is one character, both its units.
    EXPECT_EQ(u"\U0001F600", UnsealableCharacters(u"smile \U0001F600!", kCodePage));
    // Best fit would seal "A" for the macron A, and a lone surrogate as "?".
    EXPECT_EQ(u"\u0100", UnsealableCharacters(u"\u0100bc", kCodePage));
    EXPECT_EQ(std::u16string(1, char16_t(0xD800)),
              UnsealableCharacters(std::u16string(u"x") + char16_t(0xD800), kCodePage));
    // Unsealing stops at a zero byte and at the pad byte 0x14.
    EXPECT_EQ(std::u16string(u"\u0014\0", 2), UnsealableCharacters(std::u16string(u"a\u0014b\0c", 5), kCodePage));
    // "?" itself survives.
    EXPECT_EQ(u"", UnsealableCharacters(u"who?", kCodePage));
}

TEST(SealableText, RefusalCarriesTheFieldTheCharactersAndAMessage) {
    try {
        RequireSealable(u"[ADDRESS]", u"No. 5 \u5BC6\u7801 Road \U0001F600", kCodePage);
        FAIL() << "no refusal";
    } catch (const UnsealableTextError& e) {
        EXPECT_EQ(u"[ADDRESS]", e.field());
        EXPECT_EQ(u"\u5BC6\u7801\U0001F600", e.characters());
        EXPECT_EQ(
            u"The field \"[ADDRESS]\" holds characters that cannot be saved on this system: "
            u"\u5BC6 \u7801 \U0001F600. Nothing was saved.",
            e.message());
        EXPECT_NE(std::string(e.what()).find("[ADDRESS]"), std::string::npos);
    }
    // Characters that cannot be shown are named by their code.
    try {
        RequireSealable(u"pw", std::u16string(u"a\u0014b\0", 4), kCodePage);
        FAIL() << "no refusal";
    } catch (const UnsealableTextError& e) {
        EXPECT_EQ(
            u"The field \"pw\" holds characters that cannot be saved on this system: U+0014 U+0000. "
            u"Nothing was saved.",
            e.message());
    }
}

}  // namespace
}  // namespace tarnwick
