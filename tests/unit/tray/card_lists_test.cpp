// The card lists on real folders: which files are listed, in which order,
// with which match keys, and how they land in the section's image.
#include "tray/card_lists.h"

#include <gtest/gtest.h>

#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "foundation/toolbar_contract.h"
#include "platform/host/host_file_system.h"
#include "support/card_files.h"
#include "support/temp_folder.h"
#include "support/tray_fakes.h"
#include "tray/card_list_publisher.h"
#include "tray/list_image.h"

namespace tarnwick {
namespace {

using Texts = std::vector<std::u16string>;
using testing::WriteIdentityCard;
using testing::WritePasscard;

class CardListsTest : public ::testing::Test {
protected:
    CardListsTest() { testing::MakeUserFolder(user); }
    std::u16string at(std::u16string_view relative) { return user + std::u16string(relative); }

    testing::TempFolder folder;
    std::u16string user = folder.file(u"Alice");
    HostFileSystem files;
    CardListBuilder builder{files, NativeCodePage()};
};

TEST_F(CardListsTest, PasscardsInWalkOrderWithTheirMatchKeys) {
    testing::CreateFolder(at(u"\\Shop\\Deep"));
    WritePasscard(at(u"\\b.vrc"), u"key b");
    WritePasscard(at(u"\\Shop\\Store.vrc"), u"https://store.example/");
    WritePasscard(at(u"\\Shop\\Deep\\x.vrc"), u"key x");
    WritePasscard(at(u"\\a.vrc"), u"key a");
    WriteIdentityCard(at(u"\\Shop\\Me.vrt"));

    const CardLists lists = builder.buildAll(user);
    // A subfolder is walked completely when it is met.
    EXPECT_EQ(lists.passcards, (Texts{u"\\a", u"\\b", u"\\Shop\\Deep\\x", u"\\Shop\\Store"}));
    EXPECT_EQ(lists.matchKeys, (Texts{u"key a", u"key b", u"key x", u"https://store.example/"}));
    EXPECT_EQ(lists.identities, (Texts{u"\\Shop\\Me"}));
}

TEST_F(CardListsTest, DamagedAndMisnamedFilesAreLeftOut) {
    WritePasscard(at(u"\\good.vrc"), u"good");
    // An empty line inside, with a check line that matches.
    auto lines = testing::PasscardLines(u"empty");
    lines.pop_back();
    lines.insert(lines.begin() + 2, u"");
    WriteTextLines(at(u"\\empty.vrc"), testing::WithCheckLine(lines));
    // A last line that is not the check text of the others.
    auto edited = testing::PasscardLines(u"edited");
    edited[1] = SealText(u"http://evil.example/", kAlgorithmBlowfish, KeyModeCommon);
    WriteTextLines(at(u"\\edited.vrc"), edited);
    // A line break after the check line gives a last empty line.
    WriteTextLines(at(u"\\trailing.vrc"), [&] {
        auto withBreak = testing::PasscardLines(u"trailing");
        withBreak.push_back(u"");
        return withBreak;
    }());
    WritePasscard(at(u"\\Card.VRC"), u"upper case");
    WritePasscard(at(u"\\Storevrc"), u"no dot");
    testing::WriteBytes(at(u"\\zero.vrc"), "");
    WriteIdentityCard(at(u"\\Card.VRT"));

    const CardLists lists = builder.buildAll(user);
    EXPECT_EQ(lists.passcards, (Texts{u"\\good"}));
    EXPECT_EQ(lists.matchKeys, (Texts{u"good"}));
    EXPECT_TRUE(lists.identities.empty());
}

TEST_F(CardListsTest, IdentitiesInOrdinalOrder) {
    testing::CreateFolder(at(u"\\a"));
    WriteIdentityCard(at(u"\\b.vrt"));
    WriteIdentityCard(at(u"\\A.vrt"));
    WriteIdentityCard(at(u"\\a\\Z.vrt"));
    WriteIdentityCard(at(u"\\B.vrt"));
    EXPECT_EQ(builder.buildIdentities(user), (Texts{u"\\A", u"\\B", u"\\a\\Z", u"\\b"}));
}

TEST_F(CardListsTest, NoUserListsNothingAndATrailingBackslashIsTakenOnce) {
    WritePasscard(at(u"\\a.vrc"), u"a");
    EXPECT_TRUE(builder.buildAll(u"").passcards.empty());
    EXPECT_EQ(builder.buildAll(user + u"\\").passcards, (Texts{u"\\a"}));
}

TEST_F(CardListsTest, AtMostAThousandCardsOfAKind) {
    for (int i = 0; i < 1001; ++i) {
        const std::string digits = std::to_string(10000 + i);
        WriteIdentityCard(at(u"\\" + std::u16string(digits.begin(), digits.end()) + u".vrt"));
    }
    const Texts identities = builder.buildIdentities(user);
    ASSERT_EQ(identities.size(), 1000u);
    EXPECT_EQ(identities.back(), u"\\10999");
}

TEST(ListImageTest, SlotsAreZeroPaddedLittleEndianAndTheFirstEmptySlotEndsAList) {
    ListImage image;
    image.setBlock(file_mapping::kIdentitiesOffset, {u"\\A", u"\\\u00e9"});
    const unsigned char* bytes = image.data() + file_mapping::kIdentitiesOffset;
    EXPECT_EQ(image.size(), 1'560'000u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes), 6), std::string("\\\0A\0\0\0", 6));
    EXPECT_EQ(bytes[520], '\\');
    EXPECT_EQ(bytes[522], 0xE9);
    EXPECT_EQ(ReadBlock(image.data(), file_mapping::kIdentitiesOffset), (Texts{u"\\A", u"\\\u00e9"}));
    // A text too long for a slot keeps its last byte pair zero.
    image.setBlock(0, {std::u16string(300, u'x')});
    EXPECT_EQ(ReadSlotText(image.data(), 520).size(), 259u);
    EXPECT_EQ(image.data()[518], 0);
    image.setBlock(0, {});
    EXPECT_TRUE(ReadBlock(image.data(), 0).empty());
}

// A passcard whose match key is empty has an empty slot in the match-key
// block: the keys are read by the passcard count, not up to the first empty slot.
TEST(ListImageTest, MatchKeysAreReadByThePasscardCount) {
    ListImage image;
    image.setBlock(file_mapping::kPasscardsOffset, {u"\\a", u"\\b", u"\\c"});
    image.setBlock(file_mapping::kMatchKeysOffset, {u"key a", u"", u"key c"});
    EXPECT_EQ(ReadMatchKeys(image.data()), (Texts{u"key a", u"", u"key c"}));
    image.setBlock(file_mapping::kPasscardsOffset, {u"\\a"});
    EXPECT_EQ(ReadMatchKeys(image.data()), (Texts{u"key a"}));
    image.setBlock(file_mapping::kPasscardsOffset, {});
    EXPECT_TRUE(ReadMatchKeys(image.data()).empty());
}

class PublisherTest : public CardListsTest {
protected:
    Texts published(std::size_t offset) {
        const auto bytes = sections.contents(file_mapping::kName);
        if (!bytes) return Texts{u"<no section>"};
        return offset == file_mapping::kMatchKeysOffset ? ReadMatchKeys(bytes->data())
                                                        : ReadBlock(bytes->data(), offset);
    }
    testing::MemorySections sections;
    CardListPublisher publisher{builder, sections};
};

TEST_F(PublisherTest, PublishesAllBlocksAndRefreshesOneSide) {
    testing::CreateFolder(at(u"\\Shop"));
    WritePasscard(at(u"\\Shop\\Store.vrc"), u"store key");
    WriteIdentityCard(at(u"\\Me.vrt"));
    publisher.PublishCardLists(user);
    EXPECT_EQ(published(file_mapping::kPasscardsOffset), (Texts{u"\\Shop\\Store"}));
    EXPECT_EQ(published(file_mapping::kMatchKeysOffset), (Texts{u"store key"}));
    EXPECT_EQ(published(file_mapping::kIdentitiesOffset), (Texts{u"\\Me"}));

    WritePasscard(at(u"\\New.vrc"), u"new key");
    WriteIdentityCard(at(u"\\You.vrt"));
    publisher.RefreshPasscards(user);
    EXPECT_EQ(published(file_mapping::kPasscardsOffset), (Texts{u"\\New", u"\\Shop\\Store"}));
    EXPECT_EQ(published(file_mapping::kMatchKeysOffset), (Texts{u"new key", u"store key"}));
    EXPECT_EQ(published(file_mapping::kIdentitiesOffset), (Texts{u"\\Me"}));  // not yet
    publisher.RefreshIdentities(user);
    EXPECT_EQ(published(file_mapping::kIdentitiesOffset), (Texts{u"\\Me", u"\\You"}));
    EXPECT_EQ(sections.creations(), 1);
}

TEST_F(PublisherTest, APasscardWithAnEmptyMatchKeyKeepsTheKeysAfterItInStep) {
    WritePasscard(at(u"\\A.vrc"), u"key a");
    WritePasscard(at(u"\\B.vrc"), u"");
    WritePasscard(at(u"\\C.vrc"), u"key c");
    publisher.PublishCardLists(user);
    EXPECT_EQ(published(file_mapping::kPasscardsOffset), (Texts{u"\\A", u"\\B", u"\\C"}));
    EXPECT_EQ(published(file_mapping::kMatchKeysOffset), (Texts{u"key a", u"", u"key c"}));
}

TEST_F(PublisherTest, ASectionMadeByAnotherProcessIsNeverWritten) {
    sections.makeExisting(file_mapping::kName);
    WriteIdentityCard(at(u"\\Me.vrt"));
    publisher.PublishCardLists(user);
    publisher.RefreshIdentities(user);
    EXPECT_FALSE(publisher.holdsSection());
    EXPECT_EQ(sections.writes(), 0);
    // The image is still built.
    EXPECT_EQ(ReadBlock(publisher.image().data(), file_mapping::kIdentitiesOffset), (Texts{u"\\Me"}));
}

}  // namespace
}  // namespace tarnwick
