// The tray window's services: start-up without a user, every copy-data code
// with its reply and effect, the notifications after a change, the boss key.
#include "tray/tray_service.h"

#include <gtest/gtest.h>

#include "foundation/message_box.h"
#include "tray/list_image.h"
#include "tray/proxy_service.h"
#include "unit/tray/tray_fixture.h"

namespace tarnwick {
namespace {

using Texts = std::vector<std::u16string>;
using Sent = testing::RecordingWindows::Sent;
using testing::RecordingWindows;

class TrayServiceTest : public TrayFixture {
protected:
    Texts published(std::size_t offset) {
        const auto bytes = sections.contents(file_mapping::kName);
        return bytes ? ReadBlock(bytes->data(), offset) : Texts{u"<no section>"};
    }
    std::intptr_t send(CopyDataCode code, std::optional<std::u16string> text = std::nullopt) {
        return service->onCopyData(code, text);
    }
};

TEST_F(TrayServiceTest, WithoutAUserBrowsersAreEndedAndNothingIsPublished) {
    const WindowRef frame1 = windows.addTopLevel(window_class::kBrowserFrame);
    const WindowRef frame2 = windows.addTopLevel(window_class::kBrowserFrame);
    startTray();
    EXPECT_EQ(processes.terminated, (std::vector<WindowRef>{frame1, frame2}));
    EXPECT_FALSE(sections.contents(file_mapping::kName));
    EXPECT_TRUE(hotKeys.calls.empty());
    EXPECT_FALSE(service->onCreate(trayWindow));  // no update check
}

TEST_F(TrayServiceTest, StartUpPublishesRegistersAndAsksForTheUpdateCheck) {
    testing::MakeUserFolder(alice, {u"[BOSSKEY]", u"393281", u"[STARTUPUPDATE]", u"1"});
    testing::WritePasscard(alice + u"\\a.vrc", u"key a");
    setRootUser(alice);
    startTray();
    EXPECT_TRUE(processes.terminated.empty());
    EXPECT_EQ(published(file_mapping::kPasscardsOffset), (Texts{u"\\a"}));
    // 393281 = 0x60041: Ctrl and Alt with the A key.
    ASSERT_EQ(hotKeys.calls.size(), 1u);
    EXPECT_EQ(hotKeys.calls[0],
              (testing::RecordingHotKeys::Call{true, trayWindow, 0x1000, kHotKeyControl | kHotKeyAlt, 0x41}));
    EXPECT_TRUE(service->onCreate(trayWindow));
}

TEST_F(TrayServiceTest, TheUpdateCheckIsOffOnlyForZero) {
    setRootUser(alice);
    startTray();
    EXPECT_TRUE(service->onCreate(trayWindow));  // no such key
    testing::MakeUserFolder(alice, {u"[STARTUPUPDATE]", u"0"});
    EXPECT_FALSE(service->onCreate(trayWindow));
    testing::MakeUserFolder(alice, {u"[STARTUPUPDATE]", u""});
    EXPECT_TRUE(service->onCreate(trayWindow));
}

TEST_F(TrayServiceTest, AnotherTrayWindowIsSeen) {
    TrayService first(ports());
    EXPECT_FALSE(first.anotherTrayRuns());
    windows.addTopLevel(window_class::kTray, kTrayWindowTitle);
    EXPECT_TRUE(first.anotherTrayRuns());
}

TEST_F(TrayServiceTest, EveryCodeHasItsReply) {
    setRootUser(alice);
    startTray();
    for (const CopyDataCode code : {6u, 10u, 16u, 20u, 26u, 36u, 61u, 62u, 65u, 100u, 101u, 102u}) {
        prompts.queueAnswer(kIdOk);  // backup and import report
        EXPECT_EQ(send(code, u""), static_cast<std::intptr_t>(code)) << code;
    }
    for (const CopyDataCode code : {3u, 28u, 42u, 64u, 104u, 0x10000u}) {
        EXPECT_EQ(send(code, u"x"), 0) << code;
    }
    // Refused user commands still answer with their code.
    EXPECT_EQ(send(0, u"Z:\\nowhere"), 0);
    EXPECT_EQ(send(1, u"Z:\\nowhere"), 1);
    EXPECT_EQ(send(2, u"Z:\\nowhere"), 2);
}

TEST_F(TrayServiceTest, PasscardChangeRepublishesThenNotifiesTabsToolbarsEditorsAndDialogs) {
    setRootUser(alice);
    startTray();
    const WindowRef frame = windows.addTopLevel(window_class::kBrowserFrame);
    const WindowRef tab = windows.addChild(frame, window_class::kBrowserTab);
    const WindowRef view = windows.addChild(tab, window_class::kPageView);
    const WindowRef page = windows.addChild(view, window_class::kPage, u"", RecordingWindows::EchoCode());
    const WindowRef host = windows.addChild(frame, window_class::kToolbarHost);
    const WindowRef toolbar = windows.addChild(
        windows.addChild(windows.addChild(host, window_class::kToolbarWorker), window_class::kToolbarRebar),
        window_class::kToolbar);
    const WindowRef passcardEditor = windows.addTopLevel(window_class::kPasscardEditor);
    windows.addTopLevel(window_class::kIdentityEditor);
    const WindowRef saveForms = windows.addTopLevel(window_class::kDialog, u"Save Forms");
    const WindowRef newIdentity = windows.addTopLevel(window_class::kDialog, u"New Identity");
    windows.addTopLevel(window_class::kDialog, u"Tarnwick");

    testing::WritePasscard(alice + u"\\new.vrc", u"new key");
    const std::u16string path = alice + u"\\new";
    EXPECT_EQ(send(10, path), 10);
    EXPECT_EQ(published(file_mapping::kPasscardsOffset), (Texts{u"\\new"}));
    const std::uint32_t bytes = static_cast<std::uint32_t>(2 * path.size() + 2);
    const std::vector<Sent> expected = {
        {page, 10, std::nullopt, 0}, {toolbar, 0, std::nullopt, 0}, {passcardEditor, 0, path, bytes},
        {saveForms, 0, path, bytes}, {newIdentity, 0, path, bytes},
    };
    EXPECT_EQ(windows.sent(), expected);
}

TEST_F(TrayServiceTest, IdentityChangeRepublishesAndReachesIdentityEditors) {
    setRootUser(alice);
    startTray();
    const WindowRef identityEditor = windows.addTopLevel(window_class::kIdentityEditor);
    windows.addTopLevel(window_class::kPasscardEditor);
    windows.addTopLevel(window_class::kDialog, u"Save Forms");
    testing::WriteIdentityCard(alice + u"\\Me.vrt");
    EXPECT_EQ(send(20, alice), 20);
    EXPECT_EQ(published(file_mapping::kIdentitiesOffset), (Texts{u"\\Me"}));
    const std::uint32_t bytes = static_cast<std::uint32_t>(2 * alice.size() + 2);
    EXPECT_EQ(windows.sent(), (std::vector<Sent>{{identityEditor, 0, alice, bytes}}));
}

TEST_F(TrayServiceTest, CloseEditorsAndBrowsers) {
    setRootUser(alice);
    startTray();
    const WindowRef identityEditor = windows.addTopLevel(window_class::kIdentityEditor);
    const WindowRef passcardEditor = windows.addTopLevel(window_class::kPasscardEditor);
    const WindowRef frame = windows.addTopLevel(window_class::kBrowserFrame);
    EXPECT_EQ(send(36), 36);
    EXPECT_EQ(windows.sentTo(), (std::vector<WindowRef>{passcardEditor, identityEditor}));
    EXPECT_EQ(windows.posted(), (std::vector<RecordingWindows::Posted>{{frame, kMessageClose, 0, 0}}));
}

TEST_F(TrayServiceTest, ProxyCodesWriteTheSettingsAndTheSnapshot) {
    using namespace browser_registry;
    startTray();
    EXPECT_EQ(send(101, u"1"), 101);
    EXPECT_EQ(registry.readDword(kInternetSettingsKey, kProxyEnableValue), 1u);
    send(101, u"0");
    EXPECT_EQ(registry.readDword(kInternetSettingsKey, kProxyEnableValue), 0u);
    send(101, u"off");
    EXPECT_EQ(registry.readDword(kInternetSettingsKey, kProxyEnableValue), 1u);
    send(101);
    EXPECT_EQ(registry.readDword(kInternetSettingsKey, kProxyEnableValue), 1u);
    EXPECT_EQ(send(102, u"proxy.example:8080"), 102);
    EXPECT_EQ(registry.readString(kInternetSettingsKey, kProxyServerValue, 260), u"proxy.example:8080");
    EXPECT_EQ(internet.announcements, 5);

    EXPECT_EQ(send(100), 100);
    const auto record = sections.contents(proxy_mapping::kName);
    ASSERT_TRUE(record);
    ASSERT_EQ(record->size(), 524u);
    EXPECT_EQ(ReadSlotText(record->data(), 520), u"proxy.example:8080");
    EXPECT_EQ((*record)[520], 1);
    EXPECT_EQ((*record)[521] | (*record)[522] | (*record)[523], 0);
    send(101, u"0");
    send(100);
    EXPECT_EQ((*sections.contents(proxy_mapping::kName))[520], 0);
}

TEST_F(TrayServiceTest, ProxyRecordOfMissingValuesAndALongServer) {
    const ProxyRecord empty = BuildProxyRecord(u"", 0);
    EXPECT_EQ(std::count(empty.begin(), empty.end(), 0), 524);
    const ProxyRecord longServer = BuildProxyRecord(std::u16string(400, u's'), 0x01020304);
    EXPECT_EQ(ReadSlotText(longServer.data(), 520).size(), 259u);
    EXPECT_EQ(longServer[518], 0);
    EXPECT_EQ(longServer[520], 4);
    EXPECT_EQ(longServer[523], 1);
}

TEST_F(TrayServiceTest, AProxySectionMadeByAnotherProcessIsNeverWritten) {
    sections.makeExisting(proxy_mapping::kName);
    startTray();
    send(100);
    send(100);
    EXPECT_EQ(sections.writes(), 0);
    EXPECT_EQ(sections.creations(), 1);
}

TEST_F(TrayServiceTest, PopupsSettingIsTheReplyAndZeroWhenMissing) {
    using namespace browser_registry;
    startTray();
    EXPECT_EQ(send(103), 0);
    registry.writeDword(kTabbedBrowsingKey, kPopupsUseNewWindowValue, 2);
    EXPECT_EQ(send(103), 2);
}

TEST_F(TrayServiceTest, ToolbarKeysOfTheCurrentUserAreDeletedWithTheirSubkeys) {
    setRootUser(alice);
    const std::u16string passcardKey = registry::ToolbarKey(u"Alice", window_class::kPasscardEditor);
    const std::u16string identityKey = registry::ToolbarKey(u"Alice", window_class::kIdentityEditor);
    registry.createKey(passcardKey + u"\\Deep\\Deeper");
    registry.createKey(identityKey + u"\\Deep");
    startTray();
    EXPECT_EQ(send(61), 61);
    EXPECT_TRUE(registry.subkeys(u"Software\\Tarnwick\\Alice\\ToolBar") == Texts{u"Mirelune"});
    EXPECT_EQ(send(62), 62);
    EXPECT_TRUE(registry.subkeys(u"Software\\Tarnwick\\Alice\\ToolBar").empty());
}

TEST_F(TrayServiceTest, ReloadEverythingRereadsTheUserAndRegistersAgain) {
    startTray();
    const std::u16string bob = root + u"\\Bob";
    testing::MakeUserFolder(bob, {u"[BOSSKEY]", u"65602"});  // Shift + B
    testing::WriteIdentityCard(bob + u"\\Bob.vrt");
    setRootUser(bob);
    EXPECT_EQ(send(65), 65);
    EXPECT_EQ(service->user().name, u"Bob");
    EXPECT_EQ(published(file_mapping::kIdentitiesOffset), (Texts{u"\\Bob"}));
    ASSERT_EQ(hotKeys.calls.size(), 1u);
    EXPECT_EQ(hotKeys.calls[0].modifiers, kHotKeyShift);
    EXPECT_EQ(hotKeys.calls[0].virtualKey, 0x42u);
    // 26 unregisters first.
    send(26);
    ASSERT_EQ(hotKeys.calls.size(), 3u);
    EXPECT_FALSE(hotKeys.calls[1].registration);
    EXPECT_TRUE(hotKeys.calls[2].registration);
}

TEST(BossKeyTest, DecodesTheHotKeyControlFlags) {
    EXPECT_EQ(DecodeBossKey(u"393281"), (HotKeyCombination{kHotKeyControl | kHotKeyAlt, 0x41}));
    EXPECT_EQ(DecodeBossKey(u"65536"), (HotKeyCombination{kHotKeyShift, 0}));
    EXPECT_EQ(DecodeBossKey(u"458864"), (HotKeyCombination{kHotKeyShift | kHotKeyControl | kHotKeyAlt, 0x70}));
    EXPECT_EQ(DecodeBossKey(u""), (HotKeyCombination{0, 0}));
    EXPECT_EQ(DecodeBossKey(u" 65x"), (HotKeyCombination{0, 65}));
}

TEST_F(TrayServiceTest, BossKeyHidesThenShowsEveryFrame) {
    setRootUser(alice);
    startTray();
    const WindowRef frame1 = windows.addTopLevel(window_class::kBrowserFrame);
    const WindowRef frame2 = windows.addTopLevel(window_class::kBrowserFrame);
    service->onHotKey(0x1000);
    EXPECT_FALSE(service->bossKey().browsersShown());
    service->onHotKey(0x1000);
    service->onHotKey(0x2000);  // not ours
    const std::vector<std::pair<WindowRef, bool>> expected = {
        {frame1, false}, {frame2, false}, {frame1, true}, {frame2, true}};
    EXPECT_EQ(display.calls, expected);
    EXPECT_TRUE(service->bossKey().browsersShown());

    testing::MakeUserFolder(alice, {u"[BOSSKEYENABLE]", u"0"});
    service->onHotKey(0x1000);
    EXPECT_EQ(display.calls.size(), 4u);
}

}  // namespace
}  // namespace tarnwick
