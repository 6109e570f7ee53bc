// Export and import through a user's folder: the round trip gives back every
// card file byte for byte, a second import adds nothing, and the import's
// rules for names taken, names refused, text the code page cannot hold and
// protected cards without the password.
#include <gtest/gtest.h>

#include "cards/identity_record.h"
#include "cards/passcard_record.h"
#include "foundation/primary_password.h"
#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "support/card_files.h"
#include "support/faulty_file_system.h"
#include "support/temp_folder.h"
#include "support/test_password_gate.h"
#include "transfer/card_import.h"
#include "transfer/export_file.h"
#include "transfer/file_bytes.h"
#include "transfer/quiet_prompts.h"

namespace tarnwick {
namespace {

using namespace transfer;
using test::TestPasswordGate;
using testing::ReadBytes;
using testing::TempFolder;

class CardTransferTest : public ::testing::Test {
protected:
    void SetUp() override { ClearCurrentPrimaryPassword(); }
    void TearDown() override { ClearCurrentPrimaryPassword(); }

    std::u16string makeUser(const std::u16string& name) {
        const std::u16string path = root.file(name);
        testing::MakeUserFolder(path, {u"[CHECKKEY]", MakeCheckText(u"alice123")});
        return path;
    }

    void passcard(const std::u16string& path, std::vector<TransferField> fields, bool isProtected, bool isDefault,
                  std::u16string url = u"https://shop.example/a?b=<c>&d=\"e\"") {
        PasscardRecord record(gate, prompts);
        record.matchKey = u"[NAME]";
        record.url = std::move(url);
        for (TransferField& field : fields) {
            record.fieldNames.push_back(field.name);
            record.fieldTypes.push_back(field.type);
            record.fieldValues.push_back(field.value);
        }
        record.defaultMarker = isDefault ? kDefaultMarker : kUndefaultMarker;
        record.protectionMarker = isProtected ? kProtectMarker : kUnprotectMarker;
        ASSERT_EQ(CardWriteResult::Written, record.createCard(path));
    }

    UserCards exportOf(const std::u16string& user, bool withPassword) {
        return ReadUserCards(user, NativeFileSystem(), gate, withPassword);
    }

    ImportReport importInto(const std::u16string& user, const std::vector<TransferCard>& cards, bool withPassword) {
        CardImporter importer(user, NativeFileSystem(), gate, withPassword);
        return importer.run(cards);
    }

    TempFolder root;
    TestPasswordGate gate{"alice123"};
    QuietPrompts prompts;
};

TEST_F(CardTransferTest, RoundTripGivesBackEveryCardFileByteForByte) {
    const std::u16string source = makeUser(u"ann");
    testing::CreateFolder(source + u"\\Work");
    testing::CreateFolder(source + u"\\Work\\Mail & more [x]");
    std::vector<TransferField> many;
    for (int i = 0; i < 1000; ++i) {
        many.push_back({u"f" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)), i % 2 ? u"password" : u"text",
                        i % 3 ? u"[CUSTOM]" : u"<b>\"x\"</b>\r\n&amp;"});
    }
    passcard(source + u"\\Many.vrc", many, false, true);
    passcard(source + u"\\Work\\Hostile.vrc",
             {{u"", u"text", u"[NAME]"}, {u"[CUSTOM]", u"password", u""}, {u"UNPROTECT", u"text", u"DEFAULT"}}, true,
             false, u"");
    IdentityRecord identity(gate, prompts);
    identity.resetToNewCard(u"Me");
    identity.fields[u"[ADDRESS]"] = u"[NAME]";
    identity.fields[u"[CITY]"] = u"Genève\r\n<b>&lt;</b>";
    identity.customFields = {{u"[NAME]", u"[CUSTOM]"}, {u"", u"PROTECT"}, {u"", u""}};
    ASSERT_EQ(CardWriteResult::Written, identity.save(source + u"\\Work\\Mail & more [x]\\Me.vrt", true));
    ASSERT_EQ(CardWriteResult::Written, identity.save(source + u"\\Locked.vrt", false));

    // Without the password the protected cards are named and left out.
    const UserCards partial = exportOf(source, false);
    EXPECT_EQ(2u, partial.cards.size());
    ASSERT_EQ(2u, partial.leftOut.size());
    EXPECT_EQ(u"Locked", partial.leftOut[0].name);
    EXPECT_EQ("protected", partial.leftOut[0].reason);

    const std::string json = ExportJson(exportOf(source, true));
    const ParsedCards parsed = ReadExportJson(ParseJson(json));
    ASSERT_TRUE(parsed.skipped.empty());
    ASSERT_EQ(4u, parsed.cards.size());

    const std::u16string target = makeUser(u"bob");
    const ImportReport first = importInto(target, parsed.cards, true);
    EXPECT_EQ(4u, first.made.size());
    EXPECT_TRUE(first.renamed.empty() && first.skipped.empty());
    for (const std::u16string card :
         {u"\\Many.vrc", u"\\Locked.vrt", u"\\Work\\Hostile.vrc", u"\\Work\\Mail & more [x]\\Me.vrt"}) {
        EXPECT_EQ(ReadBytes(source + card), ReadBytes(target + card)) << testing::ListFolder(target);
    }

    const ImportReport second = importInto(target, parsed.cards, true);
    EXPECT_TRUE(second.made.empty());
    EXPECT_EQ(4u, second.present.size());
    EXPECT_EQ(testing::ListFolder(source), testing::ListFolder(target));
}

TEST_F(CardTransferTest, TakenAndRefusedNamesAreMappedAndReported) {
    const std::u16string user = makeUser(u"ann");
    passcard(user + u"\\Shop.vrc", {{u"user", u"text", u"old"}}, false, false);
    TransferCard shop;
    shop.name = u"Shop";
    shop.fields = {{u"user", u"text", u"new"}};
    TransferCard refused = shop;
    refused.name = u"  a:b*c. ";
    refused.folder = {u"CON", u"x?y"};
    TransferCard device = shop;
    device.name = u"lpt1";

    const ImportReport report = importInto(user, {shop, shop, refused, device}, false);
    EXPECT_EQ((std::vector<std::string>{"Shop (2)", "_CON/x_y/a_b_c", "_lpt1"}), report.made);
    EXPECT_EQ((std::vector<std::string>{"Shop (2)"}), report.present);
    EXPECT_EQ(
        (std::vector<std::string>{"Shop -> Shop (2) (name taken)", "folder CON -> _CON (name rule)",
                                  "folder _CON/x?y -> _CON/x_y (name rule)",
                                  "CON/x?y/  a:b*c.  -> _CON/x_y/a_b_c (name rule)", "lpt1 -> _lpt1 (name rule)"}),
        report.renamed);
    EXPECT_EQ(std::u16string(255 - 4 - 7, u'x'), AcceptableName(std::u16string(300, u'x') + u":", u".vrc"));
}

TEST_F(CardTransferTest, UnholdableTextAndMissingPasswordStopOnlyTheirCard) {
    const std::u16string user = makeUser(u"ann");
    TransferCard foreign;
    foreign.name = u"日本";  // a name is a file name: any text
    foreign.fields = {{u"user", u"text", u"ok"}, {u"note", u"text", u"Genève 太郎"}};
    TransferCard locked;
    locked.identity = true;
    locked.name = u"Locked";
    locked.isProtected = true;
    TransferCard fine = foreign;
    fine.fields.pop_back();

    const ImportReport report = importInto(user, {foreign, locked, fine}, false);
    ASSERT_EQ(2u, report.skipped.size());
    EXPECT_NE(std::string::npos, report.skipped[0].find("\"note\" holds characters"));
    EXPECT_NE(std::string::npos, report.skipped[0].find("太 郎"));
    EXPECT_EQ("Locked: protected: it needs the primary password", report.skipped[1]);
    EXPECT_EQ((std::vector<std::string>{"日本"}), report.made);
    EXPECT_EQ("option.vro 日本.vrc", testing::ListFolder(user));
}

TEST_F(CardTransferTest, FailedWritesLeaveNeitherCardNorTemporaryFile) {
    const std::u16string user = makeUser(u"ann");
    testing::FaultyFileSystem faulty(NativeFileSystem());
    faulty.failReplaceWith = kErrorAccessDenied;
    TransferCard card;
    card.folder = {u"Work"};
    card.name = u"Shop";
    CardImporter importer(user, faulty, gate, false);
    const ImportReport report = importer.run({card});
    ASSERT_EQ(1u, report.skipped.size());
    EXPECT_TRUE(report.made.empty());
    EXPECT_EQ("", testing::ListFolder(user + u"\\Work"));

    testing::WriteBytes(root.file(u"out.json"), "old");
    EXPECT_THROW(WriteFileBytes(root.file(u"out.json"), "new", faulty), CTextFileException);
    EXPECT_EQ("old", ReadBytes(root.file(u"out.json")));
    EXPECT_EQ("ann out.json", testing::ListFolder(root.path()));
}

}  // namespace
}  // namespace tarnwick
