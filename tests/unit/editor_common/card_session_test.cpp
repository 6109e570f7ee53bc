// The card session of both editors, run once per card kind on real card
// files: what the user typed reaches the card it belongs to, or stays on the
// form, marked modified, with a message saying why, whatever comes next.
#include "editor_common/card_session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "cardtree/card_tree.h"
#include "cardtree/tree_flavour.h"
#include "cards/identity_record.h"
#include "cards/passcard_record.h"
#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/message_box.h"
#include "foundation/primary_password.h"
#include "htmlform/document.h"
#include "identity_editor/identity_editor_session.h"
#include "passcard_editor/passcard_editor_session.h"
#include "support/faulty_file_system.h"
#include "support/recording_windows.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_password_gate.h"

namespace tarnwick {
namespace {

using testing::FaultyFileSystem;
using testing::ReadBytes;

constexpr WindowRef kEditor = 0x99;

std::unique_ptr<htmlform::Document> loadPage(const char* file) {
    std::ifstream in(std::string(TARNWICK_SOURCE_DIR) + file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return htmlform::Document::parse(std::u16string(bytes.begin(), bytes.end()));
}

// What the tests share: a user folder, the ports, a tree over the folder.
struct Library {
    Library() { ClearCurrentPrimaryPassword(); }
    ~Library() { ClearCurrentPrimaryPassword(); }
    std::u16string item(std::u16string_view name) const { return root.path() + u"\\" + std::u16string(name); }

    testing::TempFolder root;
    test::TestPasswordGate gate{"alice123"};
    test::ScriptedPrompts prompts;
    testing::RecordingWindows windows;
    testing::RecordingLauncher launcher;
    WindowSignals signals{windows, launcher};
    FaultyFileSystem files{NativeFileSystem()};
    EditorClipboard clipboard;
};

// The identity kind: the card's e-mail address is the value typed and checked.
struct IdentityKind {
    static const TreeFlavour& flavour() { return IdentityTreeFlavour(); }
    explicit IdentityKind(Library& library)
        : lib(library),
          record(lib.gate, lib.prompts, lib.files, IdentityMessages()),
          session(lib.root.path(), record, lib.prompts, lib.files, IdentityMessages()) {}

    void makeCard(std::u16string_view name, bool isProtected = false) {
        IdentityRecord writer(lib.gate, lib.prompts, NativeFileSystem(), IdentityMessages());
        writer.resetToNewCard(name);
        writer.fields[u"[EMAIL]"] = u"old@example.org";
        ASSERT_EQ(writer.save(lib.item(name) + u".vrt", !isProtected), CardWriteResult::Written);
    }
    void pageLoaded() { session.pageLoaded(view); }
    void type(std::u16string_view text) {
        page->userSetValue(*page->getElementById(u"email"), text);
        session.markModified();
    }
    std::u16string onDisk(std::u16string_view name) {
        IdentityRecord reader(lib.gate, lib.prompts, NativeFileSystem(), IdentityMessages());
        EXPECT_EQ(reader.load(lib.item(name) + u".vrt"), kCardLoaded);
        return reader.fields[u"[EMAIL]"];
    }

    Library& lib;
    std::unique_ptr<htmlform::Document> page = loadPage("/identity_editor/resources/identity_form.html");
    IdentityFormView view{*page, IdentityMessages()};
    IdentityRecord record;
    IdentityEditorSession session;
};

// The passcard kind: the value of its first field.
struct PasscardKind {
    static const TreeFlavour& flavour() { return PasscardTreeFlavour(); }
    explicit PasscardKind(Library& library)
        : lib(library),
          record(lib.gate, lib.prompts, lib.files, PasscardMessages()),
          session(lib.root.path(), record,
                  OptionStore(lib.root.path(), &lib.prompts, NativeFileSystem(), PasscardMessages()),
                  {lib.prompts, lib.signals, lib.files, PasscardMessages()}) {}

    void makeCard(std::u16string_view name, bool isProtected = false) {
        PasscardRecord writer(lib.gate, lib.prompts, NativeFileSystem(), PasscardMessages());
        writer.matchKey = u"example.org";
        writer.url = u"https://example.org/";
        writer.fieldNames = {u"login", u"pass"};
        writer.fieldTypes = {u"text", u"password"};
        writer.fieldValues = {u"old@example.org", u"pw"};
        writer.protectionMarker = isProtected ? kProtectMarker : kUnprotectMarker;
        ASSERT_EQ(writer.createCard(lib.item(name) + u".vrc"), CardWriteResult::Written);
    }
    void pageLoaded() { session.pageLoaded(view); }
    void type(std::u16string_view text) {
        page->userSetValue(*page->getElementsByTagName(u"input").at(0), text);
        session.markModified();
    }
    std::u16string onDisk(std::u16string_view name) {
        PasscardRecord reader(lib.gate, lib.prompts, NativeFileSystem(), PasscardMessages());
        EXPECT_EQ(reader.load(lib.item(name) + u".vrc"), kCardLoaded);
        return reader.fieldValues.at(0);
    }

    Library& lib;
    std::unique_ptr<htmlform::Document> page = loadPage("/passcard_editor/resources/passcard_form.html");
    PasscardFormView view{*page};
    PasscardRecord record;
    PasscardEditorSession session;
};

template <typename Kind>
class CardSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        lib.prompts.setActiveWindow(kEditor);
        kind.makeCard(u"Home");
        kind.makeCard(u"Work");
        testing::CreateFolder(lib.item(u"Archive"));
        tree.setGuard(&kind.session);
        tree.setOwner(kEditor);
    }
    std::u16string file(std::u16string_view name) const {
        return lib.item(name) + std::u16string(Kind::flavour().extension);
    }
    TreeSelection card(std::u16string_view name) const { return {ItemKind::Card, lib.item(name)}; }
    // The page is ready, `name` is shown and the user typed `text` into it.
    void editCard(std::u16string_view name, std::u16string_view text) {
        kind.pageLoaded();
        ASSERT_EQ(kind.session.selectionChanged(card(name), kEditor).kind, SelectionOutcome::Kind::Shown);
        kind.type(text);
        ASSERT_TRUE(kind.session.modified());
    }
    std::u16string lastBox() const { return lib.prompts.shown().empty() ? u"" : lib.prompts.shown().back().text; }

    Library lib;
    Kind kind{lib};
    CardTree tree{Kind::flavour(), lib.root.path(), lib.clipboard,
                  CardTreePorts{lib.files, lib.prompts, lib.signals, lib.launcher}};
};

using Kinds = ::testing::Types<IdentityKind, PasscardKind>;
TYPED_TEST_SUITE(CardSessionTest, Kinds);

TYPED_TEST(CardSessionTest, TextTheCodePageCannotHoldIsNeverWrittenNorLost) {
    this->editCard(u"Home", u"\u0141\u00f3d\u017a@example.org");  // Łódź
    const std::string before = ReadBytes(this->file(u"Home"));
    auto& session = this->kind.session;
    // Save, another card, and the close question's Yes: each refused, each told.
    this->lib.prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(session.saveCommand(kEditor));
    EXPECT_NE(this->lastBox().find(u"\u0141 \u017a"), std::u16string::npos) << "the message names the characters";
    this->lib.prompts.queueAnswer(kIdOk);
    const SelectionOutcome next = session.selectionChanged(this->card(u"Work"), kEditor);
    EXPECT_EQ(next.kind, SelectionOutcome::Kind::BackToShown);
    EXPECT_EQ(next.path, this->lib.item(u"Home"));
    // The tree's going back is no new selection.
    EXPECT_EQ(session.selectionChanged(this->card(u"Home"), kEditor).kind, SelectionOutcome::Kind::Unchanged);
    this->lib.prompts.queueAnswer(kIdYes);
    this->lib.prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(session.mayClose(kEditor));
    EXPECT_FALSE(session.closeWithoutAsking());
    EXPECT_TRUE(session.modified());
    EXPECT_EQ(session.currentPath(), this->file(u"Home"));
    EXPECT_EQ(ReadBytes(this->file(u"Home")), before);
    EXPECT_EQ(this->lib.prompts.shown().size(), 4u);  // three refusals and the question
}

TYPED_TEST(CardSessionTest, AFailedSaveStopsTheSelectionAndTheTreeOperationThatFollow) {
    this->editCard(u"Home", u"typed@example.org");
    this->lib.files.failCreateWith = kErrorDiskFull;
    this->lib.prompts.queueAnswer(kIdOk);
    EXPECT_EQ(this->kind.session.selectionChanged(this->card(u"Work"), kEditor).kind,
              SelectionOutcome::Kind::BackToShown);
    EXPECT_EQ(this->lastBox(), u"Can not save the card '\\Home':\nThere is not enough space on the disk.");
    // Delete and Rename of the card on show stop at the failed save too.
    this->lib.prompts.queueAnswer(kIdOk);
    this->tree.deleteCard(this->card(u"Home"));
    this->lib.prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(this->tree.renameInPlace(this->card(u"Home"), u"Renamed"));
    EXPECT_TRUE(testing::FileExists(this->file(u"Home")));
    EXPECT_FALSE(testing::FileExists(this->file(u"Renamed")));
    EXPECT_TRUE(this->kind.session.modified());
    this->lib.files.failCreateWith = kErrorSuccess;
    EXPECT_TRUE(this->kind.session.saveCommand(kEditor));
    EXPECT_EQ(this->kind.onDisk(u"Home"), u"typed@example.org");
}

TYPED_TEST(CardSessionTest, ACancelledPasswordPromptOnSaveIsToldAndKeepsTheEdits) {
    this->kind.makeCard(u"Locked", true);
    this->editCard(u"Locked", u"typed@example.org");
    ClearCurrentPrimaryPassword();
    this->lib.gate.refuse();
    this->lib.prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(this->kind.session.saveCommand(kEditor));
    EXPECT_EQ(this->lastBox(),
              u"Can not save the card '\\Locked':\nThe primary password was not given, so the card was not saved.");
    EXPECT_TRUE(this->kind.session.modified());
}

TYPED_TEST(CardSessionTest, ALockKeepsTheEditsOnTheFormUntilThePasswordIsTypedAgain) {
    this->kind.makeCard(u"Locked", true);
    this->editCard(u"Locked", u"typed@example.org");
    auto& session = this->kind.session;
    ASSERT_TRUE(HasCurrentPrimaryPassword());
    session.forgetPrimaryPassword();
    EXPECT_FALSE(HasCurrentPrimaryPassword());
    EXPECT_TRUE(session.modified());
    // The prompt cancelled: the next card waits, the edits are not written and not lost.
    this->lib.gate.refuse();
    this->lib.prompts.queueAnswer(kIdOk);
    EXPECT_EQ(session.selectionChanged(this->card(u"Work"), kEditor).kind, SelectionOutcome::Kind::BackToShown);
    EXPECT_NE(this->lastBox().find(u"The primary password was not given"), std::u16string::npos);
    EXPECT_TRUE(session.modified());
    EXPECT_EQ(session.currentPath(), this->file(u"Locked"));
    // Typed again: what the form still shows reaches the card.
    this->lib.gate.give("alice123");
    EXPECT_TRUE(session.saveCommand(kEditor));
    EXPECT_EQ(this->kind.onDisk(u"Locked"), u"typed@example.org");
}

TYPED_TEST(CardSessionTest, RenamedInPlaceOrDraggedTheEditsReachTheCardUnderItsNewPath) {
    this->editCard(u"Home", u"first@example.org");
    ASSERT_TRUE(this->tree.renameInPlace(this->card(u"Home"), u"House"));
    EXPECT_FALSE(testing::FileExists(this->file(u"Home")));
    EXPECT_EQ(this->kind.onDisk(u"House"), u"first@example.org");
    EXPECT_EQ(this->kind.session.currentPath(), this->file(u"House"));
    // Typed after the rename, then dragged into a folder: still one card, under its newest path.
    this->kind.type(u"second@example.org");
    ASSERT_TRUE(this->tree.dropOnto(this->card(u"House"), {ItemKind::Folder, this->lib.item(u"Archive")}));
    this->kind.type(u"third@example.org");
    EXPECT_TRUE(this->kind.session.saveCommand(kEditor));
    EXPECT_EQ(this->kind.onDisk(u"Archive\\House"), u"third@example.org");
    EXPECT_FALSE(testing::FileExists(this->file(u"House")));
    EXPECT_FALSE(testing::FileExists(this->file(u"Home")));
    EXPECT_TRUE(this->lib.prompts.shown().empty());
}

TYPED_TEST(CardSessionTest, ACardThatCannotBeReadIsToldWithTheReasonAndLeftAlone) {
    this->kind.pageLoaded();
    ASSERT_EQ(this->kind.session.selectionChanged(this->card(u"Home"), kEditor).kind, SelectionOutcome::Kind::Shown);
    const std::string work = ReadBytes(this->file(u"Work"));
    this->lib.files.failOpenForReadingWith = kErrorSharingViolation;
    this->lib.prompts.queueAnswer(kIdOk);
    const SelectionOutcome held = this->kind.session.selectionChanged(this->card(u"Work"), kEditor);
    EXPECT_EQ(held.kind, SelectionOutcome::Kind::BackToShown);
    EXPECT_EQ(held.path, this->lib.item(u"Home"));
    EXPECT_EQ(this->lastBox(),
              u"Can not read the card '\\Work':\nThe process cannot access the file because it is "
              u"being used by another process.");
    // A read that fails part-way is the same, never a throw out of the window.
    this->lib.files.failOpenForReadingWith = kErrorSuccess;
    this->lib.files.readBudget = this->lib.files.bytesRead + 10;
    this->lib.prompts.queueAnswer(kIdOk);
    EXPECT_EQ(this->kind.session.selectionChanged(this->card(u"Work"), kEditor).kind,
              SelectionOutcome::Kind::BackToShown);
    EXPECT_EQ(this->lastBox(), u"Can not read the card '\\Work':\nThe system cannot read from the specified device.");
    EXPECT_EQ(this->lib.prompts.shown().size(), 2u) << "no deletion is offered";
    EXPECT_EQ(ReadBytes(this->file(u"Work")), work);
    EXPECT_EQ(this->kind.session.currentPath(), this->file(u"Home"));
}

TYPED_TEST(CardSessionTest, ProtectedOnACardGoneOrDamagedSaysSo) {
    this->kind.pageLoaded();
    ASSERT_EQ(this->kind.session.selectionChanged(this->card(u"Home"), kEditor).kind, SelectionOutcome::Kind::Shown);
    ASSERT_EQ(NativeFileSystem().deleteFile(this->file(u"Home")), kErrorSuccess);
    this->lib.prompts.queueAnswer(kIdOk);
    EXPECT_EQ(this->kind.session.toggleProtection(kEditor).kind, SelectionOutcome::Kind::Shown);
    EXPECT_EQ(this->lastBox(), u"Can not read the card '\\Home':\nThe system cannot find the file specified.");
    // A damaged file gets the damaged-card question, and the tree is rebuilt at its folder.
    testing::WriteBytes(this->file(u"Home"), "junk");
    this->lib.prompts.queueAnswer(kIdNo);
    const SelectionOutcome damaged = this->kind.session.toggleProtection(kEditor);
    EXPECT_EQ(damaged.kind, SelectionOutcome::Kind::Reload);
    EXPECT_EQ(damaged.path, this->lib.root.path());
    EXPECT_EQ(this->lib.prompts.shown().size(), 2u);
    EXPECT_FALSE(this->kind.session.cardOnShow());
}

TYPED_TEST(CardSessionTest, ACloseRequestSavesFirstAndAFailureWaitsForTheSendersAnswer) {
    this->editCard(u"Home", u"closing@example.org");
    EXPECT_TRUE(this->kind.session.closeWithoutAsking());
    EXPECT_EQ(this->kind.onDisk(u"Home"), u"closing@example.org");
    this->kind.type(u"again@example.org");
    this->lib.files.failCreateWith = kErrorAccessDenied;
    EXPECT_FALSE(this->kind.session.closeWithoutAsking());
    EXPECT_TRUE(this->lib.prompts.shown().empty()) << "no box while the sender waits";
    EXPECT_TRUE(this->kind.session.hasPendingReport());
    this->lib.prompts.queueAnswer(kIdOk);
    this->kind.session.showPendingReport(kEditor);
    this->kind.session.showPendingReport(kEditor);
    ASSERT_EQ(this->lib.prompts.shown().size(), 1u);
    EXPECT_EQ(this->lastBox(), u"Can not save the card '\\Home':\nAccess is denied.");
    EXPECT_TRUE(this->kind.session.modified());
}

TYPED_TEST(CardSessionTest, ACardThatNeverOpenedTakesNoKeyPressAndCopyTakesWhatIsOnScreen) {
    this->kind.makeCard(u"Locked", true);
    ClearCurrentPrimaryPassword();
    this->lib.gate.refuse();
    this->kind.pageLoaded();
    EXPECT_EQ(this->kind.session.selectionChanged(this->card(u"Locked"), kEditor).kind,
              SelectionOutcome::Kind::BackToShown);
    this->kind.session.markModified();
    EXPECT_FALSE(this->kind.session.modified());
    EXPECT_TRUE(this->kind.session.clipboardText().empty());
    this->editCard(u"Home", u"onscreen@example.org");
    EXPECT_NE(this->kind.session.clipboardText().find(u"onscreen@example.org"), std::u16string::npos);
}

}  // namespace
}  // namespace tarnwick
