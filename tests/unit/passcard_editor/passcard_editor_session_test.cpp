// The Passcard Editor's card session on real card files: the view flags, the
// selection and the page, the idle address check, Save, Reset, the field
// commands and their dialogs, Protected and Default, and failed saves.
#include "passcard_editor/passcard_editor_session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/message_box.h"
#include "foundation/primary_password.h"
#include "foundation/text_file.h"
#include "support/faulty_file_system.h"
#include "support/recording_windows.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_password_gate.h"

namespace tarnwick {
namespace {

using testing::FaultyFileSystem;
using testing::ReadBytes;
using Lines = std::vector<std::u16string>;

constexpr WindowRef kEditor = 0x99;

std::unique_ptr<htmlform::Document> loadPasscardPage() {
    std::ifstream file(TARNWICK_SOURCE_DIR "/passcard_editor/resources/passcard_form.html", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return htmlform::Document::parse(std::u16string(bytes.begin(), bytes.end()));
}

class PasscardEditorSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearCurrentPrimaryPassword();
        prompts.setActiveWindow(kEditor);
        WriteTextLines(OptionFilePath(root.path()),
                       {u"[SHOWPASSWORD]", u"1", u"[SHOWTYPE]", u"0", u"[PASSWORDEDITORONTOP]", u"1"});
        create(u"Shop", false, {u"email", u"login", u"pass"}, {u"text", u"text", u"password"},
               {u"a@b.c", u"ann", u"s3cret"});
        create(u"Bank", false);
        windows.addTopLevel(window_class::kTray);
        session = std::make_unique<PasscardEditorSession>(
            root.path(), record, OptionStore(root.path(), &prompts, NativeFileSystem(), PasscardMessages()),
            PasscardSessionPorts{prompts, signals, files, PasscardMessages()});
    }
    void TearDown() override { ClearCurrentPrimaryPassword(); }

    std::u16string path(std::u16string_view name) { return root.path() + u"\\" + std::u16string(name); }
    void create(std::u16string_view name, bool isProtected, Lines names = {u"login", u"pass"},
                Lines types = {u"text", u"password"}, Lines values = {u"bob", u"pw"}) {
        PasscardRecord writer(gate, prompts, NativeFileSystem(), PasscardMessages());
        writer.matchKey = u"shop.example";
        writer.url = u"https://" + std::u16string(name) + u".example/";
        writer.fieldNames = std::move(names);
        writer.fieldTypes = std::move(types);
        writer.fieldValues = std::move(values);
        writer.protectionMarker = isProtected ? kProtectMarker : kUnprotectMarker;
        ASSERT_EQ(writer.createCard(path(name) + u".vrc"), CardWriteResult::Written);
    }
    PasscardRecord onDisk(std::u16string_view name) {
        PasscardRecord reader(gate, prompts, NativeFileSystem(), PasscardMessages());
        EXPECT_EQ(reader.load(path(name) + u".vrc"), kCardLoaded);
        return reader;
    }
    TreeSelection card(std::u16string_view name) { return {ItemKind::Card, path(name)}; }
    void show(std::u16string_view name) {
        session->pageLoaded(view);
        ASSERT_EQ(session->selectionChanged(card(name), kEditor).kind, SelectionOutcome::Kind::Shown);
    }
    std::vector<htmlform::Element*> inputs() { return page->getElementsByTagName(u"input"); }
    void type(std::size_t box, std::u16string_view text) {
        page->userSetValue(*inputs()[box], text);
        session->markModified();
    }

    testing::TempFolder root;
    test::TestPasswordGate gate{"alice123"};
    test::ScriptedPrompts prompts;
    testing::RecordingWindows windows;
    testing::RecordingLauncher launcher;
    WindowSignals signals{windows, launcher};
    FaultyFileSystem files{NativeFileSystem()};
    std::unique_ptr<htmlform::Document> page = loadPasscardPage();
    PasscardFormView view{*page};
    PasscardRecord record{gate, prompts, files, PasscardMessages()};
    // Built in SetUp, once the option file holds the view flags.
    std::unique_ptr<PasscardEditorSession> session;
};

TEST_F(PasscardEditorSessionTest, TheViewFlagsAreReadOnceAndWrittenOnToggleWithoutChangingTheCard) {
    EXPECT_TRUE(session->stars());
    EXPECT_FALSE(session->details());
    EXPECT_TRUE(session->alwaysOnTop());
    show(u"Shop");
    EXPECT_EQ(inputs()[2]->type(), u"password");
    session->toggleStars();
    session->toggleDetails();
    EXPECT_FALSE(session->toggleAlwaysOnTop());
    EXPECT_EQ(inputs()[2]->type(), u"text");
    EXPECT_EQ(ReadOptionLine(root.path(), u"[SHOWPASSWORD]").value, u"0");
    EXPECT_EQ(ReadOptionLine(root.path(), u"[SHOWTYPE]").value, u"1");
    EXPECT_EQ(ReadOptionLine(root.path(), u"[PASSWORDEDITORONTOP]").value, u"0");
    EXPECT_FALSE(session->modified());
}

TEST_F(PasscardEditorSessionTest, ACardSelectedBeforeThePageIsBuiltWhenThePageLoads) {
    EXPECT_EQ(session->selectionChanged(card(u"Bank"), kEditor).kind, SelectionOutcome::Kind::WaitingForPage);
    EXPECT_EQ(session->currentPath(), path(u"Bank") + u".vrc");
    // The address box is still empty: the idle moment leaves the card's address alone.
    session->idle(u"");
    EXPECT_FALSE(session->modified());
    EXPECT_EQ(record.url, u"https://Bank.example/");
    session->pageLoaded(view);
    ASSERT_EQ(inputs().size(), 2u);
    EXPECT_EQ(inputs()[0]->value(), u"bob");
    EXPECT_EQ(session->address(), u"https://Bank.example/");
    EXPECT_TRUE(session->viewState().cardSelected);
}

TEST_F(PasscardEditorSessionTest, SelectingAnotherCardSavesTheEditsWithoutAsking) {
    show(u"Shop");
    type(1, u"annie");
    session->idle(u"https://shop.example/new");
    ASSERT_EQ(session->selectionChanged(card(u"Bank"), kEditor).kind, SelectionOutcome::Kind::Shown);
    EXPECT_TRUE(prompts.shown().empty());
    const PasscardRecord saved = onDisk(u"Shop");
    EXPECT_EQ(saved.fieldValues, (Lines{u"a@b.c", u"annie", u"s3cret"}));
    EXPECT_EQ(saved.url, u"https://shop.example/new");
    EXPECT_FALSE(session->modified());
}

TEST_F(PasscardEditorSessionTest, TheAddressBoxMarksTheCardChangedAndResetRestoresIt) {
    show(u"Bank");
    session->idle(u"https://Bank.example/");
    EXPECT_FALSE(session->modified());
    session->idle(u"https://elsewhere.example/");
    EXPECT_TRUE(session->modified());
    EXPECT_TRUE(session->viewState().changed);
    type(0, u"typed");
    session->reset(kEditor);
    EXPECT_FALSE(session->modified());
    EXPECT_EQ(session->address(), u"https://Bank.example/");
    EXPECT_EQ(inputs()[0]->value(), u"bob");
}

TEST_F(PasscardEditorSessionTest, DeleteFieldGuardsTheUserNameAndPasswordsAndAsksFirst) {
    show(u"Shop");
    prompts.queueAnswer(kIdOk);
    session->deleteField(kEditor);  // nothing focused
    page->setActiveElement(inputs()[1]);
    prompts.queueAnswer(kIdOk);
    session->deleteField(kEditor);
    page->setActiveElement(inputs()[2]);
    prompts.queueAnswer(kIdOk);
    session->deleteField(kEditor);
    ASSERT_EQ(prompts.shown().size(), 3u);
    EXPECT_EQ(prompts.shown()[0].text,
              u"Field to delete is not selected.\nClick the field to be deleted and then select'Edit'->'Delete Field'");
    EXPECT_EQ(prompts.shown()[1].text, u"User Name could not be deleted");
    EXPECT_EQ(prompts.shown()[2].text, u"Password could not be deleted");
    EXPECT_EQ(prompts.shown()[2].caption, u"Tarnwick Warning");
    EXPECT_FALSE(session->modified());
    page->setActiveElement(inputs()[0]);
    prompts.queueAnswer(kIdYes);
    session->deleteField(kEditor);
    EXPECT_EQ(prompts.shown()[3].text, u"Do you want to delete field 'email' ?");
    EXPECT_EQ(record.fieldNames, (Lines{u"login", u"pass"}));
    EXPECT_TRUE(session->modified());
    EXPECT_TRUE(session->saveCommand(kEditor));
    EXPECT_EQ(onDisk(u"Shop").fieldNames, (Lines{u"login", u"pass"}));
}

TEST_F(PasscardEditorSessionTest, AddAndRenameFieldThroughTheirDialogs) {
    show(u"Bank");
    type(0, u"typed first");
    prompts.queueTypedName(u"  PIN");
    session->addField(kEditor);
    ASSERT_EQ(prompts.nameDialogs().size(), 1u);
    EXPECT_EQ(prompts.nameDialogs()[0].look.title, u"New Field Name");
    EXPECT_EQ(prompts.nameDialogs()[0].look.label, u"Field Name :");
    EXPECT_EQ(record.fieldNames, (Lines{u"login", u"pass", u"PIN"}));
    EXPECT_EQ(record.fieldTypes, (Lines{u"text", u"password", u"text"}));
    EXPECT_EQ(inputs()[0]->value(), u"typed first");  // the rebuild kept it
    prompts.queueAnswer(kIdOk);
    session->renameField(kEditor);  // no field focused
    EXPECT_EQ(prompts.shown().back().text,
              u"Field to Rename is not selected.\nClick the field to be renamed and "
              u"then select'Edit'->'Rename Field'");
    page->setActiveElement(inputs()[2]);
    prompts.queueTypedName(u"Code");
    session->renameField(kEditor);
    EXPECT_EQ(prompts.nameDialogs()[1].look.text, u"PIN");
    EXPECT_EQ(prompts.nameDialogs()[1].look.title, u"Rename Field Name");
    EXPECT_TRUE(session->saveCommand(kEditor));
    const PasscardRecord saved = onDisk(u"Bank");
    EXPECT_EQ(saved.fieldNames, (Lines{u"login", u"pass", u"Code"}));
    EXPECT_EQ(saved.fieldTypes, (Lines{u"text", u"password", u"text"}));
    EXPECT_EQ(saved.fieldValues, (Lines{u"typed first", u"pw", u""}));
}

TEST_F(PasscardEditorSessionTest, DefaultTellsTheTrayAndKeepsTheRecordInStep) {
    show(u"Bank");
    session->toggleDefault();
    EXPECT_TRUE(session->viewState().cardDefault);
    ASSERT_EQ(windows.sent().size(), 1u);
    EXPECT_EQ(windows.sent()[0].code, tray_code::kPasscardsChanged);
    EXPECT_EQ(windows.sent()[0].text, path(u"Bank") + u".vrc");
    type(0, u"later edit");
    EXPECT_TRUE(session->saveCommand(kEditor));
    EXPECT_TRUE(onDisk(u"Bank").isDefault(path(u"Bank") + u".vrc"));
}

TEST_F(PasscardEditorSessionTest, ProtectedTwiceLeavesTheCardReadableAndSendsNothing) {
    show(u"Bank");
    session->toggleProtection(kEditor);
    EXPECT_TRUE(session->viewState().cardProtected);
    bool isProtected = false;
    ASSERT_TRUE(record.readProtection(path(u"Bank") + u".vrc", isProtected));
    EXPECT_TRUE(isProtected);
    session->toggleProtection(kEditor);
    EXPECT_FALSE(session->viewState().cardProtected);
    EXPECT_EQ(onDisk(u"Bank").fieldValues, (Lines{u"bob", u"pw"}));
    EXPECT_TRUE(windows.sent().empty());
}

TEST_F(PasscardEditorSessionTest, ACardNotOpenedIsNeverOnShowAndTakesNoEdit) {
    create(u"Locked", true);
    ClearCurrentPrimaryPassword();
    gate.refuse();
    const std::string locked = ReadBytes(path(u"Locked") + u".vrc");
    session->pageLoaded(view);
    EXPECT_EQ(session->selectionChanged(card(u"Locked"), kEditor).kind, SelectionOutcome::Kind::BackToShown);
    EXPECT_TRUE(inputs().empty());
    EXPECT_FALSE(session->cardOnShow());
    session->idle(u"https://typed.example/");
    session->markModified();  // a key press
    EXPECT_FALSE(session->modified());
    EXPECT_TRUE(session->saveCommand(kEditor));
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(ReadBytes(path(u"Locked") + u".vrc"), locked);
}

TEST_F(PasscardEditorSessionTest, AFailedSaveIsReportedTheFileStaysAndCancelKeepsTheWindow) {
    show(u"Bank");
    const std::string before = ReadBytes(path(u"Bank") + u".vrc");
    type(0, u"x");
    files.failReplaceWith = kErrorSharingViolation;
    prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(session->saveAndClose(kEditor));
    EXPECT_EQ(prompts.shown()[0].text,
              u"Can not save the card '\\Bank':\nThe process cannot access the file because "
              u"it is being used by another process.");
    EXPECT_TRUE(session->modified());
    EXPECT_EQ(ReadBytes(path(u"Bank") + u".vrc"), before);
    prompts.queueAnswer(kIdCancel);
    EXPECT_FALSE(session->mayClose(kEditor));
    EXPECT_EQ(prompts.shown()[1].caption, u"Tarnwick Question");
    EXPECT_EQ(prompts.shown()[1].text, u"Passcard was changed.\nDo you want to save the changes?");
    EXPECT_EQ(inputs()[0]->value(), u"x");
}

TEST_F(PasscardEditorSessionTest, ADamagedCardIsDeletedOnYes) {
    testing::WriteBytes(path(u"Bad") + u".vrc", "junk");
    session->pageLoaded(view);
    prompts.queueAnswer(kIdYes);
    const SelectionOutcome outcome = session->selectionChanged(card(u"Bad"), kEditor);
    EXPECT_EQ(outcome.kind, SelectionOutcome::Kind::Reload);
    EXPECT_EQ(outcome.path, root.path());
    EXPECT_EQ(prompts.shown()[0].text, DamagedCardQuestion(CardKind::Passcard, u"\\Bad", PasscardMessages()));
    EXPECT_FALSE(testing::FileExists(path(u"Bad") + u".vrc"));
    EXPECT_FALSE(session->viewState().cardSelected);
}

TEST_F(PasscardEditorSessionTest, CopyTakesWhatWasTyped) {
    show(u"Bank");
    type(1, u"new");
    EXPECT_EQ(session->clipboardText(), u"login : bob\npass : new\nURL : https://Bank.example/\n");
}

}  // namespace
}  // namespace tarnwick
