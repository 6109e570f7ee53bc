#include "cards/card_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/sealed_text.h"

namespace tarnwick {
namespace {

std::u16string joined(const std::vector<std::u16string>& lines, std::size_t count) {
    std::u16string text;
    for (std::size_t i = 0; i < count && i < lines.size(); ++i) text += lines[i];
    return text;
}

// The check line is the check text of the lines joined, whether the digest
// takes them one by one (ASCII lines) or joined (any other character).
TEST(CardCheckLine, IsTheCheckTextOfTheJoinedLines) {
    std::vector<std::u16string> ascii;
    for (int i = 0; i < 70; ++i)
        ascii.push_back(SealText(std::u16string(static_cast<std::size_t>(i), u'x'), kAlgorithmBlowfish, KeyModeCommon));
    ascii.push_back(std::u16string(700, u'7'));  // longer than the digest's pieces
    ascii.emplace_back();
    for (const std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{5}, ascii.size(), ascii.size() + 3}) {
        EXPECT_EQ(MakeCheckText(joined(ascii, count)), CardCheckLine(ascii, count)) << count;
    }
    std::vector<std::u16string> wide = ascii;
    wide[3] = u"caf\u00e9 \u20ac";
    EXPECT_EQ(MakeCheckText(joined(wide, wide.size())), CardCheckLine(wide, wide.size()));
    EXPECT_NE(CardCheckLine(ascii, ascii.size()), CardCheckLine(wide, wide.size()));
    // Found only after thousands of ASCII units were digested already.
    wide = ascii;
    wide[ascii.size() - 2] += u"\u00e9";
    EXPECT_EQ(MakeCheckText(joined(wide, wide.size())), CardCheckLine(wide, wide.size()));
    // A character whose low byte is ASCII is not ASCII.
    wide = ascii;
    wide[ascii.size() - 2] += u"\u0141";
    EXPECT_EQ(MakeCheckText(joined(wide, wide.size())), CardCheckLine(wide, wide.size()));

    std::vector<std::u16string> card = ascii;
    card.push_back(CardCheckLine(card, card.size()));
    EXPECT_TRUE(CardCheckLineMatches(card));
    card[10].back() = card[10].back() == u'1' ? u'2' : u'1';
    EXPECT_FALSE(CardCheckLineMatches(card));
}

}  // namespace
}  // namespace tarnwick
