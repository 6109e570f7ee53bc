// An editor's start: no current user, the hand-over to a running editor of
// the same kind, and the first selection (command line, first card, user folder).
#include "editor_common/editor_startup.h"

#include <string>

#include "editor_common/first_card.h"
#include "editor_fixture.h"
#include "foundation/message_box.h"

namespace tarnwick {
namespace {

using Sent = testing::RecordingWindows::Sent;

class EditorStartUpTest : public EditorFixture {
protected:
    EditorStartUp identityStart{IdentityEditorTraits(), identityProfile, windows};
    EditorStartUp passcardStart{PasscardEditorTraits(), passcardProfile, windows};
};

TEST_F(EditorStartUpTest, WithoutCurrentUserTheErrorIsShownAndNothingIsSentOrOpened) {
    windows.addTopLevel(window_class::kIdentityEditor);
    prompts.queueAnswer(kIdOk);
    EXPECT_EQ(identityStart.begin(u"C:\\anything"), StartUpOutcome::NoCurrentUser);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].owner, kActiveWindow);
    EXPECT_EQ(prompts.shown()[0].caption, u"Tarnwick Error");
    EXPECT_EQ(prompts.shown()[0].text, u"Can not find user file, please create a user.");
    EXPECT_EQ(prompts.shown()[0].style, kMbOk | kMbIconError);
    EXPECT_TRUE(windows.sent().empty());
    EXPECT_TRUE(windows.broughtToFront().empty());
}

TEST_F(EditorStartUpTest, SecondStartWithALibraryPathHandsItToTheFirstWindowOnly) {
    setRootUser();
    const WindowRef first = windows.addTopLevel(window_class::kPasscardEditor);
    windows.addTopLevel(window_class::kPasscardEditor);
    const std::u16string commandLine = userFolder + u"\\Shop\\Store.vrc";
    EXPECT_EQ(passcardStart.begin(commandLine), StartUpOutcome::HandedOver);
    EXPECT_EQ(windows.broughtToFront(), std::vector<WindowRef>{first});
    // The whole command line with its terminating zero: 2 * (length + 1) bytes.
    const auto bytes = static_cast<std::uint32_t>(2 * (commandLine.size() + 1));
    EXPECT_EQ(windows.sent(), (std::vector<Sent>{{first, editor_code::kReload, commandLine, bytes}}));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(EditorStartUpTest, SecondStartWithoutALibraryPathOnlyBringsTheWindowForward) {
    setRootUser();
    const WindowRef running = windows.addTopLevel(window_class::kIdentityEditor);
    EXPECT_EQ(identityStart.begin(u"C:\\Program Files\\Tarnwick\\Mirelune.exe"), StartUpOutcome::HandedOver);
    EXPECT_EQ(windows.broughtToFront(), std::vector<WindowRef>{running});
    EXPECT_TRUE(windows.sent().empty());
}

TEST_F(EditorStartUpTest, OnlyAWindowOfTheSameEditorCounts) {
    setRootUser();
    windows.addTopLevel(window_class::kPasscardEditor);
    EXPECT_EQ(identityStart.begin(userFolder), StartUpOutcome::OpenWindow);
    EXPECT_TRUE(windows.sent().empty());
    EXPECT_TRUE(windows.broughtToFront().empty());
}

TEST_F(EditorStartUpTest, CommandLineContainingTheUserFolderIsSelectedAsItStands) {
    setRootUser();
    ASSERT_EQ(identityStart.begin(u""), StartUpOutcome::OpenWindow);
    makeFile(u"First.vrt");
    const std::u16string card = userFolder + u"\\Work\\Me.vrt";
    const FirstSelection selection = identityStart.firstSelection(card);
    EXPECT_EQ(selection.path, card);
    EXPECT_TRUE(selection.fromCommandLine);
    EXPECT_TRUE(selection.card);
    const FirstSelection folderSelection = identityStart.firstSelection(userFolder + u"\\Work");
    EXPECT_TRUE(folderSelection.fromCommandLine);
    EXPECT_FALSE(folderSelection.card);
    // A launcher quotes a path with a space; the quotes are no part of it.
    const std::u16string spaced = userFolder + u"\\My Work\\Me.vrt";
    const FirstSelection quoted = identityStart.firstSelection(u" \"" + spaced + u"\" ");
    EXPECT_EQ(quoted.path, spaced);
    EXPECT_TRUE(quoted.fromCommandLine);
    EXPECT_TRUE(quoted.card);
}

TEST(UnquotedPath, DropsSurroundingSpacesAndOnePairOfEnclosingQuotes) {
    EXPECT_EQ(UnquotedPath(u"C:\\a b\\c.vrc"), u"C:\\a b\\c.vrc");
    EXPECT_EQ(UnquotedPath(u"  \"C:\\a b\\c.vrc\"\t"), u"C:\\a b\\c.vrc");
    EXPECT_EQ(UnquotedPath(u"\"C:\\a"), u"\"C:\\a");  // unbalanced: left for the path check to refuse
    EXPECT_EQ(UnquotedPath(u"\"\""), u"");
    EXPECT_EQ(UnquotedPath(u"   "), u"");
}

TEST_F(EditorStartUpTest, ACommandLineThatLeadsOutOfTheLibraryIsNoLibraryPath) {
    setRootUser();
    ASSERT_EQ(passcardStart.begin(u""), StartUpOutcome::OpenWindow);
    const std::u16string first = makeFile(u"Shop.vrc");
    const FirstSelection escaped = passcardStart.firstSelection(userFolder + u"\\..\\bob\\Bank.vrc");
    EXPECT_EQ(escaped.path, first);
    EXPECT_FALSE(escaped.fromCommandLine);
    const FirstSelection dotted = passcardStart.firstSelection(userFolder + u"\\Shop\\.\\Store.vrc");
    EXPECT_EQ(dotted.path, userFolder + u"\\Shop\\Store.vrc");
    EXPECT_TRUE(dotted.fromCommandLine);
    EXPECT_TRUE(dotted.card);
}

TEST_F(EditorStartUpTest, WithoutALibraryPathEachEditorFindsItsOwnFirstCard) {
    setRootUser();
    ASSERT_EQ(identityStart.begin(u""), StartUpOutcome::OpenWindow);
    ASSERT_EQ(passcardStart.begin(u""), StartUpOutcome::OpenWindow);
    const std::u16string identity = makeFile(u"b\\Me.vrt");
    const std::u16string passcard = makeFile(u"c\\Shop.vrc");
    const FirstSelection forIdentities = identityStart.firstSelection(u"Mirelune.exe");
    EXPECT_EQ(forIdentities.path, identity);
    EXPECT_FALSE(forIdentities.fromCommandLine);
    EXPECT_TRUE(forIdentities.card);
    EXPECT_EQ(passcardStart.firstSelection(u"").path, passcard);
}

TEST_F(EditorStartUpTest, AnEmptyLibrarySelectsTheUserFolderWithNoCard) {
    setRootUser();
    ASSERT_EQ(passcardStart.begin(u""), StartUpOutcome::OpenWindow);
    makeFile(u"Me.vrt");  // an identity card is no passcard
    const FirstSelection selection = passcardStart.firstSelection(u"");
    EXPECT_EQ(selection.path, userFolder);
    EXPECT_FALSE(selection.card);
    EXPECT_FALSE(selection.fromCommandLine);
}

TEST(NamesLibraryPath, ContainsTheUserFolderAnywhere) {
    EXPECT_TRUE(NamesLibraryPath(u"C:\\data\\alice\\Shop", u"C:\\data\\alice"));
    EXPECT_TRUE(NamesLibraryPath(u"\"C:\\data\\alice\\Shop\"", u"C:\\data\\alice"));
    EXPECT_FALSE(NamesLibraryPath(u"C:\\data\\bob\\Shop", u"C:\\data\\alice"));
    EXPECT_FALSE(NamesLibraryPath(u"", u"C:\\data\\alice"));
    EXPECT_FALSE(NamesLibraryPath(u"anything", u""));
}

class FirstCardTest : public EditorFixture {
protected:
    std::optional<std::u16string> first(std::u16string_view extension = u".vrt") {
        return FindFirstCard(NativeFileSystem(), userFolder, extension);
    }
};

TEST_F(FirstCardTest, AFolderIsSearchedWhenItIsMetNotAfterTheCards) {
    makeFolder(u"a");  // empty: searched, nothing found
    const std::u16string inFolder = makeFile(u"b\\z.vrt");
    makeFile(u"c.vrt");
    EXPECT_EQ(first(), inFolder);
}

TEST_F(FirstCardTest, ACardListedBeforeAFolderComesFirst) {
    const std::u16string card = makeFile(u"a.vrt");
    makeFile(u"b\\x.vrt");
    EXPECT_EQ(first(), card);
}

TEST_F(FirstCardTest, OnlyWhatTheTreeShowsAsACardCounts) {
    makeFile(u".hidden.vrt");
    makeFile(u"a.vrt.bak");
    makeFile(u"b.vrc");
    makeFile(u"c.VRT2");
    const std::u16string inFolderNamedLikeACard = makeFile(u"d.vrt\\deep\\e.vrt");
    EXPECT_EQ(first(), inFolderNamedLikeACard);
    EXPECT_EQ(first(u".vrc"), userFolder + u"\\b.vrc");
}

TEST_F(FirstCardTest, NoCardAndNoLibraryGiveNothing) {
    makeFolder(u"empty");
    EXPECT_EQ(first(), std::nullopt);
    EXPECT_EQ(FindFirstCard(NativeFileSystem(), userFolder + u"\\missing", u".vrt"), std::nullopt);
}

TEST_F(FirstCardTest, ACardPathPastTheLibraryBuffersIsPassedOver) {
    const std::u16string longFolder(200, u'f');
    const std::u16string longName = std::u16string(80, u'n') + u".vrt";
    makeFile(longFolder + u"\\" + longName);
    ASSERT_GT(userFolder.size() + 1 + longFolder.size() + 1 + longName.size(), 259u);
    const std::u16string later = makeFile(u"g.vrt");
    EXPECT_EQ(first(), later);
}

}  // namespace
}  // namespace tarnwick
