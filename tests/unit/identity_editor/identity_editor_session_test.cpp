// The Identity Editor's card session on real card files: selections before
// and after the page loads, saving without asking, the damaged card, a card
// not opened, failed saves, Save, Reset and closing.
#include "identity_editor/identity_editor_session.h"

#include "foundation/message_box.h"
#include "foundation/primary_password.h"
#include "identity_form_fixture.h"
#include "support/faulty_file_system.h"
#include "support/temp_folder.h"

namespace tarnwick {
namespace {

using testing::FaultyFileSystem;
using testing::ReadBytes;

constexpr WindowRef kEditor = 0x99;

class IdentityEditorSessionTest : public IdentityFormFixture {
protected:
    void SetUp() override {
        ClearCurrentPrimaryPassword();
        gate.give("alice123");
        makeCard(u"Home", true);
        makeCard(u"Work", true);
    }
    void TearDown() override { ClearCurrentPrimaryPassword(); }

    std::u16string cardPath(std::u16string_view name) { return root.path() + u"\\" + std::u16string(name); }
    void makeCard(std::u16string_view name, bool unprotected) {
        IdentityRecord writer(gate, prompts, NativeFileSystem(), IdentityMessages());
        ASSERT_EQ(writer.createNewCard(cardPath(name) + u".vrt", name, unprotected), CardWriteResult::Written);
    }
    TreeSelection card(std::u16string_view name) { return {ItemKind::Card, cardPath(name)}; }
    std::u16string phoneOnDisk(std::u16string_view name) {
        IdentityRecord reader(gate, prompts, NativeFileSystem(), IdentityMessages());
        EXPECT_EQ(reader.load(cardPath(name) + u".vrt"), kCardLoaded);
        return reader.fields[u"[PHONE]"];
    }
    // The page is ready and `name` is shown.
    void showCard(std::u16string_view name) {
        session.pageLoaded(view);
        ASSERT_EQ(session.selectionChanged(card(name), kEditor).kind, SelectionOutcome::Kind::Shown);
    }

    testing::TempFolder root;
    FaultyFileSystem files{NativeFileSystem()};
    IdentityRecord sessionRecord{gate, prompts, files, IdentityMessages()};
    IdentityEditorSession session{root.path(), sessionRecord, prompts, files, IdentityMessages()};
};

TEST_F(IdentityEditorSessionTest, ACardSelectedBeforeThePageLoadsIsShownWhenItHas) {
    EXPECT_EQ(session.selectionChanged(card(u"Home"), kEditor).kind, SelectionOutcome::Kind::WaitingForPage);
    EXPECT_FALSE(session.formEnabled());
    session.markModified();  // the page's own loading is no edit
    session.pageLoaded(view);
    EXPECT_TRUE(session.cardOnShow());
    EXPECT_EQ(session.currentPath(), cardPath(u"Home") + u".vrt");
    EXPECT_EQ(value(u"firstname"), u"Home");
    EXPECT_FALSE(session.modified());
    EXPECT_TRUE(session.viewState().cardSelected);
    EXPECT_FALSE(session.viewState().cardProtected);
}

TEST_F(IdentityEditorSessionTest, SelectingAnotherCardSavesTheEditWithoutAsking) {
    showCard(u"Home");
    type(u"phone", u"555-0100");
    session.markModified();
    EXPECT_EQ(session.selectionChanged(card(u"Work"), kEditor).kind, SelectionOutcome::Kind::Shown);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(phoneOnDisk(u"Home"), u"555-0100");
    EXPECT_EQ(value(u"firstname"), u"Work");
    EXPECT_FALSE(session.modified());
}

TEST_F(IdentityEditorSessionTest, AFolderDisablesTheFormAndBecomesTheCurrentPath) {
    showCard(u"Home");
    EXPECT_EQ(session.selectionChanged({ItemKind::Root, root.path()}, kEditor).kind, SelectionOutcome::Kind::Shown);
    EXPECT_FALSE(session.cardOnShow());
    EXPECT_FALSE(session.formEnabled());
    EXPECT_EQ(session.currentPath(), root.path());
    EXPECT_FALSE(session.viewState().cardSelected);
}

TEST_F(IdentityEditorSessionTest, ACardNotOpenedIsNeverWrittenWithTheCardShownBefore) {
    makeCard(u"Locked", false);
    ClearCurrentPrimaryPassword();
    gate.refuse();
    const std::string locked = ReadBytes(cardPath(u"Locked") + u".vrt");
    showCard(u"Home");
    const SelectionOutcome kept = session.selectionChanged(card(u"Locked"), kEditor);
    EXPECT_EQ(kept.kind, SelectionOutcome::Kind::BackToShown);
    // The tree is sent back to the card still shown.
    EXPECT_EQ(kept.path, cardPath(u"Home"));
    EXPECT_EQ(session.currentPath(), cardPath(u"Home") + u".vrt");
    type(u"phone", u"typed on Home's form");
    session.markModified();
    EXPECT_TRUE(session.saveCommand(kEditor));
    EXPECT_EQ(ReadBytes(cardPath(u"Locked") + u".vrt"), locked);
    gate.give("alice123");
    EXPECT_EQ(phoneOnDisk(u"Home"), u"typed on Home's form");
}

TEST_F(IdentityEditorSessionTest, ACardNotOpenedFirstSendsTheTreeToTheRootAndProtectedActsOnTheCardShown) {
    makeCard(u"Locked", false);
    ClearCurrentPrimaryPassword();
    gate.refuse();
    session.pageLoaded(view);
    const SelectionOutcome first = session.selectionChanged(card(u"Locked"), kEditor);
    EXPECT_EQ(first.kind, SelectionOutcome::Kind::BackToShown);
    EXPECT_EQ(first.path, root.path());
    EXPECT_FALSE(session.viewState().cardSelected);
    EXPECT_FALSE(session.formEnabled());

    gate.give("alice123");
    ASSERT_EQ(session.selectionChanged(card(u"Home"), kEditor).kind, SelectionOutcome::Kind::Shown);
    ClearCurrentPrimaryPassword();
    gate.refuse();
    ASSERT_EQ(session.selectionChanged(card(u"Locked"), kEditor).kind, SelectionOutcome::Kind::BackToShown);
    // Protected, with the prompt given now, toggles the card on the form, not the one refused.
    gate.give("alice123");
    const std::string locked = ReadBytes(cardPath(u"Locked") + u".vrt");
    session.toggleProtection(kEditor);
    EXPECT_EQ(ReadBytes(cardPath(u"Locked") + u".vrt"), locked);
    EXPECT_TRUE(session.viewState().cardProtected);
}

TEST_F(IdentityEditorSessionTest, ADamagedCardIsDeletedOnYesAndItsFolderSelected) {
    testing::WriteBytes(cardPath(u"Bad") + u".vrt", "not a card");
    session.pageLoaded(view);
    prompts.queueAnswer(kIdYes);
    const SelectionOutcome outcome = session.selectionChanged(card(u"Bad"), kEditor);
    EXPECT_EQ(outcome.kind, SelectionOutcome::Kind::Reload);
    EXPECT_EQ(outcome.path, root.path());
    EXPECT_EQ(session.currentPath(), root.path());
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].caption, u"Tarnwick");
    EXPECT_EQ(prompts.shown()[0].text, DamagedCardQuestion(CardKind::Identity, u"\\Bad", IdentityMessages()));
    EXPECT_FALSE(testing::FileExists(cardPath(u"Bad") + u".vrt"));
}

TEST_F(IdentityEditorSessionTest, ADamagedCardThatCannotBeDeletedSaysSo) {
    testing::WriteBytes(cardPath(u"Bad") + u".vrt", "not a card");
    files.failDeleteWith = kErrorAccessDenied;
    session.pageLoaded(view);
    prompts.queueAnswer(kIdYes);
    prompts.queueAnswer(kIdOk);
    session.selectionChanged(card(u"Bad"), kEditor);
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[1].text, u"Delete File failure");
    EXPECT_TRUE(testing::FileExists(cardPath(u"Bad") + u".vrt"));
}

TEST_F(IdentityEditorSessionTest, AFailedSaveIsReportedAndTheEditStaysModified) {
    showCard(u"Home");
    const std::string before = ReadBytes(cardPath(u"Home") + u".vrt");
    type(u"phone", u"555");
    session.markModified();
    files.writeBudget = 100;  // the disk fills up
    prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(session.saveCommand(kEditor));
    EXPECT_TRUE(session.modified());
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].caption, u"Tarnwick Error");
    EXPECT_EQ(prompts.shown()[0].text, u"Can not save the card '\\Home':\nThere is not enough space on the disk.");
    EXPECT_EQ(ReadBytes(cardPath(u"Home") + u".vrt"), before);
    // Save && Close keeps the window; closing asks, and a failed Yes keeps it too.
    prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(session.saveAndClose(kEditor));
    prompts.queueAnswer(kIdYes);
    prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(session.mayClose(kEditor));
    files.writeBudget = FaultyFileSystem::kUnlimited;
    EXPECT_TRUE(session.saveAndClose(kEditor));
    EXPECT_EQ(phoneOnDisk(u"Home"), u"555");
}

TEST_F(IdentityEditorSessionTest, SaveAndCloseUnmodifiedWritesNothing) {
    showCard(u"Home");
    const std::size_t written = files.bytesWritten;
    EXPECT_TRUE(session.saveAndClose(kEditor));
    EXPECT_TRUE(session.mayClose(kEditor));
    EXPECT_EQ(files.bytesWritten, written);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(IdentityEditorSessionTest, SummaryAfterAnEditStaysModifiedAndSaveWritesIt) {
    showCard(u"Home");
    session.tabActivated(IdentityTab::Person);
    type(u"phone", u"777");
    session.markModified();
    session.tabActivated(IdentityTab::Summary);
    EXPECT_TRUE(session.modified());
    EXPECT_TRUE(session.saveCommand(kEditor));
    EXPECT_FALSE(session.modified());
    EXPECT_EQ(phoneOnDisk(u"Home"), u"777");
}

TEST_F(IdentityEditorSessionTest, CloseQuestionCancelKeepsTheEditsNoDropsThem) {
    showCard(u"Home");
    type(u"phone", u"1");
    session.markModified();
    prompts.queueAnswer(kIdCancel);
    EXPECT_FALSE(session.mayClose(kEditor));
    EXPECT_TRUE(session.modified());
    EXPECT_EQ(prompts.shown()[0].text, u"Identity was changed.\nDo you want to save the changes?");
    prompts.queueAnswer(kIdNo);
    EXPECT_TRUE(session.mayClose(kEditor));
    EXPECT_EQ(phoneOnDisk(u"Home"), u"");
}

TEST_F(IdentityEditorSessionTest, ResetShowsTheFileAgainAndCustomFieldsMarkTheCard) {
    showCard(u"Home");
    session.tabActivated(IdentityTab::Custom);
    EXPECT_TRUE(session.viewState().customTabActive);
    session.addCustomField();
    EXPECT_TRUE(session.modified());
    EXPECT_EQ(sessionRecord.customFields.size(), 4u);
    session.reset(kEditor);
    EXPECT_FALSE(session.modified());
    EXPECT_FALSE(session.viewState().customTabActive);
    EXPECT_EQ(sessionRecord.customFields.size(), 3u);
    EXPECT_EQ(element(u"summary").styleDisplay(), u"block");
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

TEST_F(IdentityEditorSessionTest, ProtectedTwiceLeavesEveryFieldReadable) {
    showCard(u"Home");
    type(u"phone", u"unsaved");  // the toggle touches the file only
    session.markModified();
    session.toggleProtection(kEditor);
    EXPECT_TRUE(session.viewState().cardProtected);
    bool isProtected = false;
    ASSERT_TRUE(sessionRecord.readProtection(cardPath(u"Home") + u".vrt", isProtected));
    EXPECT_TRUE(isProtected);
    EXPECT_EQ(phoneOnDisk(u"Home"), u"");
    session.toggleProtection(kEditor);
    EXPECT_FALSE(session.viewState().cardProtected);
    IdentityRecord reader(gate, prompts, NativeFileSystem(), IdentityMessages());
    ASSERT_EQ(reader.load(cardPath(u"Home") + u".vrt"), kCardLoaded);
    EXPECT_EQ(reader.fields[u"[NAME]"], u"|Home");
    EXPECT_EQ(reader.customFields.size(), 3u);
    EXPECT_TRUE(session.modified());
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(IdentityEditorSessionTest, ProtectedAsksForThePasswordAndACancelChangesNothing) {
    showCard(u"Home");
    ClearCurrentPrimaryPassword();
    gate.refuse();
    const std::string before = ReadBytes(cardPath(u"Home") + u".vrt");
    const int asks = gate.asks();
    session.toggleProtection(kEditor);
    EXPECT_EQ(gate.asks(), asks + 1);
    EXPECT_EQ(ReadBytes(cardPath(u"Home") + u".vrt"), before);
    EXPECT_FALSE(session.viewState().cardProtected);
}

TEST_F(IdentityEditorSessionTest, AnotherUsersCardIsNotUnprotected) {
    makeCard(u"Theirs", false);  // sealed with alice123
    showCard(u"Home");
    ASSERT_EQ(session.selectionChanged(card(u"Theirs"), kEditor).kind, SelectionOutcome::Kind::Shown);
    const std::string before = ReadBytes(cardPath(u"Theirs") + u".vrt");
    ClearCurrentPrimaryPassword();
    gate.give("bobby123");
    prompts.queueAnswer(kIdOk);
    session.toggleProtection(kEditor);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text, u"This ID card does not belong to the current user.");
    EXPECT_EQ(ReadBytes(cardPath(u"Theirs") + u".vrt"), before);
}

TEST_F(IdentityEditorSessionTest, ProtectedOnADamagedCardGetsTheDamagedCardTreatmentAndWritesNothing) {
    showCard(u"Home");
    testing::WriteBytes(cardPath(u"Home") + u".vrt", "damaged since it was shown");
    prompts.queueAnswer(kIdNo);
    const SelectionOutcome outcome = session.toggleProtection(kEditor);
    EXPECT_EQ(outcome.kind, SelectionOutcome::Kind::Reload);
    EXPECT_EQ(outcome.path, root.path());
    EXPECT_EQ(ReadBytes(cardPath(u"Home") + u".vrt"), "damaged since it was shown");
    EXPECT_FALSE(session.cardOnShow());
}

}  // namespace
}  // namespace tarnwick
