// The Help pages through a running browser or a started one, the other
// editor's start from the program folder, and how failed starts are told.
#include "editor_common/editor_launches.h"

#include "editor_fixture.h"
#include "foundation/message_box.h"

namespace tarnwick {
namespace {

using testing::RecordingLauncher;
using testing::RecordingWindows;

class EditorLaunchesTest : public EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        setRootUser();
        ASSERT_TRUE(identityProfile.LoadCurrentUser());
        ASSERT_TRUE(passcardProfile.LoadCurrentUser());
    }
    // A browser frame with one tab whose page answers copy-data with `reply`.
    WindowRef addBrowserTab(std::intptr_t reply) {
        const WindowRef frame = windows.addTopLevel(window_class::kBrowserFrame);
        const WindowRef tab = windows.addChild(frame, window_class::kBrowserTab);
        const WindowRef view = windows.addChild(tab, window_class::kPageView);
        return windows.addChild(view, window_class::kPage, u"", RecordingWindows::Always(reply));
    }

    EditorLaunches identity{IdentityEditorTraits(), identityProfile, signals, launcher, IdentityMessages()};
    EditorLaunches passcard{PasscardEditorTraits(), passcardProfile, signals, launcher, PasscardMessages()};
};

TEST_F(EditorLaunchesTest, EachHelpCommandHasItsPage) {
    const auto& ide = IdentityEditorTraits();
    EXPECT_EQ(VendorPageAddress(ide, 32826), u"http://blog.tarnwick.com/");
    EXPECT_EQ(VendorPageAddress(ide, 32827), u"http://www.tarnwick.com/manual.htm");
    EXPECT_EQ(VendorPageAddress(ide, 32828), u"http://www.tarnwick.com/faq.htm");
    EXPECT_EQ(VendorPageAddress(ide, 32829), u"http://www.tarnwick.com/download.htm");
    EXPECT_EQ(VendorPageAddress(ide, 32830), u"http://www.tarnwick.com/");
    const auto& pc = PasscardEditorTraits();
    EXPECT_EQ(VendorPageAddress(pc, 32877), u"http://www.tarnwick.com/manual.htm");
    EXPECT_EQ(VendorPageAddress(pc, 32871), u"http://www.tarnwick.com/manual.htm");
    EXPECT_EQ(VendorPageAddress(pc, 32872), u"http://www.tarnwick.com/faq.htm");
    EXPECT_EQ(VendorPageAddress(pc, 32873), u"http://www.tarnwick.com/download.htm");
    EXPECT_EQ(VendorPageAddress(pc, 32874), u"http://www.tarnwick.com/");
    // The other editor's Help ids are not this one's.
    EXPECT_EQ(VendorPageAddress(pc, 32826), std::nullopt);
    EXPECT_EQ(VendorPageAddress(ide, 32877), std::nullopt);
}

TEST_F(EditorLaunchesTest, APageGoesToARunningBrowsersTabWhenOneOpensIt) {
    const WindowRef page = addBrowserTab(static_cast<std::intptr_t>(tab_code::kOpenAddress));
    EXPECT_TRUE(passcard.openVendorPage(32872, kEditorWindow));
    ASSERT_EQ(windows.sent().size(), 1u);
    EXPECT_EQ(windows.sent()[0].to, page);
    EXPECT_EQ(windows.sent()[0].code, tab_code::kOpenAddress);
    EXPECT_EQ(windows.sent()[0].text, u"http://www.tarnwick.com/faq.htm");
    EXPECT_TRUE(launcher.shellOpens().empty());
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(EditorLaunchesTest, WithoutABrowserTheBrowserIsStartedWithThePage) {
    addBrowserTab(0);  // a tab that does not open it
    EXPECT_TRUE(identity.openVendorPage(32830, kEditorWindow));
    EXPECT_EQ(launcher.shellOpens(),
              (std::vector<RecordingLauncher::ShellOpen>{{u"iexplore", u"http://www.tarnwick.com/"}}));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(EditorLaunchesTest, ABrowserThatCannotBeStartedIsReportedWithTheSystemsReason) {
    launcher.failStarts(u"The system cannot find the file specified.");
    prompts.queueAnswer(kIdOk);
    EXPECT_TRUE(identity.openVendorPage(32828, kEditorWindow));
    ASSERT_EQ(prompts.shown().size(), 1u);
    const test::ShownBox& box = prompts.shown()[0];
    EXPECT_EQ(box.owner, kEditorWindow);
    EXPECT_EQ(box.caption, u"Tarnwick Error");
    EXPECT_EQ(box.style, kMbOk | kMbIconError);
    EXPECT_EQ(box.text,
              u"Can not open the web page in the browser:\nhttp://www.tarnwick.com/faq.htm\n"
              u"The system cannot find the file specified.");
}

TEST_F(EditorLaunchesTest, AFailureWithoutAReasonStillSaysSo) {
    launcher.failStarts(u"");
    prompts.queueAnswer(kIdOk);
    passcard.openVendorPage(32874, kEditorWindow);
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text,
              u"Can not open the web page in the browser:\nhttp://www.tarnwick.com/\nThe system gave no reason.");
}

TEST_F(EditorLaunchesTest, AnotherCommandOpensNothing) {
    EXPECT_FALSE(identity.openVendorPage(57664, kEditorWindow));
    EXPECT_TRUE(launcher.shellOpens().empty());
    EXPECT_TRUE(windows.sent().empty());
}

TEST_F(EditorLaunchesTest, TheOtherEditorStartsFromTheProgramFolderQuoted) {
    setProgramFolder(u"C:\\Program Files\\Tarnwick");
    EXPECT_TRUE(identity.startOtherEditor(kEditorWindow));
    EXPECT_TRUE(passcard.startOtherEditor(kEditorWindow));
    EXPECT_EQ(launcher.processes(), (std::vector<std::u16string>{u"\"C:\\Program Files\\Tarnwick\\Keslowe.exe\"",
                                                                 u"\"C:\\Program Files\\Tarnwick\\Mirelune.exe\""}));
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(EditorLaunchesTest, WithoutAProgramFolderOnlyTheProfilesErrorIsShownAndNothingStarts) {
    prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(identity.startOtherEditor(kEditorWindow));
    EXPECT_TRUE(launcher.processes().empty());
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text, u"Can not find program path, please reinstall the Tarnwick");
    EXPECT_EQ(prompts.shown()[0].owner, kActiveWindow);
}

TEST_F(EditorLaunchesTest, AStartThatFailsIsReportedWithTheProgramAndTheReason) {
    setProgramFolder(u"D:\\Tools\\");
    launcher.failStarts(u"Access is denied.");
    prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(passcard.startOtherEditor(kEditorWindow));
    EXPECT_EQ(launcher.processes(), std::vector<std::u16string>{u"\"D:\\Tools\\Mirelune.exe\""});
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].text, u"Can not start the program:\nD:\\Tools\\Mirelune.exe\nAccess is denied.");
    EXPECT_EQ(prompts.shown()[0].caption, u"Tarnwick Error");
}

TEST_F(EditorLaunchesTest, AProgramFolderWithAQuoteStartsNothing) {
    setProgramFolder(u"C:\\x\" calc.exe \"");
    prompts.queueAnswer(kIdOk);
    EXPECT_FALSE(identity.startOtherEditor(kEditorWindow));
    EXPECT_TRUE(launcher.processes().empty());
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_NE(prompts.shown()[0].text.find(u"The program folder's path is not valid."), std::u16string::npos);
}

TEST(ProgramCommandLine, QuotedFullPathOrNothing) {
    EXPECT_EQ(ProgramCommandLine(u"C:\\Tarnwick", u"Keslowe.exe"), u"\"C:\\Tarnwick\\Keslowe.exe\"");
    EXPECT_EQ(ProgramCommandLine(u"C:\\", u"Keslowe.exe"), u"\"C:\\Keslowe.exe\"");
    EXPECT_EQ(ProgramCommandLine(u"", u"Keslowe.exe"), std::nullopt);
    EXPECT_EQ(ProgramCommandLine(u"C:\\a\"b", u"Keslowe.exe"), std::nullopt);
}

}  // namespace
}  // namespace tarnwick
