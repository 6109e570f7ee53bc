// Passcards: the file layout line by line with each line's key, the file
// operations (protection, owner, default mark), loads of damaged and foreign
// cards, and the record that refuses to write a card it did not load.
#include "cards/passcard_record.h"

#include <gtest/gtest.h>

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/primary_password.h"
#include "foundation/text_file.h"
#include "foundation/sealable_text.h"
#include "cards/passcard_fields.h"
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
using test::Seal;
using test::TestPasswordGate;
using test::Unseal;
using testing::ReadBytes;
using testing::TempFolder;
using Lines = std::vector<std::u16string>;

class PasscardRecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearCurrentPrimaryPassword();
        prompts.setActiveWindow(0x99);
    }
    void TearDown() override { ClearCurrentPrimaryPassword(); }

    PasscardRecord newRecord(FileSystem& files = NativeFileSystem()) {
        return PasscardRecord(gate, prompts, files, PasscardMessages());
    }
    // A card as the browser toolbar writes one.
    std::u16string create(std::u16string_view name, bool isProtected, bool isDefault = false,
                          Lines names = {u"login", u"pass"}, Lines types = {u"text", u"password"},
                          Lines values = {u"ann", u"s3cret"}) {
        PasscardRecord record = newRecord();
        record.matchKey = u"shop.example";
        record.url = u"https://shop.example/login";
        record.fieldNames = std::move(names);
        record.fieldTypes = std::move(types);
        record.fieldValues = std::move(values);
        record.defaultMarker = isDefault ? kDefaultMarker : kUndefaultMarker;
        record.protectionMarker = isProtected ? kProtectMarker : kUnprotectMarker;
        const std::u16string path = folder.file(std::u16string(name) + u".vrc");
        EXPECT_EQ(CardWriteResult::Written, record.createCard(path));
        return path;
    }

    TempFolder folder;
    TestPasswordGate gate{"alice123"};
    ScriptedPrompts prompts;
};

TEST_F(PasscardRecordTest, FileLayoutLineByLine) {
    const std::u16string plain = create(u"Plain", false, true);
    Lines lines = FileLines(plain);
    ASSERT_EQ(11u, lines.size());
    const Lines texts = {u"shop.example", u"https://shop.example/login",
                         u"login",        u"text",
                         u"ann",          u"pass",
                         u"password",     u"s3cret",
                         u"DEFAULT",      u"UNPROTECT"};
    for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i], Unseal(lines[i], KeyModeCommon));
    EXPECT_EQ(test::CheckOf(Lines(lines.begin(), lines.end() - 1)), lines[10]);

    const std::u16string locked = create(u"Locked", true, false);
    lines = FileLines(locked);
    ASSERT_EQ(11u, lines.size());
    EXPECT_EQ(u"shop.example", Unseal(lines[0], KeyModeCommon));
    for (std::size_t i = 1; i < 8; ++i) EXPECT_EQ(texts[i], Unseal(lines[i], KeyModeUser));
    EXPECT_EQ(u"UNDEFAULT", Unseal(lines[8], KeyModeCommon));
    EXPECT_EQ(u"PROTECT", Unseal(lines[9], KeyModeUser));

    const std::u16string empty = create(u"Empty", false, false, {}, {}, {});
    EXPECT_EQ(5u, FileLines(empty).size());
    PasscardRecord record = newRecord();
    EXPECT_EQ(kCardLoaded, record.load(empty));
    EXPECT_TRUE(record.fieldNames.empty());
}

TEST_F(PasscardRecordTest, LoadFillsTheRecordAndItsSavedCopy) {
    const std::u16string path = create(u"Shop", false, true);
    gate.refuse();  // an unprotected card needs no password
    PasscardRecord record = newRecord();
    ASSERT_EQ(kCardLoaded, record.load(path));
    EXPECT_EQ(u"shop.example", record.matchKey);
    EXPECT_EQ(u"https://shop.example/login", record.url);
    EXPECT_EQ((Lines{u"login", u"pass"}), record.fieldNames);
    EXPECT_EQ((Lines{u"text", u"password"}), record.fieldTypes);
    EXPECT_EQ((Lines{u"ann", u"s3cret"}), record.fieldValues);
    EXPECT_EQ(u"DEFAULT", record.defaultMarker);
    EXPECT_EQ(u"UNPROTECT", record.protectionMarker);
    EXPECT_EQ(record.url, record.savedCopy.url);
    EXPECT_EQ(record.fieldValues, record.savedCopy.fieldValues);
    EXPECT_EQ(path, record.path);
    EXPECT_TRUE(record.holdsLoadedCard());
    EXPECT_EQ(0, gate.asks());
}

TEST_F(PasscardRecordTest, SaveWritesThePageAndReloads) {
    const std::u16string path = create(u"Shop", true);
    PasscardRecord record = newRecord();
    ASSERT_EQ(kCardLoaded, record.load(path));
    record.url = u"https://shop.example/new";
    ASSERT_EQ(CardWriteResult::Written, record.save(path, {u"user", u"pw"}, {u"bob", u"x"}));
    EXPECT_EQ((Lines{u"user", u"pw"}), record.fieldNames);
    EXPECT_EQ((Lines{u"bob", u"x"}), record.savedCopy.fieldValues);
    EXPECT_EQ(u"https://shop.example/new", record.savedCopy.url);
    const Lines lines = FileLines(path);
    EXPECT_EQ(u"user", Unseal(lines[2], KeyModeUser));  // the third line is the first name
    EXPECT_EQ(u"shop.example", Unseal(lines[0], KeyModeCommon));
    EXPECT_EQ(u"PROTECT", Unseal(lines[9], KeyModeUser));
    const std::string bytes = ReadBytes(path);
    EXPECT_NE('\n', bytes[bytes.size() - 2]);
}

// Text the code page cannot hold would be sealed as "?": refused with the
// field named, the card left as it was.
TEST_F(PasscardRecordTest, SaveRefusesTextSealingCannotKeep) {
    const std::u16string path = create(u"Shop", false);
    const std::string before = ReadBytes(path);
    PasscardRecord record = newRecord();
    ASSERT_EQ(kCardLoaded, record.load(path));
    try {
        record.save(path, {u"login", u"pass"}, {u"ann", u"\u5BC6\u7801"});
        ADD_FAILURE() << "saved";
    } catch (const UnsealableTextError& e) {
        EXPECT_EQ(u"pass", e.field());
        EXPECT_EQ(u"\u5BC6\u7801", e.characters());
    }
    EXPECT_THROW(record.save(path, {u"login", u"\U0001F600"}, {u"ann", u"x"}), UnsealableTextError);
    record.url = u"https://\u4F8B.example/";
    try {
        record.save(path);
        ADD_FAILURE() << "saved";
    } catch (const UnsealableTextError& e) {
        EXPECT_EQ(u"\u4F8B", e.characters());
    }
    EXPECT_EQ(before, ReadBytes(path));
    // A new card from the toolbar's side: no file is made.
    PasscardRecord fresh = newRecord();
    fresh.matchKey = u"\u4F8B.example";
    fresh.url = u"https://example/";
    EXPECT_THROW(fresh.createCard(folder.file(u"New.vrc")), UnsealableTextError);
    EXPECT_FALSE(testing::FileExists(folder.file(u"New.vrc")));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(PasscardRecordTest, DamagedCardsAreRefusedEverywhere) {
    const std::u16string path = create(u"Shop", false);
    const Lines good = FileLines(path);
    PasscardRecord record = newRecord();
    auto expectDamaged = [&](const Lines& lines, const char* what) {
        test::WriteFileLines(path, lines);
        const std::string before = ReadBytes(path);
        bool isProtected = false;
        EXPECT_FALSE(record.readProtection(path, isProtected)) << what;
        EXPECT_EQ(kCardDamaged, record.load(path)) << what;
        EXPECT_FALSE(record.isDefault(path)) << what;
        EXPECT_EQ(CardWriteResult::Damaged, record.setDefault(path, true)) << what;
        EXPECT_EQ(CardWriteResult::Damaged, record.setProtection(path, true)) << what;
        EXPECT_EQ(before, ReadBytes(path)) << what;
    };
    Lines changed = good;
    changed[4].back() = changed[4].back() == u'3' ? u'4' : u'3';
    expectDamaged(changed, "one number changed");
    Lines removed = good;
    removed.erase(removed.begin() + 5);
    expectDamaged(removed, "a line removed");
    // An empty line and a line count other than 3k + 5, each with a matching check line.
    Lines withEmpty = {good[0], good[1], u"", good[2], good[3], good[4]};
    withEmpty.push_back(test::CheckOf(withEmpty));
    expectDamaged(withEmpty, "an empty line");
    Lines sixLines(good.begin(), good.begin() + 5);
    sixLines.push_back(test::CheckOf(sixLines));
    expectDamaged(sixLines, "six lines");
    Lines fourLines(good.begin(), good.begin() + 3);
    fourLines.push_back(test::CheckOf(fourLines));
    expectDamaged(fourLines, "four lines");
    expectDamaged({}, "no line");
    EXPECT_FALSE(record.holdsLoadedCard());
}

TEST_F(PasscardRecordTest, ProtectedCardWithoutAndWithTheRightPassword) {
    const std::u16string path = create(u"Shop", true, true);
    ClearCurrentPrimaryPassword();
    gate.refuse();
    PasscardRecord record = newRecord();
    bool isProtected = false;
    ASSERT_TRUE(record.readProtection(path, isProtected));  // no password needed
    EXPECT_TRUE(isProtected);
    EXPECT_TRUE(record.isDefault(path));
    EXPECT_EQ(u"shop.example", Unseal(FileLines(path)[0], KeyModeCommon));

    EXPECT_EQ(kCardNotLoaded, record.load(path));  // prompt cancelled: no message
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_FALSE(record.holdsLoadedCard());

    gate.give("bob45678");
    prompts.queueAnswer(1);
    EXPECT_EQ(kCardNotLoaded, record.load(path));
    ASSERT_EQ(1u, prompts.shown().size());
    EXPECT_EQ(u"This Passcard does not belong to the current user", prompts.shown()[0].text);
    EXPECT_EQ(u"Tarnwick Error", prompts.shown()[0].caption);
    EXPECT_EQ(0x10u, prompts.shown()[0].style);
    EXPECT_EQ(0x99u, prompts.shown()[0].owner);
    EXPECT_FALSE(record.checkOwner(path));
    EXPECT_TRUE(record.url.empty());
    // Nor may another user strip its protection.
    const std::string before = ReadBytes(path);
    EXPECT_EQ(CardWriteResult::NotOwner, record.setProtection(path, false));
    EXPECT_EQ(before, ReadBytes(path));

    gate.give("alice123");
    EXPECT_EQ(kCardLoaded, record.load(path));
    EXPECT_TRUE(record.checkOwner(path));
    EXPECT_EQ(u"PROTECT", record.protectionMarker);
}

TEST_F(PasscardRecordTest, ProtectionOnAndOffGivesBackTheSameTexts) {
    const std::u16string path = create(u"Shop", false, true);
    const Lines before = FileLines(path);
    PasscardRecord record = newRecord();
    ASSERT_EQ(CardWriteResult::Written, record.setProtection(path, true));
    const Lines locked = FileLines(path);
    bool isProtected = false;
    ASSERT_TRUE(record.readProtection(path, isProtected));
    EXPECT_TRUE(isProtected);
    EXPECT_EQ(u"login", Unseal(locked[2], KeyModeUser));
    EXPECT_EQ(u"PROTECT", Unseal(locked[9], KeyModeUser));
    ASSERT_EQ(CardWriteResult::Written, record.setProtection(path, false));
    const Lines after = FileLines(path);
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 1; i + 3 < after.size(); ++i) {
        EXPECT_EQ(Unseal(before[i], KeyModeCommon), Unseal(after[i], KeyModeCommon)) << "line " << i;
    }
    EXPECT_EQ(before[0], locked[0]);
    EXPECT_EQ(before[8], locked[8]);
    EXPECT_EQ(before[0], after[0]);
    EXPECT_EQ(before[8], after[8]);
    EXPECT_EQ(before, after);  // the cipher is deterministic: byte for byte the same card

    gate.refuse();
    ClearCurrentPrimaryPassword();
    EXPECT_EQ(CardWriteResult::NoPassword, record.setProtection(path, true));
    EXPECT_EQ(before, FileLines(path));
}

TEST_F(PasscardRecordTest, SetDefaultChangesOnlyTwoLines) {
    const std::u16string path = create(u"Shop", true);
    const Lines before = FileLines(path);
    gate.refuse();  // the default line needs no password
    PasscardRecord record = newRecord();
    ASSERT_EQ(CardWriteResult::Written, record.setDefault(path, true));
    EXPECT_TRUE(record.isDefault(path));
    const Lines after = FileLines(path);
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (i == after.size() - 3 || i == after.size() - 1) {
            EXPECT_NE(before[i], after[i]) << "line " << i;
        } else {
            EXPECT_EQ(before[i], after[i]) << "line " << i;
        }
    }
    ASSERT_EQ(CardWriteResult::Written, record.setDefault(path, false));
    EXPECT_EQ(before, FileLines(path));
}

TEST_F(PasscardRecordTest, ARecordThatDidNotLoadACardNeverWritesIt) {
    const std::u16string first = create(u"First", false, true);
    const std::u16string second = create(u"Second", true);
    const std::string secondBytes = ReadBytes(second);
    PasscardRecord record = newRecord();
    ASSERT_EQ(kCardLoaded, record.load(first));

    ClearCurrentPrimaryPassword();
    gate.refuse();
    ASSERT_EQ(kCardNotLoaded, record.load(second));
    EXPECT_EQ(first, record.path);
    EXPECT_EQ(u"shop.example", record.matchKey);  // still the first card's
    EXPECT_EQ(CardWriteResult::NotLoaded, record.save(second, {u"a", u"b"}, {u"c", u"d"}));
    EXPECT_TRUE(record.holds(first));  // whose edits may still be saved
    EXPECT_EQ(secondBytes, ReadBytes(second));

    // Nor after a damaged load, nor a record never loaded.
    test::WriteFileLines(second, {u"1 2 3"});
    ASSERT_EQ(kCardDamaged, record.load(second));
    EXPECT_EQ(CardWriteResult::NotLoaded, record.save(second));
    EXPECT_EQ(CardWriteResult::NotLoaded, newRecord().save(first));
    EXPECT_EQ(u"1 2 3", FileLines(second)[0]);
}

TEST_F(PasscardRecordTest, FileOperationsKeepTheLoadedRecordInStep) {
    const std::u16string path = create(u"Shop", false);
    PasscardRecord record = newRecord();
    ASSERT_EQ(kCardLoaded, record.load(path));
    ASSERT_EQ(CardWriteResult::Written, record.setProtection(path, true));
    ASSERT_EQ(CardWriteResult::Written, record.setDefault(path, true));
    ASSERT_EQ(CardWriteResult::Written, record.save(path));  // must not undo either
    bool isProtected = false;
    ASSERT_TRUE(record.readProtection(path, isProtected));
    EXPECT_TRUE(isProtected);
    EXPECT_TRUE(record.isDefault(path));
}

TEST_F(PasscardRecordTest, FailedSaveLeavesTheOldCardAndIsReported) {
    const std::u16string path = create(u"Shop", false);
    const std::string before = ReadBytes(path);
    HostFileSystem host;
    testing::FaultyFileSystem faulty(host);
    PasscardRecord record = newRecord(faulty);
    ASSERT_EQ(kCardLoaded, record.load(path));
    faulty.writeBudget = 100;
    EXPECT_THROW(record.save(path, {u"a", u"b"}, {u"c", u"d"}), CTextFileException);
    EXPECT_EQ(before, ReadBytes(path));
    EXPECT_EQ("Shop.vrc", testing::ListFolder(folder.path()));
    EXPECT_TRUE(record.holdsLoadedCard());
}

TEST(PasscardFields, UserNameFieldFromTheTypes) {
    EXPECT_EQ(1u, UserNameField({u"text", u"text", u"password", u"text"}));
    EXPECT_EQ(0u, UserNameField({u"text", u"checkbox", u"password", u"password"}));
    EXPECT_EQ(std::nullopt, UserNameField({u"password", u"text"}));
    EXPECT_EQ(std::nullopt, UserNameField({u"text", u"text"}));
    EXPECT_EQ(std::nullopt, UserNameField({}));
    EXPECT_TRUE(IsPasswordField(u"password"));
    EXPECT_FALSE(IsPasswordField(u"Password"));
}

}  // namespace
}  // namespace tarnwick
