// The window and launcher adapters against the real API, across two processes:
// the signal peer plays the tray, the editors, a browser with its toolbar and a
// toolbar dialog, and records what reaches it; this process sends.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/toolbar_contract.h"
#include "foundation/window_signals.h"
#include "platform/win32/win32_launcher.h"
#include "platform/win32/win32_windows.h"
#include "support/recording_windows.h"
#include "support/windows_cli.h"

namespace tarnwick {
namespace {

constexpr DWORD kPeerStartBoundMs = 30'000;
constexpr DWORD kPeerEndBoundMs = 10'000;
constexpr DWORD kPeerLifetimeMs = 120'000;  // the peer ends by itself after this

std::wstring uniqueName(const wchar_t* what) {
    static LONG counter = 0;
    return L"TarnwickSignalTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(InterlockedIncrement(&counter)) + L"-" + what;
}

const std::wstring kPeerExe = testing::ProgramPath(TARNWICK_SIGNAL_PEER_PATH);

// One message as the peer recorded it.
struct Record {
    std::string receiver;
    unsigned long long code = 0;
    unsigned long byteCount = 0;
    bool nullData = false;
    std::optional<std::u16string> text;
    // Whether lpData arrives NULL without a payload is the system's affair: not compared.
    bool operator==(const Record& other) const {
        return receiver == other.receiver && code == other.code && byteCount == other.byteCount && text == other.text;
    }
};

std::ostream& operator<<(std::ostream& out, const Record& r) {
    out << r.receiver << " code " << r.code << " cbData " << r.byteCount << (r.nullData ? " lpData NULL" : "")
        << " text ";
    if (!r.text) return out << "(none)";
    for (char16_t unit : *r.text) out << (unit < 0x80 ? char(unit) : '?');
    return out;
}

Record withText(std::string receiver, unsigned long long code, std::u16string text) {
    const unsigned long bytes = static_cast<unsigned long>(2 * text.size() + 2);
    return Record{std::move(receiver), code, bytes, false, std::move(text)};
}
Record withoutText(std::string receiver, unsigned long long code) {
    return Record{std::move(receiver), code, 0, true, std::nullopt};
}

std::string readWholeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) content.append(buffer, got);
    CloseHandle(file);
    return content;
}

Record parseRecord(const std::string& line) {
    std::istringstream in(line);
    Record r;
    in >> r.receiver;
    std::string second;
    in >> second;
    if (second == "close") return Record{r.receiver + " close", 0, 0, false, std::nullopt};
    r.code = std::stoull(second);
    int nullData = 0, hasText = 0;
    std::string hex;
    in >> r.byteCount >> nullData >> hasText >> hex;
    r.nullData = nullData != 0;
    if (hasText) {
        r.text.emplace();
        for (std::size_t i = 0; i + 4 <= hex.size(); i += 4) {
            r.text->push_back(static_cast<char16_t>(std::stoul(hex.substr(i, 4), nullptr, 16)));
        }
    }
    return r;
}

// The peer process: started with its windows, ended at the end of the test.
class SignalPeer {
public:
    SignalPeer() : recordFile_(tempFile()), readyName_(uniqueName(L"ready")), closedName_(uniqueName(L"frame-closed")) {
        ready_ = CreateEventW(nullptr, TRUE, FALSE, readyName_.c_str());
        frameClosed_ = CreateEventW(nullptr, TRUE, FALSE, closedName_.c_str());
        std::wstring line = L"\"" + kPeerExe + L"\" \"" + recordFile_ + L"\" " + readyName_ + L" " + closedName_ +
                            L" " + std::to_wstring(kPeerLifetimeMs);
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info = {};
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
            error_ = "cannot start the signal peer, error " + std::to_string(GetLastError());
            return;
        }
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        processId_ = info.dwProcessId;
        const HANDLE waitFor[] = {ready_, process_};
        switch (WaitForMultipleObjects(2, waitFor, FALSE, kPeerStartBoundMs)) {
            case WAIT_OBJECT_0:
                break;
            case WAIT_OBJECT_0 + 1:
                error_ = "the signal peer ended before its windows existed";
                break;
            default:
                error_ = "the signal peer's windows did not appear within 30 s";
                break;
        }
    }

    ~SignalPeer() {
        if (process_ != nullptr) {
            if (const HWND tray = trayWindow()) PostMessageW(tray, tray_message::kQuit, 0, 0);
            if (WaitForSingleObject(process_, kPeerEndBoundMs) != WAIT_OBJECT_0) {
                ADD_FAILURE() << "the signal peer did not end within 10 s";
                TerminateProcess(process_, 1);
            }
            CloseHandle(process_);
        }
        CloseHandle(ready_);
        CloseHandle(frameClosed_);
        DeleteFileW(recordFile_.c_str());
    }

    const std::string& error() const { return error_; }
    DWORD processId() const { return processId_; }

    bool waitForFrameClosed() { return WaitForSingleObject(frameClosed_, kPeerEndBoundMs) == WAIT_OBJECT_0; }

    std::vector<Record> records() const {
        std::vector<Record> all;
        std::istringstream lines(readWholeFile(recordFile_));
        for (std::string line; std::getline(lines, line);) {
            if (!line.empty()) all.push_back(parseRecord(line));
        }
        return all;
    }

    bool owns(HWND window) const {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return owner == processId_;
    }

private:
    static std::wstring tempFile() {
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        return std::wstring(folder) + uniqueName(L"record.txt");
    }
    HWND trayWindow() const {
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, L"TARNWICKNTRAY", nullptr)) != nullptr) {
            if (owns(window)) return window;
        }
        return nullptr;
    }

    std::wstring recordFile_;
    std::wstring readyName_;
    std::wstring closedName_;
    HANDLE ready_ = nullptr;
    HANDLE frameClosed_ = nullptr;
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
    std::string error_;
};

// The real adapter, seeing only the peer's top-level windows, so that windows of
// other tests running at the same time are neither found nor disturbed.
class PeerWindows : public Win32Windows {
public:
    explicit PeerWindows(const SignalPeer& peer) : peer_(peer) {}
    std::vector<WindowRef> findTopLevel(std::u16string_view windowClass) override {
        std::vector<WindowRef> mine;
        for (WindowRef window : Win32Windows::findTopLevel(windowClass)) {
            if (peer_.owns(ToHwnd(window))) mine.push_back(window);
        }
        return mine;
    }

private:
    const SignalPeer& peer_;
};

class WindowSignalsWine : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(peer.error(), ""); }

    WindowRef only(std::u16string_view windowClass) {
        const auto found = windows.findTopLevel(windowClass);
        EXPECT_EQ(found.size(), 1u) << "top-level windows of the peer's class";
        return found.empty() ? kNoWindow : found.front();
    }

    SignalPeer peer;
    PeerWindows windows{peer};
    testing::RecordingLauncher launcher;
    WindowSignals signals{windows, launcher};
};

TEST_F(WindowSignalsWine, CopyDataArrivesAsSentAndTheReplyComesBack) {
    const WindowRef tray = only(window_class::kTray);
    EXPECT_EQ(windows.sendCopyData(tray, tray_code::kPasscardsChanged, u"C:\\数据\\Shop"), 10);
    EXPECT_EQ(windows.sendCopyData(tray, tray_code::kSelectUser, u""), 1);
    EXPECT_EQ(windows.sendCopyData(tray, tray_code::kReloadBossKey, std::nullopt), 26);
    EXPECT_EQ(windows.sendCopyData(tray, 42, u"ignored"), 0);

    const auto records = peer.records();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0], withText("tray", 10, u"C:\\数据\\Shop"));
    EXPECT_EQ(records[1], withText("tray", 1, u""));
    EXPECT_EQ(records[1].byteCount, 2u);
    EXPECT_EQ(records[2], withoutText("tray", 26));
    EXPECT_EQ(records[3], withText("tray", 42, u"ignored"));
}

TEST_F(WindowSignalsWine, FindsWindowsAndTitlesAsTheSystemHasThem) {
    const WindowRef frame = only(window_class::kBrowserFrame);
    EXPECT_EQ(windows.findChildren(frame, window_class::kBrowserTab).size(), 2u);
    EXPECT_EQ(windows.findChildren(frame, window_class::kToolbar).size(), 0u);  // children only
    EXPECT_NE(windows.findFirstChild(frame, window_class::kToolbarHost), kNoWindow);
    EXPECT_EQ(windows.findFirstChild(frame, window_class::kPage), kNoWindow);
    EXPECT_EQ(windows.findChildren(kNoWindow, window_class::kBrowserTab).size(), 0u);

    EXPECT_EQ(windows.windowText(only(window_class::kTray)), u"TARNWICKNTRAY");
    EXPECT_EQ(windows.windowText(only(window_class::kDialog)), u"Save Forms");
    EXPECT_EQ(windows.windowText(only(window_class::kIdentityEditor)), std::u16string(259, u'M'));
}

TEST_F(WindowSignalsWine, SignalsReachThePeersWindowsWithTheirTexts) {
    signals.NotifyTray(notify_kind::kPasscards, u"C:\\data\\Alice\\Shop");
    signals.NotifyTray(notify_kind::kIdentities, u"C:\\data\\Alice\\Shop");
    signals.SendToBrowserTabs(tab_code::kReloadIdentities);
    signals.SendToToolbars(toolbar_code::kReloadPasscardMenus);
    signals.SendToToolbarDialogs(u"Save Form", u"not a match");
    signals.SendToToolbarDialogs(u"Save Forms", u"C:\\data\\Alice\\Shop");
    signals.SendToEditors(window_class::kPasscardEditor, editor_code::kReload, u"");
    signals.OpenPageInBrowser(u"http://example.test/help");

    const auto records = peer.records();
    const std::vector<Record> expected = {
        withText("tray", 10, u"C:\\data\\Alice\\Shop"),
        withText("tray", 20, u"C:\\data\\Alice\\Shop"),
        withoutText("page", 20),
        withoutText("toolbar", 0),
        withText("dialog", 0, u"C:\\data\\Alice\\Shop"),
        withText("Keslowe", 0, u""),
        withText("page", 28, u"http://example.test/help"),
    };
    EXPECT_EQ(records, expected);
    EXPECT_TRUE(launcher.shellOpens().empty()) << "the tab answered 28; no browser may be started";
}

TEST_F(WindowSignalsWine, CloseEditorsAndBrowsersClosesEditorsFirstThenTheFrame) {
    signals.CloseEditorsAndBrowsers();
    ASSERT_TRUE(peer.waitForFrameClosed()) << "the browser frame got no WM_CLOSE within 10 s";
    const auto records = peer.records();
    const std::vector<Record> expected = {
        withoutText("Keslowe", 1),
        withoutText("Mirelune", 1),
        Record{"frame close", 0, 0, false, std::nullopt},
    };
    EXPECT_EQ(records, expected);
}

TEST_F(WindowSignalsWine, RestoreShowsTheWindow) {
    const HWND editor = ToHwnd(only(window_class::kPasscardEditor));
    ASSERT_FALSE(IsWindowVisible(editor));
    windows.restoreAndBringToFront(ToWindowRef(editor));
    EXPECT_TRUE(IsWindowVisible(editor));
}

TEST(Win32WindowsSystem, ReportsAVersionAndAllowsCopyData) {
    Win32Windows windows;
    EXPECT_GE(windows.majorVersion(), 5u);
    EXPECT_TRUE(windows.allowFromLowerIntegrity(WM_COPYDATA));
}

// Waits for a named event that a started program sets.
bool startedProgramSignals(const std::function<bool(const std::wstring&)>& start) {
    const std::wstring name = uniqueName(L"started");
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
    const bool started = start(name);
    const bool signalled = started && WaitForSingleObject(event, kPeerStartBoundMs) == WAIT_OBJECT_0;
    CloseHandle(event);
    return signalled;
}

std::u16string asCore(const std::wstring& text) { return std::u16string(text.begin(), text.end()); }

TEST(Win32Launcher, CreateProcessRunsTheWholeCommandLine) {
    Win32Launcher launcher;
    EXPECT_TRUE(startedProgramSignals([&](const std::wstring& event) {
        return launcher.createProcess(asCore(L"\"" + kPeerExe + L"\" --signal " + event));
    })) << "the started program did not signal within 30 s";
}

TEST(Win32Launcher, ShellOpenStartsTheFileWithItsParameters) {
    Win32Launcher launcher;
    EXPECT_TRUE(startedProgramSignals([&](const std::wstring& event) {
        return launcher.shellOpen(asCore(kPeerExe), asCore(L"--signal " + event));
    })) << "the opened program did not signal within 30 s";
}

}  // namespace
}  // namespace tarnwick
