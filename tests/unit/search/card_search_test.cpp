// Searching the library: the comparison (case folded, accents as typed), the
// places of a card searched, secrets only on request, protected cards only
// with the password held, and Find Next in the trees' order.
#include "search/card_search.h"

#include <gtest/gtest.h>

#include "cards/identity_record.h"
#include "cards/identity_tags.h"
#include "cards/passcard_record.h"
#include "foundation/primary_password.h"
#include "foundation/windows_path.h"
#include "platform/host/host_file_system.h"
#include "search/library_finder.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_password_gate.h"

namespace tarnwick {
namespace {

using Hits = std::vector<SearchHit>;

TEST(SearchText, FoldsCaseOfCodePageLettersButKeepsAccents) {
    EXPECT_TRUE(SearchText(u"SHOP").foundIn(u"my shop"));
    EXPECT_TRUE(SearchText(u"émile").foundIn(u"ÉMILE"));
    EXPECT_TRUE(SearchText(u"ÄRGER").foundIn(u"ärger"));
    EXPECT_TRUE(SearchText(u"šŽœÿ").foundIn(u"ŠžŒŸ"));
    EXPECT_TRUE(SearchText(u"łódź").foundIn(u"ŁÓDŹ"));
    EXPECT_TRUE(SearchText(u"пароль").foundIn(u"ПАРОЛЬ"));
    EXPECT_TRUE(SearchText(u"ΣΟΦΙΑ").foundIn(u"σοφια"));
    // Accents as typed.
    EXPECT_FALSE(SearchText(u"e").foundIn(u"É"));
    EXPECT_FALSE(SearchText(u"é").foundIn(u"e"));
    EXPECT_FALSE(SearchText(u"a").foundIn(u"ä"));
    // No folding of what is not a letter pair.
    EXPECT_FALSE(SearchText(u"×").foundIn(u"÷"));
    EXPECT_FALSE(SearchText(u"").foundIn(u"anything"));
    EXPECT_FALSE(SearchText(u"longer").foundIn(u"long"));
}

class CardSearchTest : public ::testing::Test {
protected:
    void SetUp() override { ClearCurrentPrimaryPassword(); }
    void TearDown() override { ClearCurrentPrimaryPassword(); }

    std::u16string passcard(std::u16string_view relative, bool isProtected = false) {
        PasscardRecord record(gate, prompts);
        record.matchKey = u"shop.example";
        record.url = u"https://shop.example/Login";
        record.fieldNames = {u"user", u"pin"};
        record.fieldTypes = {u"text", u"password"};
        record.fieldValues = {u"Zoë", u"hidden7"};
        record.protectionMarker = isProtected ? kProtectMarker : kUnprotectMarker;
        const std::u16string path = folder.file(relative);
        EXPECT_EQ(CardWriteResult::Written, record.createCard(path));
        return path;
    }
    std::u16string identity(std::u16string_view relative, bool isProtected = false) {
        IdentityRecord record(gate, prompts);
        record.resetToNewCard(u"Card");
        record.fields[std::u16string(identity_tag::kName)] = u"Doe|Jane";
        record.fields[std::u16string(identity_tag::kCity)] = u"Zürich";
        record.fields[std::u16string(identity_tag::kPasswordAnswer)] = u"rex";
        record.fields[std::u16string(identity_tag::kFavoritePassword)] = u"tiger";
        record.customFields = {{u"Library card", u"L-42"}};
        const std::u16string path = folder.file(relative);
        EXPECT_EQ(CardWriteResult::Written, record.save(path, !isProtected));
        return path;
    }
    Hits find(const std::u16string& card, std::u16string_view text, SearchOptions options = {}) {
        CardSearch search(NativeFileSystem(), folder.path(), options);
        Hits hits;
        search.searchCard(card, SearchText(text), hits);
        return hits;
    }

    testing::TempFolder folder;
    test::TestPasswordGate gate{"pa55word"};
    test::ScriptedPrompts prompts;
};

TEST_F(CardSearchTest, PasscardPlacesAndSecretsOnlyOnRequest) {
    testing::CreateFolder(folder.file(u"Online Shops"));
    const std::u16string card = passcard(u"Online Shops\\Store.vrc");
    EXPECT_EQ((Hits{{MatchPlace::Name, {}}}), find(card, u"STORE"));
    EXPECT_EQ((Hits{{MatchPlace::Folder, {}}}), find(card, u"online"));
    EXPECT_EQ((Hits{{MatchPlace::Url, {}}}), find(card, u"login"));
    EXPECT_EQ((Hits{{MatchPlace::FieldName, u"user"}}), find(card, u"USE"));
    EXPECT_EQ((Hits{{MatchPlace::FieldValue, u"user"}}), find(card, u"ZOË"));
    EXPECT_TRUE(find(card, u"zoe").empty());
    EXPECT_TRUE(find(card, u"hidden").empty());
    const Hits secret = find(card, u"hidden", {.secrets = true});
    EXPECT_EQ((Hits{{MatchPlace::SecretValue, u"pin"}}), secret);
    EXPECT_EQ(u"secret value of field: pin", DescribeHit(secret.front()));
    // The extension and the user folder's own path are no card's text.
    EXPECT_TRUE(find(card, u"vrc").empty());
    EXPECT_TRUE(find(card, LastComponent(folder.path())).empty());
}

TEST_F(CardSearchTest, IdentityValuesCustomFieldsAndSecrets) {
    const std::u16string card = identity(u"Jane.vrt");
    EXPECT_EQ((Hits{{MatchPlace::FieldValue, u"[NAME]"}}), find(card, u"doe"));
    EXPECT_EQ((Hits{{MatchPlace::FieldValue, u"[CITY]"}}), find(card, u"zÜrich"));
    EXPECT_EQ((Hits{{MatchPlace::FieldName, u"Library card"}}), find(card, u"library"));
    EXPECT_EQ((Hits{{MatchPlace::FieldValue, u"Library card"}}), find(card, u"l-4"));
    EXPECT_TRUE(find(card, u"rex").empty());
    EXPECT_TRUE(find(card, u"tiger").empty());
    EXPECT_EQ((Hits{{MatchPlace::SecretValue, u"[PASSWORD ANSWER]"}}), find(card, u"rex", {.secrets = true}));
    EXPECT_EQ((Hits{{MatchPlace::SecretValue, u"[FAVORITE PASSWORD]"}}), find(card, u"tiger", {.secrets = true}));
}

TEST_F(CardSearchTest, ProtectedCardsOnlyWithThePasswordHeldAndAsked) {
    const std::u16string pass = passcard(u"Bank.vrc", true);
    const std::u16string card = identity(u"Private.vrt", true);
    ClearCurrentPrimaryPassword();
    CardSearch without(NativeFileSystem(), folder.path(), {.openProtected = true});
    EXPECT_TRUE(without.searchLibrary(SearchText(u"a")).empty());
    EXPECT_EQ(2u, without.skippedProtected());

    SetCurrentPrimaryPassword("pa55word");
    EXPECT_TRUE(find(pass, u"bank").empty());  // held, but not asked for
    EXPECT_EQ((Hits{{MatchPlace::Url, {}}}), find(pass, u"shop.example", {.openProtected = true}));
    EXPECT_EQ((Hits{{MatchPlace::Name, {}}}), find(card, u"private", {.openProtected = true}));
    EXPECT_EQ(2, gate.asks());  // the two protected writes; the search never asks
}

TEST_F(CardSearchTest, LibraryListsFoldersFirstSkipsOtherFilesAndFinderWraps) {
    testing::CreateFolder(folder.file(u"B"));
    testing::CreateFolder(folder.file(u"B\\Inner"));
    passcard(u"B\\Inner\\Deep.vrc");
    passcard(u"B\\Inner\\Deeper.vrc");
    passcard(u"B\\Mail.vrc");
    passcard(u"Bank.vrc");
    passcard(u"Shop.vrc");
    identity(u"Shop ID.vrt");
    testing::WriteBytes(folder.file(u"notes.txt"), "shop");
    std::vector<std::u16string> listed;
    for (const LibraryEntry& entry : ListLibrary(NativeFileSystem(), folder.path(), {u".vrc"})) {
        listed.push_back(entry.path.substr(folder.path().size() + 1) + (entry.isFolder ? u"\\" : u""));
    }
    EXPECT_EQ((std::vector<std::u16string>{u"B\\", u"B\\Inner\\", u"B\\Inner\\Deep.vrc", u"B\\Inner\\Deeper.vrc",
                                           u"B\\Mail.vrc", u"Bank.vrc", u"Shop.vrc"}),
              listed);

    // Every passcard holds "example": the order of the tree, wrapping at the end.
    LibraryFinder finder(NativeFileSystem(), folder.path(), u".vrc");
    const std::u16string deep = folder.file(u"B\\Inner\\Deep");
    const std::u16string mail = folder.file(u"B\\Mail");
    const std::u16string bank = folder.file(u"Bank");
    const std::u16string shop = folder.file(u"Shop");
    auto next = [&](std::u16string_view from, bool forward, std::u16string_view text = u"example") {
        return finder.next(text, from, forward, {}).value_or(u"none");
    };
    EXPECT_EQ(deep, next(folder.path(), true));
    EXPECT_EQ(bank, next(mail, true));
    EXPECT_EQ(deep, next(shop, true));
    EXPECT_EQ(shop, next(deep, false));
    EXPECT_EQ(bank, next(folder.file(u"B"), true, u"bank"));
    // The selected card itself comes last; nothing found, nothing selected.
    EXPECT_EQ(bank, next(bank, true, u"bank"));
    EXPECT_EQ(u"none", next(shop, true, u"Shop ID"));
    EXPECT_EQ(u"none", next(shop, true, u""));
}

}  // namespace
}  // namespace tarnwick
