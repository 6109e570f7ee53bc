// Who the sends between programs reach, in which order, and with what, over a
// recording window system; and the fixed parts of the toolbar contract.
#include "foundation/window_signals.h"

#include <gtest/gtest.h>

#include "support/recording_windows.h"

namespace tarnwick {
namespace {

using testing::RecordingLauncher;
using testing::RecordingWindows;
using Sent = RecordingWindows::Sent;

class WindowSignalsTest : public ::testing::Test {
protected:
    // A tab with the whole chain down to its page window; returns the page.
    WindowRef addTab(WindowRef frame, RecordingWindows::Answer answer) {
        const WindowRef tab = windows.addChild(frame, window_class::kBrowserTab);
        const WindowRef view = windows.addChild(tab, window_class::kPageView);
        return windows.addChild(view, window_class::kPage, u"", std::move(answer));
    }
    // A toolbar host with the chain down to the toolbar; returns the toolbar.
    WindowRef addToolbar(WindowRef frame) {
        const WindowRef host = windows.addChild(frame, window_class::kToolbarHost);
        const WindowRef worker = windows.addChild(host, window_class::kToolbarWorker);
        const WindowRef rebar = windows.addChild(worker, window_class::kToolbarRebar);
        return windows.addChild(rebar, window_class::kToolbar);
    }

    RecordingWindows windows;
    RecordingLauncher launcher;
    WindowSignals signals{windows, launcher};
};

TEST_F(WindowSignalsTest, NotifyTrayMapsKindsToCodesWithThePath) {
    const WindowRef tray = windows.addTopLevel(window_class::kTray, kTrayWindowTitle);
    signals.NotifyTray(notify_kind::kPasscards, u"C:\\data\\Alice\\Shop");
    signals.NotifyTray(notify_kind::kIdentities, u"C:\\data\\Alice\\Shop");
    signals.NotifyTray(2, u"ignored");
    signals.NotifyTray(-1, u"ignored");
    const std::vector<Sent> expected = {
        {tray, tray_code::kPasscardsChanged, u"C:\\data\\Alice\\Shop", 38},
        {tray, tray_code::kIdentitiesChanged, u"C:\\data\\Alice\\Shop", 38},
    };
    EXPECT_EQ(windows.sent(), expected);
}

TEST_F(WindowSignalsTest, NotifyTrayReachesOnlyTheFirstTrayWindow) {
    const WindowRef first = windows.addTopLevel(window_class::kTray, kTrayWindowTitle);
    windows.addTopLevel(window_class::kTray, kTrayWindowTitle);
    signals.NotifyTray(notify_kind::kIdentities, u"\\card");
    EXPECT_EQ(windows.sentTo(), std::vector<WindowRef>{first});
}

TEST_F(WindowSignalsTest, NotifyTrayWithoutTrayWindowSendsNothing) {
    windows.addTopLevel(window_class::kPasscardEditor);
    signals.NotifyTray(notify_kind::kPasscards, u"\\card");
    EXPECT_TRUE(windows.sent().empty());
}

TEST_F(WindowSignalsTest, SendToEditorsReachesEveryWindowOfTheClassInOrder) {
    const WindowRef first = windows.addTopLevel(window_class::kPasscardEditor);
    windows.addTopLevel(window_class::kIdentityEditor);
    const WindowRef second = windows.addTopLevel(window_class::kPasscardEditor);
    signals.SendToEditors(window_class::kPasscardEditor, editor_code::kReload, u"");
    signals.SendToEditors(window_class::kPasscardEditor, editor_code::kClose, std::nullopt);
    const std::vector<Sent> expected = {
        {first, editor_code::kReload, u"", 2},
        {second, editor_code::kReload, u"", 2},
        {first, editor_code::kClose, std::nullopt, 0},
        {second, editor_code::kClose, std::nullopt, 0},
    };
    EXPECT_EQ(windows.sent(), expected);
}

TEST_F(WindowSignalsTest, SendToBrowserTabsStopsEachFrameAtTheFirstTabThatHandlesIt) {
    const auto code = tab_code::kReloadPasscards;
    // Frame 1: the second tab handles it. Frame 2: the first. Frame 3: none does.
    const WindowRef frame1 = windows.addTopLevel(window_class::kBrowserFrame);
    const WindowRef a1 = addTab(frame1, RecordingWindows::Always(0));
    const WindowRef a2 = addTab(frame1, RecordingWindows::EchoCode());
    const WindowRef frame2 = windows.addTopLevel(window_class::kBrowserFrame);
    const WindowRef b1 = addTab(frame2, RecordingWindows::EchoCode());
    addTab(frame2, RecordingWindows::EchoCode());
    const WindowRef frame3 = windows.addTopLevel(window_class::kBrowserFrame);
    const WindowRef c1 = addTab(frame3, RecordingWindows::Always(tab_code::kReloadIdentities));
    const WindowRef c2 = addTab(frame3, RecordingWindows::Always(0));

    signals.SendToBrowserTabs(code);

    EXPECT_EQ(windows.sentTo(), (std::vector<WindowRef>{a1, a2, b1, c1, c2}));
    for (const Sent& one : windows.sent()) {
        EXPECT_EQ(one.code, code);
        EXPECT_EQ(one.text, std::nullopt);
        EXPECT_EQ(one.byteCount, 0u);
    }
}

TEST_F(WindowSignalsTest, SendToBrowserTabsSkipsTabsWithoutThePageChain) {
    const WindowRef frame = windows.addTopLevel(window_class::kBrowserFrame);
    windows.addChild(frame, window_class::kBrowserTab);  // no page view
    const WindowRef noPage = windows.addChild(frame, window_class::kBrowserTab);
    windows.addChild(noPage, window_class::kPageView);
    const WindowRef pageOnTab = windows.addChild(frame, window_class::kBrowserTab);
    windows.addChild(pageOnTab, window_class::kPage, u"", RecordingWindows::EchoCode());
    // Only the first page view of a tab counts, even when a later one has the page.
    const WindowRef twoViews = windows.addChild(frame, window_class::kBrowserTab);
    windows.addChild(twoViews, window_class::kPageView);
    const WindowRef secondView = windows.addChild(twoViews, window_class::kPageView);
    windows.addChild(secondView, window_class::kPage, u"", RecordingWindows::EchoCode());
    const WindowRef reached = addTab(frame, RecordingWindows::EchoCode());

    signals.SendToBrowserTabs(tab_code::kReloadIdentities);

    EXPECT_EQ(windows.sentTo(), std::vector<WindowRef>{reached});
}

TEST_F(WindowSignalsTest, SendToToolbarsFollowsTheChainOfEveryHostOfEveryFrame) {
    const WindowRef frame1 = windows.addTopLevel(window_class::kBrowserFrame);
    const WindowRef t1 = addToolbar(frame1);
    windows.addChild(frame1, window_class::kToolbarHost);  // a host without the chain
    const WindowRef t2 = addToolbar(frame1);
    const WindowRef frame2 = windows.addTopLevel(window_class::kBrowserFrame);
    // Only the first worker of a host is followed.
    const WindowRef host = windows.addChild(frame2, window_class::kToolbarHost);
    windows.addChild(host, window_class::kToolbarWorker);
    const WindowRef laterWorker = windows.addChild(host, window_class::kToolbarWorker);
    const WindowRef rebar = windows.addChild(laterWorker, window_class::kToolbarRebar);
    windows.addChild(rebar, window_class::kToolbar);
    const WindowRef t3 = addToolbar(frame2);

    signals.SendToToolbars(toolbar_code::kReloadIdentityMenus);

    const std::vector<Sent> expected = {
        {t1, toolbar_code::kReloadIdentityMenus, std::nullopt, 0},
        {t2, toolbar_code::kReloadIdentityMenus, std::nullopt, 0},
        {t3, toolbar_code::kReloadIdentityMenus, std::nullopt, 0},
    };
    EXPECT_EQ(windows.sent(), expected);
}

TEST_F(WindowSignalsTest, SendToToolbarDialogsMatchesTheWholeTitleExactly) {
    const WindowRef first = windows.addTopLevel(window_class::kDialog, u"Save Forms");
    windows.addTopLevel(window_class::kDialog, u"Save Forms 2");
    windows.addTopLevel(window_class::kDialog, u"Save Form");
    windows.addTopLevel(window_class::kDialog, u"save forms");
    windows.addTopLevel(window_class::kDialog, u" Save Forms");
    windows.addTopLevel(window_class::kPasscardEditor, u"Save Forms");  // not a dialog
    windows.addChild(first, window_class::kDialog, u"Save Forms");      // not top-level
    const WindowRef second = windows.addTopLevel(window_class::kDialog, u"Save Forms");

    signals.SendToToolbarDialogs(u"Save Forms", u"C:\\data\\Alice\\Shop");

    const std::vector<Sent> expected = {
        {first, dialog_code::kRefreshFolder, u"C:\\data\\Alice\\Shop", 38},
        {second, dialog_code::kRefreshFolder, u"C:\\data\\Alice\\Shop", 38},
    };
    EXPECT_EQ(windows.sent(), expected);
}

TEST_F(WindowSignalsTest, SendToToolbarDialogsWithAnEmptyTitleReachesNoUntitledBox) {
    windows.addTopLevel(window_class::kDialog, u"");
    signals.SendToToolbarDialogs(u"", u"\\x");
    EXPECT_TRUE(windows.sent().empty());
}

TEST_F(WindowSignalsTest, OpenPageInBrowserUsesTheFirstFrameOnly) {
    const WindowRef frame1 = windows.addTopLevel(window_class::kBrowserFrame);
    const WindowRef a1 = addTab(frame1, RecordingWindows::Always(0));
    const WindowRef a2 = addTab(frame1, RecordingWindows::EchoCode());
    addTab(frame1, RecordingWindows::EchoCode());
    const WindowRef frame2 = windows.addTopLevel(window_class::kBrowserFrame);
    addTab(frame2, RecordingWindows::EchoCode());

    signals.OpenPageInBrowser(u"http://example.test/help");

    const std::vector<Sent> expected = {
        {a1, tab_code::kOpenAddress, u"http://example.test/help", 50},
        {a2, tab_code::kOpenAddress, u"http://example.test/help", 50},
    };
    EXPECT_EQ(windows.sent(), expected);
    EXPECT_TRUE(launcher.shellOpens().empty());
}

TEST_F(WindowSignalsTest, OpenPageInBrowserStartsTheBrowserWhenNoTabOpensIt) {
    const WindowRef frame1 = windows.addTopLevel(window_class::kBrowserFrame);
    const WindowRef a1 = addTab(frame1, RecordingWindows::Always(tab_code::kReloadPasscards));
    const WindowRef frame2 = windows.addTopLevel(window_class::kBrowserFrame);
    addTab(frame2, RecordingWindows::EchoCode());  // a later frame is never asked

    signals.OpenPageInBrowser(u"http://example.test/");

    EXPECT_EQ(windows.sentTo(), std::vector<WindowRef>{a1});
    const std::vector<RecordingLauncher::ShellOpen> expected = {{u"iexplore", u"http://example.test/"}};
    EXPECT_EQ(launcher.shellOpens(), expected);
}

TEST_F(WindowSignalsTest, OpenPageInBrowserStartsTheBrowserWhenNoneRuns) {
    signals.OpenPageInBrowser(u"http://example.test/");
    windows.addTopLevel(window_class::kBrowserFrame);  // a frame without tabs
    signals.OpenPageInBrowser(u"http://example.test/2");

    EXPECT_TRUE(windows.sent().empty());
    const std::vector<RecordingLauncher::ShellOpen> expected = {{u"iexplore", u"http://example.test/"},
                                                                {u"iexplore", u"http://example.test/2"}};
    EXPECT_EQ(launcher.shellOpens(), expected);
}

TEST_F(WindowSignalsTest, CloseEditorsAndBrowsersClosesPasscardEditorsThenIdentityEditorsThenFrames) {
    std::vector<std::size_t> postedWhenIdentityEditorAsked;
    const WindowRef identity = windows.addTopLevel(window_class::kIdentityEditor, u"", [&](const ReceivedCopyData&) {
        postedWhenIdentityEditorAsked.push_back(windows.posted().size());
        return std::intptr_t{0};
    });
    const WindowRef frame1 = windows.addTopLevel(window_class::kBrowserFrame);
    const WindowRef passcard1 = windows.addTopLevel(window_class::kPasscardEditor);
    const WindowRef passcard2 = windows.addTopLevel(window_class::kPasscardEditor);
    const WindowRef frame2 = windows.addTopLevel(window_class::kBrowserFrame);

    signals.CloseEditorsAndBrowsers();

    const std::vector<Sent> expectedSent = {
        {passcard1, editor_code::kClose, std::nullopt, 0},
        {passcard2, editor_code::kClose, std::nullopt, 0},
        {identity, editor_code::kClose, std::nullopt, 0},
    };
    EXPECT_EQ(windows.sent(), expectedSent);
    const std::vector<RecordingWindows::Posted> expectedPosted = {{frame1, kMessageClose, 0, 0},
                                                                  {frame2, kMessageClose, 0, 0}};
    EXPECT_EQ(windows.posted(), expectedPosted);
    EXPECT_EQ(postedWhenIdentityEditorAsked, std::vector<std::size_t>{0});  // frames after editors
}

TEST_F(WindowSignalsTest, AllowCopyDataFromLowerIntegrityOnlyOnMajorVersionSix) {
    for (std::uint32_t major : {5u, 10u}) {
        windows.setMajorVersion(major);
        signals.AllowCopyDataFromLowerIntegrity();
    }
    EXPECT_TRUE(windows.allowedMessages().empty());
    windows.setMajorVersion(6);
    signals.AllowCopyDataFromLowerIntegrity();
    EXPECT_EQ(windows.allowedMessages(), std::vector<std::uint32_t>{kMessageCopyData});
}

TEST(ToolbarContract, TrayRepliesWithTheCodeOrZero) {
    EXPECT_EQ(tray_code::FixedReply(tray_code::kPasscardsChanged), std::optional<std::intptr_t>(10));
    EXPECT_EQ(tray_code::FixedReply(tray_code::kRemoveUser), std::optional<std::intptr_t>(0));
    EXPECT_EQ(tray_code::FixedReply(tray_code::kSetProxyServer), std::optional<std::intptr_t>(102));
    EXPECT_EQ(tray_code::FixedReply(42), std::optional<std::intptr_t>(0));
    EXPECT_EQ(tray_code::FixedReply(3), std::optional<std::intptr_t>(0));
    EXPECT_EQ(tray_code::FixedReply(tray_code::kReadPopupsSetting), std::nullopt);
}

TEST(ToolbarContract, ToolbarKeysNameTheUserAndTheEditor) {
    EXPECT_EQ(registry::ToolbarKey(u"Alice", window_class::kPasscardEditor),
              u"Software\\Tarnwick\\Alice\\ToolBar\\Keslowe");
    EXPECT_EQ(registry::ToolbarKey(u"Alice", window_class::kIdentityEditor),
              u"Software\\Tarnwick\\Alice\\ToolBar\\Mirelune");
}

}  // namespace
}  // namespace tarnwick
