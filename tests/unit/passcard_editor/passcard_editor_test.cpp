// The Passcard Editor behind its window, driven the way the window forwards a
// user's actions: commands by id on real card files, their enabling and check
// marks, the boxes they show, the notices they send and what they ask of the
// window; the keyboard watch and the page's edit reports; closing and the
// copy-data requests.
#include "passcard_editor/passcard_editor.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

#include "editor_common/editor_traits.h"
#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/message_box.h"
#include "foundation/primary_password.h"
#include "foundation/text_file.h"
#include "foundation/toolbar_contract.h"
#include "foundation/user_profile.h"
#include "passcard_editor/passcard_commands.h"
#include "platform/host/host_registry.h"
#include "support/faulty_file_system.h"
#include "support/recording_windows.h"
#include "support/scripted_prompts.h"
#include "support/temp_folder.h"
#include "support/test_password_gate.h"

namespace tarnwick {
namespace {

using namespace passcard_command;
using testing::FaultyFileSystem;
using testing::ReadBytes;
using Lines = std::vector<std::u16string>;

constexpr WindowRef kEditor = 0x99;
constexpr std::uint32_t kKeyDown = 0x0100;
constexpr std::uint32_t kMouseDown = 0x0201;

std::unique_ptr<htmlform::Document> loadPasscardPage() {
    std::ifstream file(TARNWICK_SOURCE_DIR "/passcard_editor/resources/passcard_form.html", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return htmlform::Document::parse(std::u16string(bytes.begin(), bytes.end()));
}

// The main window as the editor sees it: what it was asked, in order.
class RecordingPasscardWindow : public PasscardWindow {
public:
    WindowRef handle() const override { return kEditor; }
    void showAddress(const std::u16string& text) override { address = text; }
    void putOnClipboard(const std::u16string& text) override { clipboard.push_back(text); }
    void setTopmost(bool on) override { topmost.push_back(on); }
    void showBars(bool toolbar, bool statusBar) override { bars.emplace_back(toolbar, statusBar); }
    void showAbout(const AboutBoxTexts& texts) override { about.push_back(texts.text); }
    void reloadTree(const std::u16string& path) override { reloads.push_back(path); }
    void selectInTree(const std::u16string& path) override {
        selections.push_back(path);
        if (onSelect) onSelect(path);
    }
    void destroy() override { ++destroyed; }
    void postClose() override { ++closesPosted; }
    void postReport() override { ++reportsPosted; }

    std::u16string address;
    Lines clipboard;
    std::vector<bool> topmost;
    std::vector<std::pair<bool, bool>> bars;
    Lines about;
    Lines reloads;
    Lines selections;
    std::function<void(const std::u16string&)> onSelect;  // the tree's selection notice
    int destroyed = 0;
    int closesPosted = 0;
    int reportsPosted = 0;
};

class PasscardEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearCurrentPrimaryPassword();
        prompts.setActiveWindow(kEditor);
        registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, root.path());
        registry.writeString(registry::kTarnwickKey, registry::kFilePathValue, u"C:\\Program Files\\Tarnwick");
        ASSERT_TRUE(profile.LoadCurrentUser());
        create(u"Shop", {u"email", u"login", u"pass"}, {u"text", u"text", u"password"}, {u"a@b.c", u"ann", u"s3"});
        create(u"Bank");
        windows.addTopLevel(window_class::kTray);
        session = std::make_unique<PasscardEditorSession>(
            root.path(), record, OptionStore(root.path(), &prompts, NativeFileSystem(), PasscardMessages()),
            PasscardSessionPorts{prompts, signals, files, PasscardMessages()});
        editor = std::make_unique<PasscardEditor>(*session, tree, launches, window);
        page->setHost(editor.get());
    }
    void TearDown() override { ClearCurrentPrimaryPassword(); }

    std::u16string path(std::u16string_view name) { return root.path() + u"\\" + std::u16string(name); }
    std::u16string file(std::u16string_view name) { return path(name) + u".vrc"; }
    void create(std::u16string_view name, Lines names = {u"login", u"pass"}, Lines types = {u"text", u"password"},
                Lines values = {u"bob", u"pw"}, std::u16string url = u"https://bank.example/") {
        PasscardRecord writer(gate, prompts, NativeFileSystem(), PasscardMessages());
        writer.matchKey = u"match";
        writer.url = std::move(url);
        writer.fieldNames = std::move(names);
        writer.fieldTypes = std::move(types);
        writer.fieldValues = std::move(values);
        ASSERT_EQ(writer.createCard(file(name)), CardWriteResult::Written);
    }
    PasscardRecord onDisk(std::u16string_view name) {
        PasscardRecord reader(gate, prompts, NativeFileSystem(), PasscardMessages());
        EXPECT_EQ(reader.load(file(name)), kCardLoaded);
        return reader;
    }
    TreeSelection card(std::u16string_view name) { return {ItemKind::Card, path(name)}; }
    TreeSelection rootItem() { return {ItemKind::Root, root.path()}; }
    void show(std::u16string_view name) {
        editor->pageLoaded(view);
        editor->selectionChanged(card(name));
    }
    bool run(unsigned id, std::u16string_view name) { return editor->runCommand(id, card(name)); }
    std::vector<htmlform::Element*> inputs() { return page->getElementsByTagName(u"input"); }
    // Typing as the user does: the page reports the edit itself.
    void type(std::size_t box, std::u16string_view text) { page->userSetValue(*inputs()[box], text); }
    bool stateOf(unsigned id, bool checked = false) {
        for (const CommandState& state : editor->commandStates()) {
            if (state.id == id) return checked ? state.checked : state.enabled;
        }
        ADD_FAILURE() << "command " << id << " not described";
        return false;
    }

    testing::TempFolder root;
    HostRegistry registry;
    test::TestPasswordGate gate{"alice123"};
    test::ScriptedPrompts prompts;
    testing::RecordingWindows windows;
    testing::RecordingLauncher launcher;
    WindowSignals signals{windows, launcher};
    FaultyFileSystem files{NativeFileSystem()};
    UserProfile profile{registry, prompts, NativeFileSystem(), PasscardMessages()};
    EditorClipboard clipboard;
    CardTree tree{PasscardTreeFlavour(), root.path(), clipboard,
                  CardTreePorts{NativeFileSystem(), prompts, signals, launcher}, PasscardMessages()};
    EditorLaunches launches{PasscardEditorTraits(), profile, signals, launcher, PasscardMessages()};
    RecordingPasscardWindow window;
    std::unique_ptr<htmlform::Document> page = loadPasscardPage();
    PasscardFormView view{*page};
    PasscardRecord record{gate, prompts, files, PasscardMessages()};
    std::unique_ptr<PasscardEditorSession> session;
    std::unique_ptr<PasscardEditor> editor;
};

TEST_F(PasscardEditorTest, AFolderSelectionRefusesTheCardCommandsAndSaveWaitsForAChange) {
    editor->pageLoaded(view);
    editor->selectionChanged(rootItem());
    for (unsigned id : {kCopy, kAddField, kRenameField, kDeleteField, kDefault, kPasswordsAsStars, kDetails,
                        PasscardTreeFlavour().commands.toggleProtection}) {
        EXPECT_FALSE(stateOf(id)) << id;
        EXPECT_FALSE(editor->runCommand(id, rootItem())) << id;
    }
    EXPECT_TRUE(stateOf(PasscardTreeFlavour().commands.deleteFolder));
    EXPECT_FALSE(editor->runCommand(common_command::kSave, rootItem()));
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_TRUE(windows.sent().empty());
    EXPECT_TRUE(window.clipboard.empty());
}

TEST_F(PasscardEditorTest, TypingEnablesSaveAndResetAndSaveWritesTheCard) {
    show(u"Bank");
    EXPECT_EQ(window.address, u"https://bank.example/");
    EXPECT_FALSE(stateOf(common_command::kSave));
    type(0, u"robert");
    editor->idle(u"https://bank.example/login");
    EXPECT_TRUE(stateOf(common_command::kSave));
    EXPECT_TRUE(stateOf(kReset));
    EXPECT_TRUE(run(common_command::kSave, u"Bank"));
    const PasscardRecord saved = onDisk(u"Bank");
    EXPECT_EQ(saved.fieldValues, (Lines{u"robert", u"pw"}));
    EXPECT_EQ(saved.url, u"https://bank.example/login");
    EXPECT_EQ(saved.matchKey, u"match");
    EXPECT_FALSE(stateOf(common_command::kSave));
    EXPECT_EQ(window.destroyed, 0);
}

TEST_F(PasscardEditorTest, ResetPutsTheLoadedAddressBackIntoTheBox) {
    show(u"Bank");
    type(1, u"other");
    editor->idle(u"https://typed.example/");
    EXPECT_TRUE(run(kReset, u"Bank"));
    EXPECT_EQ(window.address, u"https://bank.example/");
    EXPECT_EQ(inputs()[1]->value(), u"pw");
    editor->idle(window.address);
    EXPECT_FALSE(stateOf(kReset));
}

TEST_F(PasscardEditorTest, SaveAndCloseWritesThenDestroysAndAFailedWriteKeepsTheWindow) {
    show(u"Bank");
    type(0, u"x");
    const std::string before = ReadBytes(file(u"Bank"));
    files.failReplaceWith = kErrorAccessDenied;
    prompts.queueAnswer(kIdOk);
    EXPECT_TRUE(run(kSaveAndClose, u"Bank"));
    EXPECT_EQ(window.destroyed, 0);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text.rfind(u"Can not save the card '\\Bank':\n", 0), 0u);
    EXPECT_EQ(prompts.shown()[0].caption, u"Tarnwick Error");
    EXPECT_EQ(ReadBytes(file(u"Bank")), before);
    EXPECT_TRUE(session->modified());
    files.failReplaceWith = kErrorSuccess;
    EXPECT_TRUE(run(kSaveAndClose, u"Bank"));
    EXPECT_EQ(window.destroyed, 1);
    EXPECT_EQ(onDisk(u"Bank").fieldValues[0], u"x");
}

TEST_F(PasscardEditorTest, ExitAndCloseAskTheSaveQuestion) {
    show(u"Bank");
    type(0, u"typed");
    prompts.queueAnswer(kIdCancel);
    EXPECT_FALSE(editor->closeRequested());
    EXPECT_EQ(window.destroyed, 0);
    EXPECT_EQ(inputs()[0]->value(), u"typed");
    EXPECT_EQ(prompts.shown()[0].text, u"Passcard was changed.\nDo you want to save the changes?");
    EXPECT_EQ(prompts.shown()[0].style, kMbYesNoCancel | kMbIconQuestion);
    EXPECT_EQ(prompts.shown()[0].owner, kEditor);
    prompts.queueAnswer(kIdNo);
    EXPECT_TRUE(run(common_command::kExit, u"Bank"));
    EXPECT_EQ(window.destroyed, 1);
    EXPECT_EQ(onDisk(u"Bank").fieldValues[0], u"bob");
}

TEST_F(PasscardEditorTest, CopyDataOneClosesWithoutTheQuestionAndZeroReloadsTheTree) {
    show(u"Bank");
    type(0, u"typed");
    const std::u16string request = path(u"Shop");
    const auto bytes = static_cast<std::uint32_t>((request.size() + 1) * 2);
    HandleEditorCopyData(editor_code::kReload, bytes, request.c_str(), *editor);
    EXPECT_EQ(window.reloads, (Lines{request}));
    // The close request saves the edits without asking before the window closes.
    HandleEditorCopyData(editor_code::kClose, 0, nullptr, *editor);
    EXPECT_EQ(window.closesPosted, 1);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_EQ(onDisk(u"Bank").fieldValues[0], u"typed");
}

TEST_F(PasscardEditorTest, CopyPutsTheExactTextOnTheClipboardAndNothingForACardWithoutFields) {
    create(u"Two", {u"User", u"Password"}, {u"text", u"password"}, {u"abc", u"x&y"}, u"");
    create(u"None", {}, {}, {});
    show(u"Two");
    EXPECT_TRUE(run(kCopy, u"Two"));
    ASSERT_EQ(window.clipboard.size(), 1u);
    EXPECT_EQ(window.clipboard[0], u"User : abc\nPassword : x&y\nURL : \n");
    EXPECT_EQ(window.clipboard[0].size(), 33u);
    editor->selectionChanged(card(u"None"));
    EXPECT_EQ(page->body()->innerHtml(), u"<table></table>");
    EXPECT_TRUE(run(kCopy, u"None"));
    EXPECT_EQ(window.clipboard.size(), 1u);
}

TEST_F(PasscardEditorTest, DefaultRewritesOnlyItsLinesTellsTheTrayAndChecksTheCommand) {
    show(u"Bank");
    const Lines before = ReadTextLines(file(u"Bank"));
    EXPECT_FALSE(stateOf(kDefault, true));
    EXPECT_TRUE(run(kDefault, u"Bank"));
    const Lines after = ReadTextLines(file(u"Bank"));
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i + 3 < before.size(); ++i) EXPECT_EQ(after[i], before[i]) << i;
    EXPECT_EQ(after[after.size() - 2], before[before.size() - 2]);
    EXPECT_NE(after[after.size() - 3], before[before.size() - 3]);
    EXPECT_TRUE(stateOf(kDefault, true));
    ASSERT_EQ(windows.sent().size(), 1u);
    EXPECT_EQ(windows.sent()[0].code, tray_code::kPasscardsChanged);
    EXPECT_EQ(windows.sent()[0].text, file(u"Bank"));
    EXPECT_TRUE(run(kDefault, u"Bank"));
    EXPECT_FALSE(stateOf(kDefault, true));
    EXPECT_EQ(ReadTextLines(file(u"Bank")), before);
}

TEST_F(PasscardEditorTest, ADefaultMarkThatCannotBeWrittenIsReportedAndNothingIsSent) {
    show(u"Bank");
    const std::string before = ReadBytes(file(u"Bank"));
    files.failReplaceWith = kErrorAccessDenied;
    prompts.queueAnswer(kIdOk);
    EXPECT_TRUE(run(kDefault, u"Bank"));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text.rfind(u"Can not save the card '\\Bank':\n", 0), 0u);
    EXPECT_EQ(ReadBytes(file(u"Bank")), before);
    EXPECT_FALSE(stateOf(kDefault, true));
    EXPECT_TRUE(windows.sent().empty());
}

TEST_F(PasscardEditorTest, ProtectingAsksForThePasswordAndALaterSaveKeepsTheCardProtected) {
    show(u"Bank");
    EXPECT_EQ(gate.asks(), 0);
    EXPECT_TRUE(run(PasscardTreeFlavour().commands.toggleProtection, u"Bank"));
    EXPECT_EQ(gate.asks(), 1);
    EXPECT_TRUE(stateOf(PasscardTreeFlavour().commands.toggleProtection, true));
    type(0, u"after");
    EXPECT_TRUE(run(common_command::kSave, u"Bank"));
    bool isProtected = false;
    ASSERT_TRUE(record.readProtection(file(u"Bank"), isProtected));
    EXPECT_TRUE(isProtected);
    EXPECT_EQ(onDisk(u"Bank").fieldValues[0], u"after");
    EXPECT_TRUE(windows.sent().empty());
}

TEST_F(PasscardEditorTest, ProtectedWithThePromptCancelledChangesNothingAndSaysNothing) {
    show(u"Bank");
    gate.refuse();
    ClearCurrentPrimaryPassword();
    const std::string before = ReadBytes(file(u"Bank"));
    EXPECT_TRUE(run(PasscardTreeFlavour().commands.toggleProtection, u"Bank"));
    EXPECT_EQ(ReadBytes(file(u"Bank")), before);
    EXPECT_TRUE(prompts.shown().empty());
    EXPECT_FALSE(stateOf(PasscardTreeFlavour().commands.toggleProtection, true));
}

TEST_F(PasscardEditorTest, TextTheCodePageCannotHoldIsRefusedWithItsReasonAndTheEditsStay) {
    show(u"Bank");
    const std::string before = ReadBytes(file(u"Bank"));
    type(0, u"\u4E2D");
    prompts.queueAnswer(kIdOk);
    EXPECT_TRUE(run(common_command::kSave, u"Bank"));
    ASSERT_EQ(prompts.shown().size(), 1u);
    const std::u16string& text = prompts.shown()[0].text;
    EXPECT_EQ(text.rfind(u"Can not save the card '\\Bank':\n", 0), 0u);
    EXPECT_NE(text.find(u"The field \"login\" holds characters that cannot be saved"), std::u16string::npos);
    EXPECT_TRUE(session->modified());
    EXPECT_EQ(ReadBytes(file(u"Bank")), before);
    EXPECT_EQ(inputs()[0]->value(), u"\u4E2D");
}

TEST_F(PasscardEditorTest, FieldCommandsFindTheFocusedRowAndWriteOnSave) {
    show(u"Shop");
    // Field 1 is the user name (the text field nearest before the password).
    page->setActiveElement(inputs()[1]);
    prompts.queueAnswer(kIdOk);
    EXPECT_TRUE(run(kDeleteField, u"Shop"));
    EXPECT_EQ(prompts.shown().back().text, u"User Name could not be deleted");
    page->setActiveElement(inputs()[0]);
    prompts.queueAnswer(kIdYes);
    EXPECT_TRUE(run(kDeleteField, u"Shop"));
    EXPECT_EQ(prompts.shown().back().text, u"Do you want to delete field 'email' ?");
    prompts.queueTypedName(u"Memo");
    EXPECT_TRUE(run(kAddField, u"Shop"));
    page->setActiveElement(inputs()[2]);
    prompts.queueTypedName(u"Note");
    EXPECT_TRUE(run(kRenameField, u"Shop"));
    EXPECT_EQ(prompts.nameDialogs().back().look.text, u"Memo");
    EXPECT_TRUE(stateOf(common_command::kSave));
    EXPECT_TRUE(run(common_command::kSave, u"Shop"));
    const PasscardRecord saved = onDisk(u"Shop");
    EXPECT_EQ(saved.fieldNames, (Lines{u"login", u"pass", u"Note"}));
    EXPECT_EQ(saved.fieldTypes, (Lines{u"text", u"password", u"text"}));
    EXPECT_EQ(saved.fieldValues, (Lines{u"ann", u"s3", u""}));
}

TEST_F(PasscardEditorTest, ViewTogglesWriteTheirOptionsAndAskTheWindow) {
    show(u"Shop");
    EXPECT_TRUE(run(kPasswordsAsStars, u"Shop"));
    EXPECT_EQ(inputs()[2]->type(), u"password");
    EXPECT_TRUE(stateOf(kPasswordsAsStars, true));
    EXPECT_TRUE(run(kDetails, u"Shop"));
    EXPECT_EQ(page->body()->getElementsByTagName(u"td")[0]->textContent(), u"email\u00A0:\u00A0text\u00A0");
    EXPECT_TRUE(run(kAlwaysOnTop, u"Shop"));
    EXPECT_EQ(window.topmost, (std::vector<bool>{true}));
    EXPECT_EQ(ReadOptionLine(root.path(), u"[SHOWPASSWORD]").value, u"1");
    EXPECT_EQ(ReadOptionLine(root.path(), u"[SHOWTYPE]").value, u"1");
    EXPECT_EQ(ReadOptionLine(root.path(), u"[PASSWORDEDITORONTOP]").value, u"1");
    EXPECT_TRUE(run(common_command::kToolbar, u"Shop"));
    EXPECT_TRUE(run(common_command::kStatusBar, u"Shop"));
    EXPECT_EQ(window.bars, (std::vector<std::pair<bool, bool>>{{false, true}, {false, false}}));
    EXPECT_FALSE(stateOf(common_command::kToolbar, true));
    EXPECT_FALSE(session->modified());
}

TEST_F(PasscardEditorTest, TheIdentityEditorAndTheHelpPagesAreStartedAndFailuresTold) {
    EXPECT_TRUE(editor->runCommand(kIdentityEditor, rootItem()));
    EXPECT_EQ(launcher.processes(), (Lines{u"\"C:\\Program Files\\Tarnwick\\Mirelune.exe\""}));
    EXPECT_TRUE(editor->runCommand(32872, rootItem()));
    ASSERT_EQ(launcher.shellOpens().size(), 1u);
    EXPECT_EQ(launcher.shellOpens()[0].parameters, u"http://www.tarnwick.com/faq.htm");
    launcher.failStarts(u"The system cannot find the file specified.");
    prompts.queueAnswer(kIdOk);
    EXPECT_TRUE(editor->runCommand(kIdentityEditor, rootItem()));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].caption, u"Tarnwick Error");
    EXPECT_NE(prompts.shown()[0].text.find(u"The system cannot find the file specified."), std::u16string::npos);
    EXPECT_TRUE(editor->runCommand(common_command::kAbout, rootItem()));
    EXPECT_EQ(window.about, (Lines{u"Passcard Editor\nVersion 1.0.0"}));
}

TEST_F(PasscardEditorTest, TheKeyboardWatchCountsTypingKeysAndLeavesTheTreeAlone) {
    editor->pageLoaded(view);
    EXPECT_EQ(editor->watchMessage(kKeyDown, 'A', false, MessageTarget::Elsewhere), (KeyWatchVerdict{false, false}));
    editor->selectionChanged(card(u"Bank"));
    EXPECT_EQ(editor->watchMessage(kKeyDown, 'A', false, MessageTarget::LibraryTree), (KeyWatchVerdict{false, false}));
    EXPECT_EQ(editor->watchMessage(kKeyDown, 'C', true, MessageTarget::Elsewhere), (KeyWatchVerdict{false, true}));
    EXPECT_EQ(editor->watchMessage(kMouseDown, 0, false, MessageTarget::Elsewhere), (KeyWatchVerdict{false, true}));
    EXPECT_FALSE(session->modified());
    EXPECT_EQ(editor->watchMessage(kKeyDown, 0x08, true, MessageTarget::Elsewhere), (KeyWatchVerdict{true, false}));
    EXPECT_TRUE(session->modified());
}

TEST_F(PasscardEditorTest, TheEditReportOfThePageMarksTheCardChanged) {
    show(u"Bank");
    page->userSetValue(*inputs()[1], u"new password");
    EXPECT_TRUE(session->modified());
    EXPECT_TRUE(stateOf(kReset));
}

TEST_F(PasscardEditorTest, ADamagedCardIsAskedAboutAndTheTreeReloadedAtItsFolder) {
    testing::WriteBytes(file(u"Bad"), "not a card");
    editor->pageLoaded(view);
    prompts.queueAnswer(kIdNo);
    editor->selectionChanged(card(u"Bad"));
    EXPECT_EQ(prompts.shown()[0].caption, u"Tarnwick");
    EXPECT_EQ(window.reloads, (Lines{root.path()}));
    EXPECT_TRUE(testing::FileExists(file(u"Bad")));
}

TEST_F(PasscardEditorTest, RenamingTheCardOnShowSavesItsEditsFirstUnderItsOldName) {
    show(u"Bank");
    type(0, u"kept");
    prompts.queueTypedName(u"Savings");
    EXPECT_TRUE(run(PasscardTreeFlavour().commands.renameCard, u"Bank"));
    EXPECT_FALSE(testing::FileExists(file(u"Bank")));
    EXPECT_EQ(onDisk(u"Savings").fieldValues[0], u"kept");
    EXPECT_FALSE(session->modified());
}

TEST_F(PasscardEditorTest, BeforeThePageLoadsTheAddressBoxIsNotComparedAndThenItsEditIsSavedWithTheFields) {
    editor->selectionChanged(card(u"Bank"));
    // The box is still empty while the card's address waits for the page:
    // neither that nor any text in it counts as an edit yet.
    EXPECT_FALSE(stateOf(common_command::kSave));
    editor->idle(u"");
    editor->idle(u"https://moved.example/");
    EXPECT_FALSE(session->modified());
    EXPECT_FALSE(stateOf(common_command::kSave));
    EXPECT_FALSE(stateOf(kReset));

    editor->pageLoaded(view);
    EXPECT_EQ(window.address, u"https://bank.example/");
    editor->idle(window.address);
    EXPECT_FALSE(session->modified());
    editor->idle(u"https://moved.example/");
    EXPECT_TRUE(stateOf(common_command::kSave));
    EXPECT_TRUE(run(common_command::kSave, u"Bank"));
    const PasscardRecord saved = onDisk(u"Bank");
    EXPECT_EQ(saved.url, u"https://moved.example/");
    EXPECT_EQ(saved.fieldValues, (Lines{u"bob", u"pw"}));
}

TEST_F(PasscardEditorTest, ProtectedOnAnotherUsersCardSaysSoAndLeavesTheFile) {
    test::TestPasswordGate otherGate{"bobby123"};
    PasscardRecord other(otherGate, prompts, NativeFileSystem(), PasscardMessages());
    other.matchKey = u"match";
    other.fieldNames = {u"login"};
    other.fieldTypes = {u"text"};
    other.fieldValues = {u"bob"};
    other.protectionMarker = kProtectMarker;
    ASSERT_EQ(other.createCard(file(u"Theirs")), CardWriteResult::Written);
    ClearCurrentPrimaryPassword();
    const std::string before = ReadBytes(file(u"Theirs"));
    editor->pageLoaded(view);
    prompts.queueAnswer(kIdOk);
    editor->selectionChanged(card(u"Theirs"));
    // The card never opened: the tree goes back, and Protected has no card to act on.
    EXPECT_EQ(window.selections, (Lines{root.path()}));
    EXPECT_FALSE(run(PasscardTreeFlavour().commands.toggleProtection, u"Theirs"));
    ASSERT_EQ(prompts.shown().size(), 1u);
    for (const test::ShownBox& box : prompts.shown()) {
        EXPECT_EQ(box.text, u"This Passcard does not belong to the current user");
        EXPECT_EQ(box.caption, u"Tarnwick Error");
        EXPECT_EQ(box.style, kMbOk | kMbIconError);
    }
    EXPECT_EQ(ReadBytes(file(u"Theirs")), before);
    // Nothing of the card was shown, so nothing is written over it.
    editor->idle(u"https://typed.example/");
    EXPECT_FALSE(run(common_command::kSave, u"Theirs"));
    EXPECT_EQ(ReadBytes(file(u"Theirs")), before);
    // Nor does it stand in the way of the tree's operations on it.
    prompts.queueAnswer(kIdYes);
    EXPECT_TRUE(run(PasscardTreeFlavour().commands.deleteCard, u"Theirs"));
    EXPECT_FALSE(testing::FileExists(file(u"Theirs")));
}

TEST_F(PasscardEditorTest, TreeCommandsActOnPasscardFilesWithTheirNotices) {
    create(u"Bank - Copy1");
    show(u"Bank");
    EXPECT_TRUE(run(PasscardTreeFlavour().commands.copyCard, u"Bank"));
    EXPECT_TRUE(editor->runCommand(PasscardTreeFlavour().commands.paste, rootItem()));
    EXPECT_TRUE(testing::FileExists(path(u"Bank - Copy2") + u".vrc"));
    EXPECT_EQ(onDisk(u"Bank - Copy2").fieldValues, (Lines{u"bob", u"pw"}));
    prompts.queueAnswer(kIdYes);
    EXPECT_TRUE(run(PasscardTreeFlavour().commands.deleteCard, u"Bank - Copy1"));
    EXPECT_EQ(prompts.shown().back().text, u"Do you want to delete Passcard '\\Bank - Copy1'?");
    EXPECT_FALSE(testing::FileExists(path(u"Bank - Copy1") + u".vrc"));
    ASSERT_FALSE(windows.sent().empty());
    EXPECT_EQ(windows.sent().back().code, tray_code::kPasscardsChanged);
}

// The five name dialogs as the window draws them: edit box id, label,
// banner, limit and start text; a rejected name keeps the dialog open with
// the warning its dialog uses (the add-field dialog's is an error).
TEST_F(PasscardEditorTest, TheNameDialogsCarryTheirEditIdsLabelsBannersAndRefusals) {
    show(u"Bank");
    run(PasscardTreeFlavour().commands.newFolder, u"Bank");  // cancelled
    testing::CreateFolder(path(u"Old"));
    prompts.queueTypedName(u"a|b");
    prompts.queueAnswer(kIdOk);
    editor->runCommand(PasscardTreeFlavour().commands.renameFolder, {ItemKind::Folder, path(u"Old")});
    prompts.queueTypedName(u"   ");
    prompts.queueAnswer(kIdOk);
    run(PasscardTreeFlavour().commands.renameCard, u"Bank");
    prompts.queueTypedName(u"a:b");
    prompts.queueAnswer(kIdOk);
    EXPECT_TRUE(run(kAddField, u"Bank"));
    page->setActiveElement(inputs()[0]);
    prompts.queueTypedName(u"");
    prompts.queueAnswer(kIdOk);
    EXPECT_TRUE(run(kRenameField, u"Bank"));

    struct Expected {
        int editId;
        std::u16string_view label, banner, text;
    };
    const Expected expected[] = {{1001, u"Folder Name :", u"New Folder Name", u""},
                                 {1002, u"Folder Name :", u"Rename Folder Name", u"Old"},
                                 {1005, u"Passcard Name :", u"Rename Passcard Name", u"Bank"},
                                 {1006, u"Field Name :", u"New Field Name", u""},
                                 {1006, u"Field Name :", u"Rename Field Name", u"login"}};
    ASSERT_EQ(prompts.nameDialogs().size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const NameDialogLook& look = prompts.nameDialogs()[i].look;
        EXPECT_EQ(look.editId, expected[i].editId) << i;
        EXPECT_EQ(look.label, expected[i].label) << i;
        EXPECT_EQ(look.title, expected[i].banner) << i;
        EXPECT_EQ(look.text, expected[i].text) << i;
        EXPECT_EQ(look.maxChars, 256u) << i;
    }
    const std::u16string tail = u" cannot be empty and it cannot contain characters \\ / : * ? \" < > | ";
    ASSERT_EQ(prompts.shown().size(), 4u);
    const std::u16string_view refusals[][2] = {{u"Folder name", u"Tarnwick Warning"},
                                               {u"Passcard name", u"Tarnwick Warning"},
                                               {u"Field name", u"Tarnwick Error"},
                                               {u"Field name", u"Tarnwick Warning"}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(prompts.shown()[i].text, std::u16string(refusals[i][0]) + tail) << i;
        EXPECT_EQ(prompts.shown()[i].caption, refusals[i][1]) << i;
        EXPECT_EQ(prompts.shown()[i].owner, test::kScriptedDialogWindow) << i;
    }
    EXPECT_EQ(prompts.shown()[2].style & 0xF0u, kMbIconError);
    EXPECT_TRUE(testing::FileExists(path(u"Old")));
    EXPECT_EQ(record.fieldNames, (Lines{u"login", u"pass"}));
}

TEST_F(PasscardEditorTest, TheFocusedFieldIsFoundByItsRowsPlaceAndByItsBoxWhenNothingIsDrawn) {
    show(u"Shop");
    htmlform::Element* row = inputs()[2]->parentElement()->parentElement();
    ASSERT_TRUE(row->hasTag(u"tr"));
    EXPECT_GT(row->offsetHeight(), 0);
    EXPECT_GT(row->offsetTop(), inputs()[1]->parentElement()->parentElement()->offsetTop());
    page->setActiveElement(inputs()[2]);
    EXPECT_EQ(view.selectedField().index, 2);
    EXPECT_EQ(view.selectedField().name, u"pass");
    page->body()->setStyleDisplay(u"none");  // every row at 0
    EXPECT_EQ(view.selectedField().index, 2);
    page->setActiveElement(nullptr);
    EXPECT_EQ(view.selectedField().index, -1);
}

TEST_F(PasscardEditorTest, AnAddressLongerThanTwoThousandCharactersIsKeptWhole) {
    const std::u16string longAddress = u"https://long.example/?" + std::u16string(3000, u'q');
    create(u"Long", {u"login"}, {u"text"}, {u"bob"}, longAddress);
    show(u"Long");
    EXPECT_EQ(window.address, longAddress);
    editor->idle(longAddress);
    EXPECT_FALSE(session->modified());
    type(0, u"robert");
    editor->idle(longAddress);
    EXPECT_TRUE(run(common_command::kSave, u"Long"));
    EXPECT_EQ(onDisk(u"Long").url, longAddress);
    editor->idle(u"https://short.example/");
    EXPECT_TRUE(session->modified());
}

TEST_F(PasscardEditorTest, EditsThatCannotBeSavedKeepTheirCardOnShowWhenAnotherIsSelected) {
    show(u"Bank");
    const std::string before = ReadBytes(file(u"Bank"));
    // The tree tells of the selection it is put back to, as the control does.
    window.onSelect = [&](const std::u16string& item) { editor->selectionChanged({ItemKind::Card, item}); };
    type(0, u"\u4E2D");
    prompts.queueAnswer(kIdOk);
    editor->selectionChanged(card(u"Shop"));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text.rfind(u"Can not save the card '\\Bank':\n", 0), 0u);
    EXPECT_EQ(window.selections, (Lines{path(u"Bank")}));
    EXPECT_EQ(session->currentPath(), file(u"Bank"));
    EXPECT_TRUE(session->modified());
    EXPECT_EQ(inputs()[0]->value(), u"\u4E2D");
    EXPECT_EQ(ReadBytes(file(u"Bank")), before);
    // Once the text can be kept, the next selection saves it and moves on.
    type(0, u"bobby");
    editor->selectionChanged(card(u"Shop"));
    EXPECT_EQ(session->currentPath(), file(u"Shop"));
    EXPECT_EQ(onDisk(u"Bank").fieldValues[0], u"bobby");
}

}  // namespace
}  // namespace tarnwick
