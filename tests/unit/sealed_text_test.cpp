#include "foundation/sealed_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "foundation/key_schedules.h"
#include "foundation/primary_password.h"
#include "platform/host/code_page_1252.h"
#include "platform/utf8.h"

namespace tarnwick {
namespace {

int countNumbers(const std::u16string& sealed) {
    int n = 1;
    for (char16_t c : sealed) n += c == u' ';
    return n;
}

class SealedText : public ::testing::Test {
protected:
    void SetUp() override { SetCurrentPrimaryPassword("pa55word"); }
    void TearDown() override { ClearCurrentPrimaryPassword(); }
    CodePage1252 codePage;
};

// Every length from 0 to 40 and every byte of code page 1252, in all three key
// modes, against sealed texts made with an independent implementation.
TEST_F(SealedText, AgreesWithAnIndependentImplementation) {
    std::ifstream file(std::string(TARNWICK_FIXTURES) + "/sealed_golden.txt");
    ASSERT_TRUE(file) << "missing fixture sealed_golden.txt";
    std::string line;
    int checked = 0;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string mode, hex, sealed;
        std::getline(fields, mode, '\t');
        std::getline(fields, hex, '\t');
        std::getline(fields, sealed);
        std::string narrow;
        for (std::size_t i = 0; i < hex.size(); i += 2)
            narrow.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
        const std::u16string text = codePage.toWide(narrow, CodePage::Which::Thread);
        const int keyMode = std::stoi(mode);
        EXPECT_EQ(sealed, Utf16ToUtf8(SealText(text, u"Blowfish", keyMode, codePage))) << line;
        EXPECT_EQ(text, UnsealText(Utf8ToUtf16(sealed), u"Blowfish", keyMode, codePage)) << line;
        ++checked;
    }
    EXPECT_EQ(3 * (41 + 254), checked);
}

TEST_F(SealedText, LengthsArePaddedToWholeBlocks) {
    EXPECT_EQ(8, countNumbers(SealText(u"", u"Blowfish", KeyModeCommon, codePage)));
    EXPECT_EQ(8, countNumbers(SealText(u"12345", u"Blowfish", KeyModeCommon, codePage)));
    EXPECT_EQ(16, countNumbers(SealText(u"12345678", u"Blowfish", KeyModeCommon, codePage)));
    EXPECT_EQ(16, countNumbers(SealText(u"1234567890123", u"Blowfish", KeyModeCommon, codePage)));
    for (const std::u16string text : {u"", u"a", u"abcdefg", u"abcdefgh", u"abcdefghi", u"abcdefghijklmnop"}) {
        for (int mode : {KeyModeUser, KeyModeCommon, KeyModeOption}) {
            EXPECT_EQ(text, UnsealText(SealText(text, u"Blowfish", mode, codePage), u"Blowfish", mode, codePage));
        }
    }
}

TEST_F(SealedText, NumbersAreSignedBytesSeparatedBySingleSpaces) {
    const std::u16string sealed = SealText(u"The quick brown fox", u"Blowfish", KeyModeOption, codePage);
    EXPECT_NE(u' ', sealed.front());
    EXPECT_NE(u' ', sealed.back());
    EXPECT_EQ(std::u16string::npos, sealed.find(u"  "));
    std::istringstream numbers(Utf16ToUtf8(sealed));
    int value = 0;
    while (numbers >> value) {
        EXPECT_GE(value, -128);
        EXPECT_LE(value, 127);
    }
}

TEST_F(SealedText, UnsealingIsLenientWithTheNumbers) {
    const std::u16string sealed = SealText(u"secret", u"Blowfish", KeyModeCommon, codePage);
    // 0..255 instead of -128..127: only the low 8 bits count.
    std::istringstream numbers(Utf16ToUtf8(sealed));
    std::string unsigned_;
    int value = 0;
    while (numbers >> value) unsigned_ += (unsigned_.empty() ? "" : " ") + std::to_string(value & 0xFF);
    EXPECT_EQ(u"secret", UnsealText(Utf8ToUtf16(unsigned_), u"Blowfish", KeyModeCommon, codePage));
    // Up to 7 numbers past the last whole block are dropped.
    EXPECT_EQ(u"secret", UnsealText(sealed + u" 1 2 3 4 5 6 7", u"Blowfish", KeyModeCommon, codePage));
    // Fewer than 8 numbers, garbage, or nothing: the empty text, no exception.
    EXPECT_EQ(u"", UnsealText(u"1 2 3", u"Blowfish", KeyModeCommon, codePage));
    EXPECT_EQ(u"", UnsealText(u"", u"Blowfish", KeyModeCommon, codePage));
    EXPECT_NO_THROW(UnsealText(u"99999999999999999999999 -x +  \t7 a b c d e f", u"Blowfish", KeyModeCommon, codePage));
}

// Numbers are read as strtol reads them with a 32-bit long: white space and a
// sign first, digits up to anything else, out-of-range values saturated.
TEST_F(SealedText, NumbersAreConvertedAsStrtolConvertsThem) {
    const std::u16string sealed = SealText(u"secret", u"Blowfish", KeyModeCommon, codePage);
    const std::size_t firstSpace = sealed.find(u' ');
    const std::u16string rest = sealed.substr(firstSpace);
    const std::u16string first = sealed.substr(0, firstSpace);
    auto unsealWithFirst = [&](const std::u16string& number) {
        return UnsealText(number + rest, u"Blowfish", KeyModeCommon, codePage);
    };
    const std::u16string asUnsigned = Utf8ToUtf16(std::to_string(std::stoi(Utf16ToUtf8(first)) & 0xFF));
    EXPECT_EQ(u"secret", unsealWithFirst(u"\t\v\r\n\f" + first + u"xyz"));
    EXPECT_EQ(u"secret", unsealWithFirst(first + u".5e3"));
    EXPECT_EQ(u"secret", unsealWithFirst(u"+" + asUnsigned));
    EXPECT_EQ(u"secret", unsealWithFirst(u"000000000000000000000000000" + asUnsigned));

    // The first byte as 255 and as 0 decrypt differently; out-of-range numbers
    // land on those two, not on their low 8 bits (2147483648 & 0xFF is 0).
    const std::u16string as255 = unsealWithFirst(u"255"), as0 = unsealWithFirst(u"0");
    ASSERT_NE(as255, as0);
    EXPECT_EQ(as255, unsealWithFirst(u"2147483648"));
    EXPECT_EQ(as255, unsealWithFirst(u"99999999999999999999999999999999999999999999999999"));
    EXPECT_EQ(as0, unsealWithFirst(u"-2147483649"));
    EXPECT_EQ(as0, unsealWithFirst(u"-" + std::u16string(100000, u'7')));
    EXPECT_EQ(as255, unsealWithFirst(u"2147483647"));
    EXPECT_EQ(as0, unsealWithFirst(u"-2147483648"));
    // No digits: 0.
    EXPECT_EQ(as0, unsealWithFirst(u""));
    EXPECT_EQ(as0, unsealWithFirst(u"-"));
    EXPECT_EQ(as0, unsealWithFirst(u"x255"));
}

// The user key is "vellmarn" and the password's first 8 narrow bytes, a shorter
// password padded with zero bytes. Expected values from an independent implementation.
TEST_F(SealedText, UserKeyTakesTheFirstEightPasswordBytes) {
    struct Case {
        const char* password;
        const char16_t* sealed;
    };
    const Case cases[] = {
        {"ab", u"119 101 57 81 -3 54 -105 -88"},
        {"Quill7&zEXTRA", u"-104 28 113 -5 -49 11 1 -90"},
        {"Quill7&z", u"-104 28 113 -5 -49 11 1 -90"},
        {"\xe9\xe8\xea\xeb\xa3\xb5\xfc\xdf\xe0", u"-78 121 7 -109 53 46 96 -29"},
    };
    for (const Case& c : cases) {
        SetCurrentPrimaryPassword(c.password);
        EXPECT_EQ(c.sealed, SealText(u"PROTECT", u"Blowfish", KeyModeUser, codePage)) << c.password;
        EXPECT_EQ(u"PROTECT", UnsealText(c.sealed, u"Blowfish", KeyModeUser, codePage)) << c.password;
    }
    SetCurrentPrimaryPassword("ab");
    EXPECT_EQ(u"84 -4 32 4 92 96 -116 52 -25 -53 103 -20 -35 36 -108 52 -48 17 -109 112 -65 45 25 -93",
              SealText(u"card field value 123", u"Blowfish", KeyModeUser, codePage));
}

// The user key's schedule is kept between values, but never outlives the
// password it was built from: a new password, one written straight into the
// buffer, or a cleared one each seal as a fresh key would.
TEST_F(SealedText, UserKeyScheduleFollowsThePassword) {
    SetCurrentPrimaryPassword("ab");
    const std::u16string withAb = SealText(u"PROTECT", u"Blowfish", KeyModeUser, codePage);
    EXPECT_EQ(u"119 101 57 81 -3 54 -105 -88", withAb);
    SetCurrentPrimaryPassword("Quill7&z");
    EXPECT_EQ(u"-104 28 113 -5 -49 11 1 -90", SealText(u"PROTECT", u"Blowfish", KeyModeUser, codePage));
    // Written in place, not through SetCurrentPrimaryPassword.
    CurrentPrimaryPassword()[0] = 'a';
    CurrentPrimaryPassword()[1] = 'b';
    CurrentPrimaryPassword()[2] = '\0';
    EXPECT_EQ(withAb, SealText(u"PROTECT", u"Blowfish", KeyModeUser, codePage));
    EXPECT_EQ(u"PROTECT", UnsealText(withAb, u"Blowfish", KeyModeUser, codePage));
    // Cleared: the key is the prefix and eight zero bytes, not the last password's.
    ClearCurrentPrimaryPassword();
    const std::u16string withNone = SealText(u"PROTECT", u"Blowfish", KeyModeUser, codePage);
    EXPECT_NE(withAb, withNone);
    EXPECT_NE(u"PROTECT", UnsealText(withAb, u"Blowfish", KeyModeUser, codePage));
    SetCurrentPrimaryPassword("ab");
    EXPECT_EQ(withAb, SealText(u"PROTECT", u"Blowfish", KeyModeUser, codePage));
    // The other modes are unaffected by any of it.
    EXPECT_EQ(u"secret", UnsealText(SealText(u"secret", u"Blowfish", KeyModeOption, codePage), u"Blowfish",
                                    KeyModeOption, codePage));
}

// Long lines leave the small buffers for the heap and still round-trip.
TEST_F(SealedText, LongTextsRoundTrip) {
    for (const std::size_t length : {63u, 64u, 511u, 512u, 513u, 4000u}) {
        std::u16string text;
        for (std::size_t i = 0; i < length; ++i) text.push_back(static_cast<char16_t>(u'a' + i % 26));
        for (const int mode : {KeyModeUser, KeyModeCommon, KeyModeOption}) {
            EXPECT_EQ(text, UnsealText(SealText(text, u"Blowfish", mode, codePage), u"Blowfish", mode, codePage))
                << length << " " << mode;
        }
    }
}

// A last whole block without a terminator ends at the block, whatever the
// stack held before: the bytes past the blocks are zero, not left over.
TEST_F(SealedText, TextFillingItsBlocksEndsWithThem) {
    const std::u16string sealed = SealText(u"12345678", u"Blowfish", KeyModeCommon, codePage);
    std::size_t eighthSpace = 0;
    for (int spaces = 0; spaces < 8; ++spaces) eighthSpace = sealed.find(u' ', eighthSpace + (spaces > 0));
    const std::u16string firstBlock = sealed.substr(0, eighthSpace);
    ASSERT_EQ(8, countNumbers(firstBlock));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(u"zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz",
                  UnsealText(SealText(u"zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz", u"Blowfish", KeyModeCommon, codePage),
                             u"Blowfish", KeyModeCommon, codePage));
        EXPECT_EQ(u"12345678", UnsealText(firstBlock + u" 1 2 3", u"Blowfish", KeyModeCommon, codePage));
    }
}

// A card's unsealer gives, line by line and mode by mode, exactly what
// UnsealText gives, odd numbers included; it holds no lock on the user key, so
// UnsealText and a new password still work while it lives.
TEST_F(SealedText, UnsealerAgreesWithUnsealText) {
    std::vector<std::pair<std::u16string, int>> lines;
    for (const int mode : {KeyModeUser, KeyModeCommon, KeyModeOption, KeyModeUser}) {
        lines.emplace_back(
            SealText(u"value " + std::u16string(1, static_cast<char16_t>(u'0' + mode)), u"Blowfish", mode, codePage),
            mode);
    }
    lines.emplace_back(u"300 -1 +7  0070 -0 12x 7 9 1", KeyModeUser);
    lines.emplace_back(u"1 2 3", KeyModeCommon);
    {
        Unsealer unseal(codePage);
        for (const auto& [line, mode] : lines) {
            EXPECT_EQ(UnsealText(line, u"Blowfish", mode, codePage), unseal(line, mode)) << Utf16ToUtf8(line);
        }
        // Many lines under one key at once: long, short, part-block and empty lines.
        std::vector<std::u16string> sealed{u"",
                                           SealText(std::u16string(45, u'x'), u"Blowfish", KeyModeUser, codePage),
                                           lines[4].first,
                                           u"1 2 3",
                                           lines[0].first,
                                           u""};
        // Into texts that held longer and shorter ones, and one more text than lines, left alone.
        std::vector<std::u16string> plain{std::u16string(80, u'o'), u"old", u"", u"\u00e9", u"o", u"spare"};
        std::vector<std::u16string*> into;
        for (auto& text : plain) into.push_back(&text);
        unseal.lines(sealed, 1, into, KeyModeUser);
        for (std::size_t i = 1; i < sealed.size(); ++i) EXPECT_EQ(unseal(sealed[i], KeyModeUser), plain[i - 1]) << i;
        EXPECT_EQ(u"spare", plain.back());
        sealed[2] = SealText(u"caf\u00e9", u"Blowfish", KeyModeUser, codePage);
        unseal.lines(sealed, 2, {&plain[0]}, KeyModeUser);
        EXPECT_EQ(u"caf\u00e9", plain[0]);
        EXPECT_EQ(u"value 0", unseal(lines[0].first, KeyModeUser));
        EXPECT_THROW(unseal(lines[0].first, 3), std::invalid_argument);
        SetCurrentPrimaryPassword("otherpw1");
        ForgetUserKeySchedule();
        EXPECT_NE(u"value 0", UnsealText(lines[0].first, u"Blowfish", KeyModeUser, codePage));
    }
    EXPECT_NE(u"value 0", Unsealer(codePage)(lines[0].first, KeyModeUser));
}

TEST_F(SealedText, PadCharacterEndsTheText) {
    EXPECT_EQ(u"ab", UnsealText(SealText(u"ab\x14"
                                         u"cd",
                                         u"Blowfish", KeyModeCommon, codePage),
                                u"Blowfish", KeyModeCommon, codePage));
}

TEST_F(SealedText, KeysOfTheModesDiffer) {
    const std::u16string protectedMarker = SealText(u"PROTECT", u"Blowfish", KeyModeUser, codePage);
    EXPECT_NE(u"PROTECT", UnsealText(protectedMarker, u"Blowfish", KeyModeCommon, codePage));
    SetCurrentPrimaryPassword("otherpw1");
    EXPECT_NE(u"PROTECT", UnsealText(protectedMarker, u"Blowfish", KeyModeUser, codePage));
}

TEST_F(SealedText, OtherAlgorithmNamesEncryptNothing) {
    EXPECT_EQ(u"0 0 0 0 0 0 0 0", SealText(u"abc", u"blowfish", KeyModeCommon, codePage));
    EXPECT_EQ(u"", UnsealText(SealText(u"abc", u"Blowfish", KeyModeCommon, codePage), u"AES", KeyModeCommon, codePage));
}

TEST_F(SealedText, UnknownKeyModeIsAProgrammingError) {
    EXPECT_THROW(SealText(u"x", u"Blowfish", 3, codePage), std::invalid_argument);
    EXPECT_THROW(UnsealText(u"0 0 0 0 0 0 0 0", u"Blowfish", -1, codePage), std::invalid_argument);
}

TEST(CheckText, IsTheDigestInDecimalCharacterCodes) {
    CodePage1252 codePage;
    EXPECT_EQ(u"57 48 48 49 53 48 57 56 51 67 68 50 52 70 66 48 68 54 57 54 51 70 55 68 50 56 69 49 55 70 55 50",
              MakeCheckText(u"abc", codePage));
    // The narrow form is digested: U+20AC is byte 0x80 in code page 1252.
    EXPECT_EQ(u"56 68 51 57 68 68 55 69 69 70 49 49 53 69 65 54 57 55 53 52 52 54 69 70 52 48 56 50 57 53 49 70",
              MakeCheckText(u"\u20AC", codePage));
    const std::u16string text = MakeCheckText(std::u16string(70000, u'x'), codePage);
    EXPECT_EQ(32, countNumbers(text));
    std::istringstream numbers(Utf16ToUtf8(text));
    int value = 0;
    while (numbers >> value) EXPECT_TRUE((value >= 48 && value <= 57) || (value >= 65 && value <= 70)) << value;
}

TEST(PrimaryPassword, SetClearsTheWholeBufferFirst) {
    SetCurrentPrimaryPassword("longerpassword");
    SetCurrentPrimaryPassword("short");
    EXPECT_STREQ("short", CurrentPrimaryPassword());
    for (std::size_t i = 5; i < kPrimaryPasswordBufferSize; ++i) EXPECT_EQ('\0', CurrentPrimaryPassword()[i]);
    SetCurrentPrimaryPassword(std::string(400, 'p'));
    EXPECT_EQ(kPrimaryPasswordBufferSize - 1, std::string(CurrentPrimaryPassword()).size());
    ClearCurrentPrimaryPassword();
    EXPECT_FALSE(HasCurrentPrimaryPassword());
}

}  // namespace
}  // namespace tarnwick
