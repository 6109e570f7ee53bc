// Identity cards: the file a new card gets, line by line; loads of protected,
// foreign, damaged and re-encoded cards; the tag search; failed saves.
#include "cards/identity_record.h"

#include <gtest/gtest.h>

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/primary_password.h"
#include "foundation/sealable_text.h"
#include "foundation/text_file.h"
#include "cards/identity_tags.h"
#include "platform/host/host_file_system.h"
#include "support/faulty_file_system.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_password_gate.h"
#include "unit/cards/card_bytes.h"

namespace tarnwick {
namespace {

using test::FileLines;
using test::ScriptedPrompts;
using test::TestPasswordGate;
using test::Unseal;
using testing::ReadBytes;
using testing::TempFolder;
using Lines = std::vector<std::u16string>;

class IdentityRecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearCurrentPrimaryPassword();
        prompts.setActiveWindow(0x4711);
    }
    void TearDown() override { ClearCurrentPrimaryPassword(); }

    IdentityRecord newRecord(FileSystem& files = NativeFileSystem()) {
        return IdentityRecord(gate, prompts, files, IdentityMessages());
    }

    TempFolder folder;
    TestPasswordGate gate{"alice123"};
    ScriptedPrompts prompts;
    const std::u16string card = folder.file(u"Home.vrt");
};

TEST_F(IdentityRecordTest, NewCardFileLineByLine) {
    IdentityRecord record = newRecord();
    ASSERT_EQ(CardWriteResult::Written, record.createNewCard(card, u"Home", true));

    const std::string bytes = ReadBytes(card);
    EXPECT_EQ("\xFF\xFE", bytes.substr(0, 2));
    EXPECT_NE('\n', bytes[bytes.size() - 2]);  // no line break after the check line
    const Lines lines = FileLines(card);
    ASSERT_EQ(65u, lines.size());
    const Lines order = {u"[ADDRESS]",
                         u"[AGE]",
                         u"[BIRTH DATA]",
                         u"[CITY]",
                         u"[COMPANY NAME]",
                         u"[COMPANY PHONE]",
                         u"[COUNTRY]",
                         u"[EMAIL]",
                         u"[FAVORITE PASSWORD]",
                         u"[FAVORITE USER ID]",
                         u"[FAX]",
                         u"[HOME TEL]",
                         u"[ID CARD NUMBER]",
                         u"[ID CARD TYPE]",
                         u"[INCOME]",
                         u"[JOB TITLE]",
                         u"[MOBILE]",
                         u"[MSN]",
                         u"[NAME]",
                         u"[PASSWORD ANSWER]",
                         u"[PASSWORD QUESTION]",
                         u"[PHONE]",
                         u"[POSTCODE]",
                         u"[PROVINCE]",
                         u"[SEX]",
                         u"[WEB SITE]",
                         u"[WORK TEL]",
                         u"[YAHOO]"};
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(order[i], Unseal(lines[2 * i], KeyModeCommon));
        EXPECT_EQ(order[i] == u"[NAME]" ? u"|Home" : u"", Unseal(lines[2 * i + 1], KeyModeCommon));
    }
    EXPECT_EQ(u"[CUSTOM]", Unseal(lines[56], KeyModeCommon));
    for (std::size_t i = 57; i < 63; ++i) EXPECT_EQ(u"", Unseal(lines[i], KeyModeCommon));
    EXPECT_EQ(u"UNPROTECT", Unseal(lines[63], KeyModeCommon));
    EXPECT_EQ(test::CheckOf(Lines(lines.begin(), lines.end() - 1)), lines[64]);
}

TEST_F(IdentityRecordTest, UnprotectedRoundTripNeedsNoPassword) {
    IdentityRecord writer = newRecord();
    writer.resetToNewCard(u"Home");
    writer.fields[u"[EMAIL]"] = u"ann@example.com";
    writer.fields[u"[NAME]"] = u"Smith|Ann";
    writer.customFields = {{u"Pet", u"Rex"}, {u"", u"no name"}, {u"Pet", u""}};
    ASSERT_EQ(CardWriteResult::Written, writer.save(card, true));

    gate.refuse();
    IdentityRecord reader = newRecord();
    bool isProtected = true;
    ASSERT_TRUE(reader.readProtection(card, isProtected));
    EXPECT_FALSE(isProtected);
    EXPECT_EQ(kCardLoaded, reader.load(card));
    EXPECT_EQ(writer.fields, reader.fields);
    EXPECT_EQ(writer.customFields, reader.customFields);
    EXPECT_EQ(0, gate.asks());
}

TEST_F(IdentityRecordTest, ProtectedCardOpensOnlyForItsUser) {
    IdentityRecord writer = newRecord();
    ASSERT_EQ(CardWriteResult::Written, writer.createNewCard(card, u"Home", false));
    const Lines lines = FileLines(card);
    EXPECT_EQ(u"PROTECT", Unseal(lines[63], KeyModeUser));
    EXPECT_EQ(u"[ADDRESS]", Unseal(lines[0], KeyModeUser));
    EXPECT_NE(u"[ADDRESS]", Unseal(lines[0], KeyModeCommon));

    IdentityRecord own = newRecord();
    bool isProtected = false;
    ASSERT_TRUE(own.readProtection(card, isProtected));
    EXPECT_TRUE(isProtected);
    EXPECT_EQ(kCardLoaded, own.load(card));
    EXPECT_EQ(u"|Home", own.fields[u"[NAME]"]);
    EXPECT_EQ(0x4711u, gate.lastParent());

    // Another user: the error through the catalogue, owned by the active window.
    gate.give("bob45678");
    IdentityRecord other = newRecord();
    other.fields[u"[NAME]"] = u"kept";
    prompts.queueAnswer(1);
    EXPECT_EQ(kCardNotLoaded, other.load(card));
    ASSERT_EQ(1u, prompts.shown().size());
    EXPECT_EQ(u"This ID card does not belong to the current user.", prompts.shown()[0].text);
    EXPECT_EQ(u"Tarnwick Error", prompts.shown()[0].caption);
    EXPECT_EQ(0x10u, prompts.shown()[0].style);
    EXPECT_EQ(0x4711u, prompts.shown()[0].owner);
    EXPECT_EQ(1u, other.fields.size());
    EXPECT_EQ(u"kept", other.fields[u"[NAME]"]);
}

TEST_F(IdentityRecordTest, CancelledPromptLoadsNothingAndSaysNothing) {
    ASSERT_EQ(CardWriteResult::Written, newRecord().createNewCard(card, u"Home", false));
    ClearCurrentPrimaryPassword();
    gate.refuse();
    IdentityRecord record = newRecord();
    EXPECT_EQ(kCardNotLoaded, record.load(card));
    EXPECT_TRUE(record.fields.empty());
    EXPECT_TRUE(prompts.shown().empty());
    // Nor is a protected card written without the password.
    EXPECT_EQ(CardWriteResult::NoPassword, record.createNewCard(folder.file(u"New.vrt"), u"New", false));
    EXPECT_FALSE(testing::FileExists(folder.file(u"New.vrt")));
}

TEST_F(IdentityRecordTest, DamagedFilesLoadAsDamagedAndChangeNothing) {
    ASSERT_EQ(CardWriteResult::Written, newRecord().createNewCard(card, u"Home", true));
    const Lines good = FileLines(card);
    IdentityRecord record = newRecord();
    record.fields[u"[NAME]"] = u"kept";
    bool isProtected = false;

    Lines changed = good;
    changed[10].back() = changed[10].back() == u'1' ? u'2' : u'1';  // one number of one line
    test::WriteFileLines(card, changed);
    EXPECT_FALSE(record.readProtection(card, isProtected));
    EXPECT_EQ(kCardDamaged, record.load(card));

    Lines removed = good;
    removed.erase(removed.begin() + 3);
    test::WriteFileLines(card, removed);
    EXPECT_EQ(kCardDamaged, record.load(card));

    test::WriteFileLines(card, {good.back()});  // one line: no marker
    EXPECT_EQ(kCardDamaged, record.load(card));
    testing::WriteBytes(card, "");
    EXPECT_EQ(kCardDamaged, record.load(card));
    // A card that is not there cannot be read: that is no damage.
    EXPECT_THROW(record.load(folder.file(u"missing.vrt")), CTextFileException);
    EXPECT_EQ(u"kept", record.fields[u"[NAME]"]);
    EXPECT_EQ(1u, record.fields.size());
}

TEST_F(IdentityRecordTest, TagSearchTakesTheFirstEqualLineAndAbsentTagsStayOut) {
    IdentityRecord writer = newRecord();
    writer.fields = {{u"[JOB TITLE]", u"[NAME]"}, {u"[MOBILE]", u"555"}, {u"[NAME]", u"A|B"}};
    writer.customFields.clear();
    ASSERT_EQ(CardWriteResult::Written, writer.save(card, true));
    EXPECT_EQ(3u * 2 + 1 + 2, FileLines(card).size());  // only the tags present

    IdentityRecord reader = newRecord();
    ASSERT_EQ(kCardLoaded, reader.load(card));
    EXPECT_EQ(3u, reader.fields.size());
    EXPECT_EQ(u"[NAME]", reader.fields[u"[JOB TITLE]"]);
    EXPECT_EQ(u"A|B", reader.fields[u"[NAME]"]);  // the value "[NAME]" is no tag
    EXPECT_TRUE(reader.customFields.empty());
}

// Tags stand where a saved card puts them: every other line before "[CUSTOM]".
// Values equal to a tag, to "[CUSTOM]" or to a marker are values, wherever they are.
TEST_F(IdentityRecordTest, ValuesThatLookLikeTagsReadBackExactly) {
    IdentityRecord writer = newRecord();
    writer.resetToNewCard(u"Home");
    writer.fields[u"[ADDRESS]"] = u"[NAME]";
    writer.fields[u"[AGE]"] = u"[CUSTOM]";
    writer.fields[u"[CITY]"] = u"[ADDRESS]";
    writer.fields[u"[JOB TITLE]"] = u"UNPROTECT";
    writer.fields[u"[NAME]"] = u"Smith|Ann";
    writer.fields[u"[YAHOO]"] = u"[CUSTOM]";
    writer.customFields = {{u"[NAME]", u"[CUSTOM]"},
                           {u"[CUSTOM]", u"[ADDRESS]"},
                           {u"[EMAIL]", u""},
                           {u"", u"[NAME]"},
                           {u"PROTECT", u"UNPROTECT"}};
    for (bool unprotected : {true, false}) {
        ASSERT_EQ(CardWriteResult::Written, writer.save(card, unprotected));
        IdentityRecord reader = newRecord();
        ASSERT_EQ(kCardLoaded, reader.load(card));
        EXPECT_EQ(writer.fields, reader.fields);
        EXPECT_EQ(writer.customFields, reader.customFields);
    }
    // Only some tags, every value a tag: still exact.
    writer.fields = {{u"[EMAIL]", u"[CUSTOM]"}, {u"[FAX]", u"[EMAIL]"}, {u"[NAME]", u"[FAX]"}};
    writer.customFields = {{u"[FAX]", u"[NAME]"}};
    ASSERT_EQ(CardWriteResult::Written, writer.save(card, true));
    IdentityRecord reader = newRecord();
    ASSERT_EQ(kCardLoaded, reader.load(card));
    EXPECT_EQ(writer.fields, reader.fields);
    EXPECT_EQ(writer.customFields, reader.customFields);
}

// Cards written by others: tags in any order, tags missing, lines that are
// neither tag nor value; the first of two equal tags counts.
TEST_F(IdentityRecordTest, ForeignCardsStillLoad) {
    const Lines plain = {u"a note",   u"[NAME]", u"Doe|Jo", u"[EMAIL]",  u"jo@example.com",
                         u"another",  u"[CITY]", u"Bern",   u"[NAME]",   u"Second|Name",
                         u"[CUSTOM]", u"Pet",    u"Rex",    u"UNPROTECT"};
    Lines sealed;
    for (const std::u16string& line : plain) sealed.push_back(test::Seal(line, KeyModeCommon));
    sealed.push_back(test::CheckOf(sealed));
    test::WriteFileLines(card, sealed);

    IdentityRecord reader = newRecord();
    ASSERT_EQ(kCardLoaded, reader.load(card));
    const std::map<std::u16string, std::u16string> expected = {
        {u"[NAME]", u"Doe|Jo"}, {u"[EMAIL]", u"jo@example.com"}, {u"[CITY]", u"Bern"}};
    EXPECT_EQ(expected, reader.fields);
    EXPECT_EQ((std::vector<CustomField>{{u"Pet", u"Rex"}}), reader.customFields);

    // No "[CUSTOM]" at all: the tags load, no custom pairs.
    sealed.clear();
    for (std::u16string_view line : {u"[PHONE]", u"12", u"[SEX]", u"", u"UNPROTECT"}) {
        sealed.push_back(test::Seal(line, KeyModeCommon));
    }
    sealed.push_back(test::CheckOf(sealed));
    test::WriteFileLines(card, sealed);
    ASSERT_EQ(kCardLoaded, reader.load(card));
    EXPECT_EQ((std::map<std::u16string, std::u16string>{{u"[PHONE]", u"12"}, {u"[SEX]", u""}}), reader.fields);
    EXPECT_TRUE(reader.customFields.empty());
}

// Sealing would turn text the code page cannot hold into "?": such a save is
// refused, naming the field and the characters, and nothing is written.
TEST_F(IdentityRecordTest, SaveRefusesTextSealingCannotKeep) {
    IdentityRecord first = newRecord();
    ASSERT_EQ(CardWriteResult::Written, first.createNewCard(card, u"Home", true));
    const std::string before = ReadBytes(card);

    IdentityRecord record = newRecord();
    record.resetToNewCard(u"Home");
    record.fields[u"[ADDRESS]"] = u"\u5BC6\u7801 Road";
    try {
        record.save(card, true);
        ADD_FAILURE() << "saved";
    } catch (const UnsealableTextError& e) {
        EXPECT_EQ(u"[ADDRESS]", e.field());
        EXPECT_EQ(u"\u5BC6\u7801", e.characters());
    }
    record.fields[u"[ADDRESS]"] = u"";
    record.customFields[1] = {u"Mood", u"\U0001F600"};
    try {
        record.save(card, false);
        ADD_FAILURE() << "saved";
    } catch (const UnsealableTextError& e) {
        EXPECT_EQ(u"Mood", e.field());
        EXPECT_EQ(u"\U0001F600", e.characters());
    }
    record.customFields[1] = {u"\U0001F600", u""};
    EXPECT_THROW(record.save(card, true), UnsealableTextError);
    EXPECT_EQ(before, ReadBytes(card));
    // A new card is refused the same way, and no file is made.
    EXPECT_THROW(record.createNewCard(folder.file(u"New.vrt"), u"\u5BC6", true), UnsealableTextError);
    EXPECT_EQ("Home.vrt", testing::ListFolder(folder.path()));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(IdentityRecordTest, CardInAnotherEncodingLoads) {
    IdentityRecord writer = newRecord();
    writer.resetToNewCard(u"Home");
    writer.fields[u"[CITY]"] = u"Zürich";
    ASSERT_EQ(CardWriteResult::Written, writer.save(card, true));
    for (int encoding : {kEncodingUtf8, kEncodingUtf16BigEndian, kEncodingAnsi}) {
        WriteTextLines(card, FileLines(card), encoding);
        IdentityRecord reader = newRecord();
        ASSERT_EQ(kCardLoaded, reader.load(card)) << "encoding " << encoding;
        EXPECT_EQ(u"Zürich", reader.fields[u"[CITY]"]);
        ASSERT_EQ(CardWriteResult::Written, writer.save(card, true));
    }
}

TEST_F(IdentityRecordTest, FailedSaveLeavesTheOldCardAndIsReported) {
    IdentityRecord first = newRecord();
    ASSERT_EQ(CardWriteResult::Written, first.createNewCard(card, u"Home", true));
    const std::string before = ReadBytes(card);

    HostFileSystem host;
    testing::FaultyFileSystem faulty(host);
    faulty.writeBudget = 1500;  // the disk fills up in the middle of the card
    IdentityRecord record = newRecord(faulty);
    record.resetToNewCard(u"Other");
    EXPECT_THROW(record.save(card, true), CTextFileException);
    EXPECT_EQ(before, ReadBytes(card));
    EXPECT_EQ("Home.vrt", testing::ListFolder(folder.path()));
}

}  // namespace
}  // namespace tarnwick
