// The card lists kept between notices: after any sequence of changes the
// published blocks are byte for byte those of a fresh build, and a rebuild
// reads only the cards that are new or changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "foundation/toolbar_contract.h"
#include "platform/code_page.h"
#include "support/card_files.h"
#include "support/faulty_file_system.h"
#include "support/memory_file_system.h"
#include "support/tray_fakes.h"
#include "tray/card_list_publisher.h"
#include "tray/card_lists.h"
#include "tray/list_image.h"

namespace tarnwick {
namespace {

using Texts = std::vector<std::u16string>;
const std::u16string kUser = u"C:\\Data\\Alice";

void WriteCard(FileSystem& files, const std::u16string& path, const Texts& lines) {
    WriteTextLines(path, lines, kEncodingUtf16LittleEndian, files, NativeCodePage());
}

Texts IdentityLines(std::u16string_view name) {
    return testing::WithCheckLine(
        {SealText(name, kAlgorithmBlowfish, KeyModeCommon), SealText(u"UNPROTECT", kAlgorithmBlowfish, KeyModeCommon)});
}

// A library in memory that changes at random, as the editors and other
// programs change it: cards added, rewritten (often at the same size), renamed,
// moved, copied and deleted, folders added and moved.
class RandomLibrary {
public:
    explicit RandomLibrary(unsigned seed) : random_(seed) { files.addFolder(kUser); }

    void change() {
        const Texts cards = below(false);
        const Texts folders = below(true);
        const std::u16string& folder = folders[pick(folders.size())];
        const std::u16string card = cards.empty() ? std::u16string() : cards[pick(cards.size())];
        switch (pick(cards.empty() ? 3 : 10)) {
            case 0:
            case 1:
                write(folder + u"\\" + cardName());
                break;
            case 2:
                files.createFolder(folder + u"\\" + folderName());
                break;
            case 3:
            case 4:
                write(card);  // an edit
                break;
            case 5:
                files.moveEntry(card, card.substr(0, card.rfind(u'\\') + 1) + cardName());  // a rename
                break;
            case 6:
                files.moveEntry(card, folder + card.substr(card.rfind(u'\\')));
                break;
            case 7:
                files.deleteFile(card);
                break;
            case 8:
                files.copyFile(card, folder + u"\\" + cardName(), false);  // keeps the write time
                break;
            default:
                if (folders.size() > 1) {
                    const std::u16string& moved = folders[1 + pick(folders.size() - 1)];
                    files.moveEntry(moved, folder + u"\\" + folderName());
                }
                break;
        }
    }

    testing::MemoryFileSystem files;

private:
    std::size_t pick(std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_); }

    // Names from a small set, so that adds and moves meet existing names.
    std::u16string folderName() {
        static const Texts kNames = {u"a", u"B", u"b", u"Shop", u"z9", u"\u00e9t\u00e9"};
        return kNames[pick(kNames.size())];
    }
    std::u16string cardName() {
        static const Texts kExtensions = {u".vrc", u".vrc", u".vrt", u".vrt", u".VRC", u"vrc", u".txt"};
        return folderName() + kExtensions[pick(kExtensions.size())];
    }

    void write(const std::u16string& path) {
        // Keys of one length: an edit often keeps the file's size.
        std::u16string key = u"key " + std::u16string(1, static_cast<char16_t>(u'0' + pick(10)));
        if (pick(4) == 0) key += u" and more";
        Texts lines = pick(2) ? testing::PasscardLines(key) : IdentityLines(key);
        if (pick(6) == 0) lines.back()[0] ^= 1;  // fails the check
        try {
            WriteCard(files, path, lines);
        } catch (const CTextFileException&) {
            // A folder of that name: nothing written.
        }
    }

    Texts below(bool wantFolders) {
        Texts found;
        if (wantFolders) found.push_back(kUser);
        const std::function<void(const std::u16string&)> visit = [&](const std::u16string& folder) {
            std::vector<FolderEntry> entries;
            files.listFolder(folder, entries);
            for (const FolderEntry& entry : entries) {
                const std::u16string path = folder + u"\\" + entry.name;
                if (entry.isFolder == wantFolders) found.push_back(path);
                if (entry.isFolder) visit(path);
            }
        };
        visit(kUser);
        return found;
    }

    std::mt19937 random_;
};

// Whether the published bytes of [offset, offset + size) equal a fresh build's.
::testing::AssertionResult SameBytes(const std::vector<unsigned char>& published, const ListImage& fresh,
                                     std::size_t offset, std::size_t size) {
    if (std::equal(published.begin() + offset, published.begin() + offset + size, fresh.data() + offset)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "the block at " << offset << " differs from a fresh build";
}

TEST(KeptCardListsTest, PublishExactlyWhatAFreshBuildPublishesAfterRandomChanges) {
    constexpr std::size_t kBlock = file_mapping::kBlockBytes;
    bool sawBothKinds = false;
    for (const unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        RandomLibrary library(seed);
        std::mt19937 notices(seed);
        CardListBuilder kept(library.files, NativeCodePage());
        testing::MemorySections sections;
        CardListPublisher publisher(kept, sections);
        publisher.PublishCardLists(kUser);
        for (int step = 0; step < 100; ++step) {
            for (int n = 1 + static_cast<int>(notices() % 3); n > 0; --n) library.change();
            const unsigned notice = notices() % 5;  // mostly one side, as codes 10 and 20
            if (notice < 2) publisher.RefreshPasscards(kUser);
            else if (notice < 4) publisher.RefreshIdentities(kUser);
            else publisher.PublishCardLists(kUser);

            CardListBuilder freshBuilder(library.files, NativeCodePage());
            testing::MemorySections freshSections;
            CardListPublisher fresh(freshBuilder, freshSections);
            fresh.PublishCardLists(kUser);
            const std::vector<unsigned char> published = *sections.contents(file_mapping::kName);
            const auto freshPasscards = ReadBlock(fresh.image().data(), file_mapping::kPasscardsOffset);
            const auto freshIdentities = ReadBlock(fresh.image().data(), file_mapping::kIdentitiesOffset);
            sawBothKinds = sawBothKinds || (!freshPasscards.empty() && !freshIdentities.empty());
            if (notice != 2 && notice != 3) {
                ASSERT_EQ(ReadBlock(published.data(), file_mapping::kPasscardsOffset), freshPasscards);
                ASSERT_TRUE(SameBytes(published, fresh.image(), file_mapping::kPasscardsOffset, kBlock));
                ASSERT_TRUE(SameBytes(published, fresh.image(), file_mapping::kMatchKeysOffset, kBlock));
            }
            if (notice >= 2) {
                ASSERT_EQ(ReadBlock(published.data(), file_mapping::kIdentitiesOffset), freshIdentities);
                ASSERT_TRUE(SameBytes(published, fresh.image(), file_mapping::kIdentitiesOffset, kBlock));
            }
        }
    }
    EXPECT_TRUE(sawBothKinds);
}

TEST(KeptCardListsTest, ARebuildReadsOnlyNewAndChangedCards) {
    testing::MemoryFileSystem files;
    files.addFolder(kUser + u"\\Shop");
    for (const char16_t* name : {u"\\a.vrc", u"\\b.vrc", u"\\Shop\\c.vrc"}) {
        WriteCard(files, kUser + name, testing::PasscardLines(u"key 1"));
    }
    WriteCard(files, kUser + u"\\Me.vrt", IdentityLines(u"Me"));
    CardListBuilder builder(files, NativeCodePage());
    EXPECT_EQ(builder.buildAll(kUser).passcards.size(), 3u);
    EXPECT_EQ(builder.cardsRead(), 4u);
    builder.buildAll(kUser);
    EXPECT_EQ(builder.cardsRead(), 4u);

    // Another program rewrites a card; a card moves.
    WriteCard(files, kUser + u"\\b.vrc", testing::PasscardLines(u"key 2"));
    files.moveEntry(kUser + u"\\a.vrc", kUser + u"\\Shop\\a.vrc");
    const CardLists lists = builder.buildAll(kUser);
    EXPECT_EQ(builder.cardsRead(), 6u);
    EXPECT_EQ(lists.passcards, (Texts{u"\\b", u"\\Shop\\a", u"\\Shop\\c"}));
    EXPECT_EQ(lists.matchKeys, (Texts{u"key 2", u"key 1", u"key 1"}));
    EXPECT_EQ(lists.identities, (Texts{u"\\Me"}));
}

// Walks of one kind keep the other kind's cards, new cards among kept ones
// are found in any order, and cards gone with their folder are forgotten.
TEST(KeptCardListsTest, WalksOfOneKindKeepTheOtherKind) {
    testing::MemoryFileSystem files;
    files.addFolder(kUser + u"\\Shop");
    WriteCard(files, kUser + u"\\Shop\\m.vrc", testing::PasscardLines(u"key m"));
    WriteCard(files, kUser + u"\\Shop\\Me.vrt", IdentityLines(u"Me"));
    WriteCard(files, kUser + u"\\b.vrc", testing::PasscardLines(u"key b"));
    CardListBuilder builder(files, NativeCodePage());
    Texts passcards, keys;
    builder.buildAll(kUser);
    builder.buildPasscards(kUser, passcards, keys);
    EXPECT_EQ(builder.buildIdentities(kUser), (Texts{u"\\Shop\\Me"}));
    EXPECT_EQ(builder.cardsRead(), 3u);

    // New cards before, between and after the kept ones.
    for (const char16_t* name : {u"\\Shop\\a.vrc", u"\\Shop\\n.vrc", u"\\Shop\\z.vrc"}) {
        WriteCard(files, kUser + name, testing::PasscardLines(name));
    }
    builder.buildPasscards(kUser, passcards, keys);
    EXPECT_EQ(passcards, (Texts{u"\\b", u"\\Shop\\a", u"\\Shop\\m", u"\\Shop\\n", u"\\Shop\\z"}));
    EXPECT_EQ(keys[2], u"key m");
    EXPECT_EQ(builder.buildIdentities(kUser), (Texts{u"\\Shop\\Me"}));
    builder.buildAll(kUser);
    EXPECT_EQ(builder.cardsRead(), 6u);

    // The folder moves away and back: its passcards, forgotten by the walk
    // that missed them, are read again; its identity card, not walked then,
    // is still known.
    files.moveEntry(kUser + u"\\Shop", kUser + u"\\Away");
    builder.buildPasscards(kUser, passcards, keys);
    EXPECT_EQ(passcards.size(), 5u);
    EXPECT_EQ(builder.cardsRead(), 10u);
    files.moveEntry(kUser + u"\\Away", kUser + u"\\Shop");
    EXPECT_EQ(builder.buildIdentities(kUser), (Texts{u"\\Shop\\Me"}));
    EXPECT_EQ(builder.cardsRead(), 10u);
    builder.buildPasscards(kUser, passcards, keys);
    EXPECT_EQ(builder.cardsRead(), 14u);
    EXPECT_EQ(keys, (Texts{u"key b", u"\\Shop\\a.vrc", u"key m", u"\\Shop\\n.vrc", u"\\Shop\\z.vrc"}));
}

TEST(KeptCardListsTest, ACardThatCouldNotBeOpenedIsReadAgainUnchanged) {
    testing::MemoryFileSystem memory;
    testing::FaultyFileSystem files(memory);
    memory.addFolder(kUser);
    WriteCard(memory, kUser + u"\\a.vrc", testing::PasscardLines(u"key a"));
    CardListBuilder builder(files, NativeCodePage());
    files.failOpenForReadingWith = kErrorSharingViolation;
    EXPECT_TRUE(builder.buildAll(kUser).passcards.empty());
    files.failOpenForReadingWith = kErrorSuccess;
    EXPECT_EQ(builder.buildAll(kUser).matchKeys, (Texts{u"key a"}));
}

}  // namespace
}  // namespace tarnwick
