// Brenholt end to end under the real window system: the browser stand-in
// plays the browser and its toolbar, test windows play the editors, the CLI
// computes the lists independently, and message boxes are answered as a user
// would answer them.
#include <windows.h>
#include <wtsapi32.h>

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "foundation/option_store.h"
#include "foundation/toolbar_contract.h"
#include "platform/utf8.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_base.h"
#include "platform/win32/win32_windows.h"
#include "support/card_files.h"
#include "support/temp_folder.h"
#include "tray/proxy_service.h"
#include "tray/resources/brenholt_resources.h"
#include "platform/win32/win32_registry.h"
#include "wine/tray/local_http_server.h"
#include "wine/tray/wine_processes.h"

namespace tarnwick {
namespace {

using wine::FindTopLevel;
using wine::Program;
using wine::WaitForTopLevel;
using wine::WaitUntil;

constexpr DWORD kBoundMs = 30'000;

const std::wstring kBrenholt = wine::ProgramPath(TARNWICK_BRENHOLT_PATH);
const std::wstring kStandin = wine::ProgramPath(TARNWICK_STANDIN_PATH);
const std::wstring kCli = wine::ProgramPath(TARNWICK_CLI);

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
std::wstring inQuotes(const std::u16string& text) { return L"\"" + wide(text) + L"\""; }

// The strings of the JSON array named `key` (no nesting; \\ and \" escapes).
std::vector<std::string> jsonArray(const std::string& json, const std::string& key) {
    std::vector<std::string> items;
    std::size_t at = json.find("\"" + key + "\":[");
    if (at == std::string::npos) return {"<missing " + key + ">"};
    at += key.size() + 4;
    while (at < json.size() && json[at] == '"') {
        std::string item;
        for (++at; at < json.size() && json[at] != '"'; ++at) {
            if (json[at] == '\\') ++at;
            item += json[at];
        }
        items.push_back(item);
        at += json[at + 1] == ',' ? 2 : 1;
    }
    return items;
}

// Passcard path -> match key, as published.
std::map<std::string, std::string> matchKeysByPasscard(const std::string& lists) {
    const auto passcards = jsonArray(lists, "passcards");
    const auto keys = jsonArray(lists, "matchKeys");
    std::map<std::string, std::string> pairs;
    for (std::size_t i = 0; i < passcards.size() && i < keys.size(); ++i) pairs[passcards[i]] = keys[i];
    if (passcards.size() != keys.size()) pairs["<count>"] = "differs";
    return pairs;
}

// What the test's editor windows received: "Keslowe 0 path".
std::vector<std::string> editorMessages;

// A window of an editor's class that records the copy-data it receives.
class RecordingEditor : public WindowBase {
public:
    HWND create(std::u16string_view windowClass) {
        return createWindow({.name = windowClass},
                            {.title = u"editor", .style = WS_POPUP, .x = 0, .y = 0, .width = 0, .height = 0})
                   ? handle()
                   : nullptr;
    }

private:
    LRESULT onCopyData(HWND, const COPYDATASTRUCT* data) override {
        const auto received = ReceiveCopyDataMessage(data);
        wchar_t name[64] = {};
        GetClassNameW(handle(), name, 64);
        std::string line = Utf16ToUtf8(FromWide(name)) + " " + std::to_string(received->code);
        if (received->text) line += " " + Utf16ToUtf8(*received->text);
        editorMessages.push_back(line);
        return 0;
    }
};

class TrayEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindTopLevel(L"TARNWICKNTRAY", nullptr, 0), nullptr) << "a tray window is left over";
        root = folder.file(u"data");
        alice = root + u"\\Alice";
        testing::MakeUserFolder(alice, {u"[KEY]", u"0", u"[STARTUPUPDATE]", u"0", u"[BOSSKEY]", u"393281"});
        testing::CreateFolder(alice + u"\\Shop");
        testing::WritePasscard(alice + u"\\Shop\\Store.vrc", u"https://store.example/");
        testing::WritePasscard(alice + u"\\Mail.vrc", u"https://mail.example/");
        testing::WriteIdentityCard(alice + u"\\b.vrt");
        testing::WriteIdentityCard(alice + u"\\A.vrt");
        savedRootUser = registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260);
        setRootUser(alice);
        editorMessages.clear();
    }
    void TearDown() override {
        stopTray();
        if (savedRootUser) setRootUser(*savedRootUser);
    }

    void setRootUser(const std::u16string& path) {
        registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, path);
    }
    std::u16string rootUser() {
        return registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260).value_or(u"<none>");
    }

    HWND startTray() {
        tray = std::make_unique<Program>(kBrenholt);
        EXPECT_TRUE(tray->started());
        trayWindow = WaitForTopLevel(L"TARNWICKNTRAY", nullptr, tray->id(), kBoundMs);
        EXPECT_NE(trayWindow, nullptr) << "Brenholt showed no tray window within the bound";
        return trayWindow;
    }
    void stopTray() {
        if (!tray) return;
        if (trayWindow) PostMessageW(trayWindow, tray_message::kQuit, 0, 0);
        DWORD code = 0;
        EXPECT_TRUE(tray->waitForExit(kBoundMs, code)) << "Brenholt did not end on the quit request";
        tray.reset();
        trayWindow = nullptr;
    }
    // The stand-in with its frames (and dialogs) up.
    void startStandin(int frames, int tabs, bool dialogs) {
        logFile = folder.file(u"standin.log");
        std::wstring line = kStandin + L" serve --frames " + std::to_wstring(frames) + L" --tabs " +
                            std::to_wstring(tabs) + L" --log " + inQuotes(logFile);
        if (dialogs) line += L" --dialogs";
        standin = std::make_unique<Program>(line);
        ASSERT_TRUE(standin->started());
        const DWORD id = standin->id();
        ASSERT_TRUE(WaitUntil(
            [&] {
                return countFrames(id) == frames && (!dialogs || FindTopLevel(L"#32770", L"Tarnwick", id) != nullptr);
            },
            kBoundMs))
            << "the stand-in's windows did not appear";
    }
    static int countFrames(DWORD processId) {
        int count = 0;
        HWND frame = nullptr;
        while ((frame = FindWindowExW(nullptr, frame, L"IEFrame", nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(frame, &owner);
            if (owner == processId) ++count;
        }
        return count;
    }
    std::vector<std::string> logLines() {
        std::vector<std::string> lines;
        std::ifstream in(Utf16ToUtf8(logFile), std::ios::binary);
        std::string line;
        while (std::getline(in, line)) lines.push_back(line);
        return lines;
    }
    std::intptr_t send(CopyDataCode code, std::optional<std::u16string> text = std::nullopt) {
        return windows.sendCopyData(ToWindowRef(trayWindow), code, text);
    }
    // The lists the stand-in reads from the section, as JSON.
    std::string sectionLists() {
        const std::string out = wine::RunCapturing(kStandin + L" sections").text;
        const std::size_t from = out.find("{\"lists\":");
        const std::size_t to = out.find(",\"proxy\":");
        if (from != 0 || to == std::string::npos) return "unreadable: " + out;
        return out.substr(9, to - 9);
    }
    std::string cliLists(const std::u16string& user) {
        return wine::RunCapturing(kCli + L" lists " + inQuotes(user)).text;
    }
    HWND createEditorWindow(std::u16string_view windowClass) {
        const HWND window = editors.emplace_back().create(windowClass);
        EXPECT_NE(window, nullptr);
        return window;
    }

    testing::TempFolder folder;
    std::u16string root;
    std::u16string alice;
    std::u16string logFile;
    Win32Registry registry;
    Win32Windows windows;
    std::optional<std::u16string> savedRootUser;
    std::unique_ptr<Program> tray;
    std::unique_ptr<Program> standin;
    std::deque<RecordingEditor> editors;
    HWND trayWindow = nullptr;
};

TEST_F(TrayEndToEnd, PublishedListsEqualTheCliListsAfterStartAndAfterEachChange) {
    startStandin(2, 2, true);
    const HWND passcardEditor = createEditorWindow(window_class::kPasscardEditor);
    const HWND identityEditor = createEditorWindow(window_class::kIdentityEditor);
    startTray();
    const std::string atStart = sectionLists();
    EXPECT_EQ(atStart, cliLists(alice));
    EXPECT_NE(atStart.find("\"\\\\Shop\\\\Store\""), std::string::npos) << atStart;

    testing::WritePasscard(alice + u"\\Shop\\New.vrc", u"https://new.example/");
    const std::u16string newPasscard = alice + u"\\Shop\\New";
    EXPECT_EQ(send(10, newPasscard), 10);
    const std::string afterPasscard = sectionLists();
    EXPECT_EQ(afterPasscard, cliLists(alice));
    // What the test itself put there: the passcards in any walk order, each
    // with its own match key; the identity cards in ordinal order.
    const std::map<std::string, std::string> expectedKeys = {{"\\Mail", "https://mail.example/"},
                                                             {"\\Shop\\New", "https://new.example/"},
                                                             {"\\Shop\\Store", "https://store.example/"}};
    EXPECT_EQ(matchKeysByPasscard(afterPasscard), expectedKeys);
    EXPECT_EQ(jsonArray(afterPasscard, "identities"), (std::vector<std::string>{"\\A", "\\b"}));

    testing::WriteIdentityCard(alice + u"\\Shop\\Me.vrt");
    EXPECT_EQ(send(20, alice + u"\\Shop"), 20);
    const std::string afterIdentity = sectionLists();
    EXPECT_EQ(afterIdentity, cliLists(alice));
    EXPECT_EQ(jsonArray(afterIdentity, "identities"), (std::vector<std::string>{"\\A", "\\Shop\\Me", "\\b"}));

    // Each frame's first tab answers, so the second tab hears nothing.
    const std::string path = Utf16ToUtf8(newPasscard);
    std::string escaped;
    for (char c : path) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    const std::string page = "{\"class\":\"Internet Explorer_Server\",\"title\":\"\",\"code\":";
    const std::string bar = "{\"class\":\"TARNTOOLBAR\",\"title\":\"\",\"code\":";
    const std::vector<std::string> expected = {
        page + "10,\"text\":null}",
        page + "10,\"text\":null}",
        bar + "0,\"text\":null}",
        bar + "0,\"text\":null}",
        "{\"class\":\"#32770\",\"title\":\"Save Forms\",\"code\":0,\"text\":\"" + escaped + "\"}",
        "{\"class\":\"#32770\",\"title\":\"New Identity\",\"code\":0,\"text\":\"" + escaped + "\"}",
        page + "20,\"text\":null}",
        page + "20,\"text\":null}",
        bar + "1,\"text\":null}",
        bar + "1,\"text\":null}"};
    EXPECT_EQ(logLines(), expected);
    EXPECT_EQ(editorMessages,
              (std::vector<std::string>{"Keslowe 0 " + path, "Mirelune 0 " + Utf16ToUtf8(alice + u"\\Shop")}));
    DestroyWindow(passcardEditor);
    DestroyWindow(identityEditor);
}

TEST_F(TrayEndToEnd, CloseCodeClosesEditorsAndFramesAndUnknownCodesAnswerZero) {
    startStandin(2, 1, false);
    const HWND passcardEditor = createEditorWindow(window_class::kPasscardEditor);
    startTray();
    EXPECT_EQ(send(42, u"ignored"), 0);
    EXPECT_EQ(send(36), 36);
    DWORD code = 1;
    EXPECT_TRUE(standin->waitForExit(kBoundMs, code)) << "the frames were not closed";
    EXPECT_EQ(editorMessages, std::vector<std::string>{"Keslowe 1"});
    DestroyWindow(passcardEditor);
}

TEST_F(TrayEndToEnd, EveryLockForgetsTheRememberedPasswordAndTellsEachEditor) {
    const auto remember = [&] { WriteOptionLine(alice, option_key::kKey, u"sealed-password"); };
    const auto key = [&] { return ReadOptionLine(alice, option_key::kKey).value; };
    const HWND passcardEditor = createEditorWindow(window_class::kPasscardEditor);
    const HWND identityEditor = createEditorWindow(window_class::kIdentityEditor);
    remember();
    startTray();
    EXPECT_EQ(send(tray_code::kLock), 70);
    EXPECT_EQ(key(), u"0");
    EXPECT_EQ(editorMessages, (std::vector<std::string>{"Keslowe 2", "Mirelune 2"}));

    // The session locked, the machine suspending, the menu's Lock.
    const struct {
        UINT message;
        WPARAM wParam;
    } triggers[] = {
        {WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK}, {WM_POWERBROADCAST, PBT_APMSUSPEND}, {WM_COMMAND, IDM_LOCK}};
    for (const auto& trigger : triggers) {
        remember();
        editorMessages.clear();
        SendMessageW(trayWindow, trigger.message, trigger.wParam, 0);
        EXPECT_EQ(key(), u"0") << "message " << trigger.message;
        EXPECT_EQ(editorMessages.size(), 2u) << "message " << trigger.message;
    }
    // Switched off, a session lock keeps the password.
    WriteOptionLine(alice, option_key::kLockOnSessionLock, u"0");
    remember();
    SendMessageW(trayWindow, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
    EXPECT_EQ(key(), u"sealed-password");
    DestroyWindow(passcardEditor);
    DestroyWindow(identityEditor);

    // The CLI asks the tray, then makes sure itself.
    const wine::Output lock = wine::RunCapturing(kCli + L" lock");
    EXPECT_NE(lock.text.find("\"tray\":true"), std::string::npos) << lock.text;
    EXPECT_EQ(key(), u"0");
}

TEST_F(TrayEndToEnd, WithoutAUserTheBrowserProcessesAreEnded) {
    startStandin(1, 1, false);
    setRootUser(u"");
    startTray();
    DWORD code = 1;
    EXPECT_TRUE(standin->waitForExit(kBoundMs, code)) << "the browser still runs";
    EXPECT_EQ(code, 0u);
    const std::string out = wine::RunCapturing(kStandin + L" sections").text;
    EXPECT_EQ(out, "{\"lists\":null,\"proxy\":null}");
}

TEST_F(TrayEndToEnd, ExitHidesTheIconAndTheServicesGoOn) {
    using namespace browser_registry;
    const auto savedPopups = registry.readDword(kTabbedBrowsingKey, kPopupsUseNewWindowValue);
    startTray();
    SendMessageW(trayWindow, WM_COMMAND, tray_message::kCommandExit, 0);
    // A double click on the icon chooses the default item, Exit, again.
    SendMessageW(trayWindow, tray_message::kNotifyIcon, 128, WM_LBUTTONDBLCLK);
    registry.writeDword(kTabbedBrowsingKey, kPopupsUseNewWindowValue, 1);
    EXPECT_EQ(send(103), 1);
    EXPECT_EQ(FindTopLevel(L"TARNWICKNTRAY", nullptr, tray->id()), trayWindow);
    registry.writeDword(kTabbedBrowsingKey, kPopupsUseNewWindowValue, savedPopups.value_or(0));
}

TEST_F(TrayEndToEnd, ASectionMadeBeforeTheTrayIsNeverWritten) {
    // As if the toolbar had made the section first.
    HANDLE early = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      static_cast<DWORD>(file_mapping::kSize), L"TarnwickFileMapping");
    ASSERT_NE(early, nullptr);
    startTray();
    EXPECT_EQ(send(10, alice), 10);
    EXPECT_EQ(sectionLists(), "{\"passcards\":[],\"identities\":[],\"matchKeys\":[]}");
    CloseHandle(early);
}

TEST_F(TrayEndToEnd, ASecondStartEndsWithZero) {
    startTray();
    Program second(kBrenholt);
    DWORD code = 1;
    ASSERT_TRUE(second.waitForExit(kBoundMs, code)) << "the second tray program kept running";
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(FindTopLevel(L"TARNWICKNTRAY", nullptr, second.id()), nullptr);
}

TEST_F(TrayEndToEnd, ProxyAndBrowserSettingsCodesUseTheRegistry) {
    using namespace browser_registry;
    const auto savedServer = registry.readString(kInternetSettingsKey, kProxyServerValue, 260);
    const auto savedEnable = registry.readDword(kInternetSettingsKey, kProxyEnableValue);
    const auto savedPopups = registry.readDword(kTabbedBrowsingKey, kPopupsUseNewWindowValue);
    startTray();
    EXPECT_EQ(send(102, u"proxy.example:8080"), 102);
    EXPECT_EQ(send(101, u"yes"), 101);
    EXPECT_EQ(registry.readDword(kInternetSettingsKey, kProxyEnableValue), 1u);
    EXPECT_EQ(send(100), 100);
    const std::string out = wine::RunCapturing(kStandin + L" sections").text;
    EXPECT_NE(out.find("\"proxy\":{\"proxyServer\":\"proxy.example:8080\",\"proxyEnable\":1}"), std::string::npos)
        << out;
    EXPECT_EQ(send(101, u"0"), 101);
    EXPECT_EQ(registry.readDword(kInternetSettingsKey, kProxyEnableValue), 0u);
    registry.writeDword(kTabbedBrowsingKey, kPopupsUseNewWindowValue, 2);
    EXPECT_EQ(send(103), 2);

    if (savedServer) registry.writeString(kInternetSettingsKey, kProxyServerValue, *savedServer);
    registry.writeDword(kInternetSettingsKey, kProxyEnableValue, savedEnable.value_or(0));
    registry.writeDword(kTabbedBrowsingKey, kPopupsUseNewWindowValue, savedPopups.value_or(0));
}

// Sends on a thread of its own: the tray answers only once its box is closed.
class AsyncSend {
public:
    AsyncSend(HWND tray, CopyDataCode code, std::u16string text)
        : thread_([=, this] {
              Win32Windows windows;
              reply_ = windows.sendCopyData(ToWindowRef(tray), code, std::u16string_view(text));
          }) {}
    std::intptr_t reply() {
        thread_.join();
        return reply_;
    }

private:
    std::intptr_t reply_ = -1;
    std::thread thread_;
};

TEST_F(TrayEndToEnd, BackupAndImportCopyWholeFoldersAndReportInBoxes) {
    startStandin(1, 1, true);
    startTray();
    const std::u16string save = folder.file(u"Save");
    testing::CreateFolder(save);
    AsyncSend backup(trayWindow, 6, save);
    HWND box = WaitForTopLevel(L"#32770", L"Tarnwick", tray->id(), kBoundMs);
    ASSERT_NE(box, nullptr) << "no result box";
    EXPECT_EQ(wine::BoxText(box), L"Backup success of the current user data");
    EXPECT_EQ(GetWindow(box, GW_OWNER), FindTopLevel(L"#32770", L"Tarnwick", standin->id()));
    wine::PressButton(box, IDOK);
    EXPECT_EQ(backup.reply(), 6);
    EXPECT_EQ(testing::ListFolder(save + u"\\Alice"), "A.vrt Mail.vrc Shop b.vrt option.vro");
    EXPECT_EQ(testing::ListFolder(save + u"\\Alice\\Shop"), "Store.vrc");

    const std::u16string bob = folder.file(u"Old\\Bob");
    testing::MakeUserFolder(bob);
    testing::WriteIdentityCard(bob + u"\\Bob.vrt");
    AsyncSend import(trayWindow, 16, bob);
    box = WaitForTopLevel(L"#32770", L"Tarnwick", tray->id(), kBoundMs);
    ASSERT_NE(box, nullptr) << "no result box";
    EXPECT_EQ(wine::BoxText(box), L"Import User Data success");
    wine::PressButton(box, IDOK);
    EXPECT_EQ(import.reply(), 16);
    EXPECT_EQ(testing::ListFolder(root + u"\\Bob"), "Bob.vrt option.vro");
    EXPECT_EQ(rootUser(), alice);
}

TEST_F(TrayEndToEnd, SwitchAndRemoveChangeTheCurrentUserAndTheLists) {
    const std::u16string bob = root + u"\\Bob";
    testing::MakeUserFolder(bob, {u"[STARTUPUPDATE]", u"0"});
    testing::WritePasscard(bob + u"\\Bank.vrc", u"https://bank.example/");
    const std::u16string outside = folder.file(u"Outside");
    testing::MakeUserFolder(outside);
    startTray();

    EXPECT_EQ(send(1, bob), 1);
    EXPECT_EQ(rootUser(), bob);
    EXPECT_EQ(sectionLists(), cliLists(bob));

    EXPECT_EQ(send(0, outside), 0);  // not inside the data root: nothing happens
    EXPECT_TRUE(testing::FileExists(outside + u"\\option.vro"));
    EXPECT_EQ(rootUser(), bob);

    EXPECT_EQ(send(0, bob), 0);
    EXPECT_FALSE(testing::FileExists(bob));
    EXPECT_EQ(rootUser(), alice);
    EXPECT_EQ(sectionLists(), cliLists(alice));
}

// Folders sent to the tray are read as Windows reads them: "/" separates, "."
// and ".." are resolved, trailing dots and spaces go. Whatever the mix, nothing
// outside the data root is deleted or written.
TEST_F(TrayEndToEnd, RemoveAndImportChangeNothingOutsideTheDataRoot) {
    const std::u16string victim = folder.file(u"victim");
    testing::MakeUserFolder(victim);
    testing::WritePasscard(victim + u"\\keep.vrc", u"https://keep.example/");
    const std::u16string bob = root + u"\\Bob";
    testing::MakeUserFolder(bob);
    const std::u16string carol = folder.file(u"Old\\Carol");
    testing::MakeUserFolder(carol);
    testing::WriteIdentityCard(carol + u"\\Me.vrt");
    const std::string outside = testing::ListFolder(folder.path());
    startTray();

    for (const std::u16string& target :
         {alice + u"/../../victim", root + u"\\Alice/..\\../victim", root + u"/./Bob\\..\\..\\victim. ",
          alice + u"\\\\..//..\\victim\\.", u"\\\\?\\" + victim}) {
        EXPECT_EQ(send(0, target), 0);
    }
    EXPECT_EQ(testing::ListFolder(victim), "keep.vrc option.vro");
    EXPECT_EQ(rootUser(), alice);
    // A mix that resolves to a user of the data root removes that user.
    EXPECT_EQ(send(0, root + u"/Alice/..\\Bob. "), 0);
    EXPECT_FALSE(testing::FileExists(bob));
    EXPECT_EQ(rootUser(), alice);

    // The text after the last "\\" climbs out of the data root as it stands;
    // resolved, the copy is Carol's folder, and it lands in the data root.
    AsyncSend import(trayWindow, 16, carol + u"\\x/../../Carol");
    const HWND box = WaitForTopLevel(L"#32770", L"Tarnwick", tray->id(), kBoundMs);
    ASSERT_NE(box, nullptr) << "no result box";
    EXPECT_EQ(wine::BoxText(box), L"Import User Data success");
    wine::PressButton(box, IDOK);
    EXPECT_EQ(import.reply(), 16);
    EXPECT_EQ(testing::ListFolder(root), "Alice Carol");
    EXPECT_EQ(testing::ListFolder(root + u"\\Carol"), "Me.vrt option.vro");
    EXPECT_EQ(testing::ListFolder(folder.path()), outside);
    EXPECT_EQ(testing::ListFolder(carol), "Me.vrt option.vro");
    EXPECT_EQ(rootUser(), alice);
}

TEST_F(TrayEndToEnd, BossKeyHidesAndShowsTheFrames) {
    startStandin(2, 1, false);
    startTray();
    const HWND frame = FindTopLevel(L"IEFrame", nullptr, standin->id());
    ASSERT_TRUE(IsWindowVisible(frame));
    PostMessageW(trayWindow, WM_HOTKEY, tray_message::kBossHotKeyId, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'A'));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(frame); }, kBoundMs)) << "frames still shown";
    PostMessageW(trayWindow, WM_HOTKEY, tray_message::kBossHotKeyId, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'A'));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(frame) != FALSE; }, kBoundMs)) << "frames still hidden";
}

TEST_F(TrayEndToEnd, UpdateCheckAsksForANewerVersionAndOpensTheDownloadPage) {
    wine::LocalHttpServer server("[VERSION]\r\n1.0.1\r\n");
    ASSERT_TRUE(server.listening());
    testing::MakeUserFolder(alice, {u"[STARTUPUPDATE]", u"1"});
    const std::wstring site = server.site();
    const std::wstring address = site + L"/Update.txt";
    SetEnvironmentVariableW(L"TARNWICK_UPDATE_URL", address.c_str());
    startStandin(1, 1, false);
    startTray();
    SetEnvironmentVariableW(L"TARNWICK_UPDATE_URL", nullptr);
    const HWND box = WaitForTopLevel(L"#32770", L"Tarnwick Question", tray->id(), kBoundMs);
    ASSERT_NE(box, nullptr) << "no update question";
    EXPECT_EQ(wine::BoxText(box), L"Tarnwick : Version 1.0.1 is available. You are using version 1.0.0\nUpgrade now?");
    wine::PressButton(box, IDYES);
    const std::string opened = "{\"class\":\"Internet Explorer_Server\",\"title\":\"\",\"code\":28,\"text\":\"" +
                               Utf16ToUtf8(std::u16string(site.begin(), site.end())) + "/download.htm\"}";
    EXPECT_TRUE(WaitUntil(
        [&] {
            const auto lines = logLines();
            return std::find(lines.begin(), lines.end(), opened) != lines.end();
        },
        kBoundMs))
        << "the download page did not reach the tab";
    EXPECT_EQ(testing::ReadBytes(root + u"\\Update.log"), "[VERSION]\r\n1.0.1\r\n");
}

}  // namespace
}  // namespace tarnwick
