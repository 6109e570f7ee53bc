// The copied secret's delay option and the decision to empty the clipboard.
#include "editor_common/clipboard_claim.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(ClipboardSecondsFrom, DigitsAreTheDelayAndZeroIsNever) {
    EXPECT_EQ(ClipboardSecondsFrom(u"2"), 2);
    EXPECT_EQ(ClipboardSecondsFrom(u" 30\r\n"), 30);
    EXPECT_EQ(ClipboardSecondsFrom(u"0"), 0);
    EXPECT_EQ(ClipboardSecondsFrom(u"007"), 7);
    EXPECT_EQ(ClipboardSecondsFrom(u"3600"), 3600);
}

TEST(ClipboardSecondsFrom, AnythingElseKeepsTheClearingOn) {
    for (std::u16string_view value : {u"", u"  ", u"-5", u"+5", u"12s", u"1 2", u"abc", u"\uff11"}) {
        EXPECT_EQ(ClipboardSecondsFrom(value), kDefaultClipboardSeconds);
    }
    EXPECT_EQ(ClipboardSecondsFrom(u"3601"), kLongestClipboardSeconds);
    EXPECT_EQ(ClipboardSecondsFrom(u"99999999999999999999999"), kLongestClipboardSeconds);
}

TEST(ClipboardClaim, EmptiesOnlyWhileTheNumberIsOursAndOnlyOnce) {
    ClipboardClaim claim;
    EXPECT_FALSE(claim.release(7));  // nothing put yet

    claim.claim(7);
    EXPECT_TRUE(claim.pending());
    EXPECT_TRUE(claim.release(7));
    EXPECT_FALSE(claim.pending());
    EXPECT_FALSE(claim.release(7));  // the timer and the exit do not both empty

    claim.claim(9);
    EXPECT_FALSE(claim.release(10));  // copied since: theirs
    EXPECT_FALSE(claim.release(9));

    claim.claim(11);
    claim.claim(0);  // an unreadable number forgets the older claim too
    EXPECT_FALSE(claim.release(0));
}

}  // namespace
}  // namespace tarnwick
