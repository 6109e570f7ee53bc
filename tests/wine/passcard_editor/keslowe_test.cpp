// Keslowe end to end: the real program started for a test user under the
// test prefix's registry, found by its window class, its first passcard on
// show, and closed by the copy-data request the tray sends editors.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "passcard_editor/resources/keslowe_resources.h"
#include "foundation/toolbar_contract.h"
#include "platform/win32/win32_windows.h"
#include "platform/win32/window_base.h"
#include "platform/win32/win32_registry.h"
#include "support/temp_folder.h"
#include "wine/tray/wine_processes.h"

namespace tarnwick {
namespace {

using wine::Program;
using wine::WaitForTopLevel;
using wine::WaitUntil;

constexpr DWORD kBoundMs = 30'000;
constexpr int kAddressBoxId = 102;
constexpr int kFirstFieldId = 2000;
constexpr ULONG_PTR kCloseWithoutAsking = 1;
constexpr UINT kSave = IDM_SAVE;
constexpr WPARAM kCopy = IDM_COPY;
constexpr WPARAM kAbout = IDM_ABOUT;
constexpr WPARAM kAddField = IDM_ADD_FIELD;
constexpr WPARAM kAlwaysOnTop = IDM_ALWAYS_ON_TOP;
constexpr int kNameEditId = 1001;
constexpr int kAboutTextId = IDC_ABOUT_TEXT;
constexpr WPARAM kDefault = IDM_DEFAULT;
constexpr std::uintptr_t kPasscardNotice = 10;

const std::wstring kKeslowe = wine::ProgramPath(TARNWICK_KESLOWE_PATH);
const std::wstring kCli = wine::ProgramPath(TARNWICK_CLI);

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
std::wstring inQuotes(const std::u16string& text) { return L"\"" + wide(text) + L"\""; }

// WM_GETTEXT itself: GetWindowTextW does not ask another process's controls.
std::wstring textOf(HWND window) {
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

// The descendant control with that id, or of that class when the id is 0
// (the form's controls live in its pane, the toolbar in its rebar).
HWND findControl(HWND top, int id, const wchar_t* windowClass = nullptr) {
    struct Search {
        int id;
        const wchar_t* windowClass;
        HWND found;
    } search{id, windowClass, nullptr};
    EnumChildWindows(
        top,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            wchar_t name[64] = {};
            GetClassNameW(child, name, 64);
            const bool match =
                s->windowClass != nullptr ? _wcsicmp(name, s->windowClass) == 0 : GetDlgCtrlID(child) == s->id;
            if (!match) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Whether the toolbar's button for the command is enabled.
bool buttonEnabled(HWND toolbar, UINT command) {
    const LRESULT state = SendMessageW(toolbar, TB_GETSTATE, command, 0);
    return state >= 0 && (state & TBSTATE_ENABLED) != 0;
}

// The tray's window as far as the editor reaches it: it records the notices.
class RecordingTray : public WindowBase {
public:
    bool create() {
        return createWindow({.name = u"TARNWICKNTRAY"},
                            {.title = u"tray", .style = WS_POPUP, .x = 0, .y = 0, .width = 0, .height = 0});
    }
    std::vector<std::pair<std::uintptr_t, std::u16string>> notices;

private:
    LRESULT onCopyData(HWND, const COPYDATASTRUCT* data) override {
        if (const auto received = ReceiveCopyDataMessage(data)) {
            notices.emplace_back(received->code, received->text.value_or(u""));
        }
        return 0;
    }
};

// The clipboard's Unicode text, or nothing.
std::optional<std::wstring> clipboardText() {
    if (!OpenClipboard(nullptr)) return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

class KesloweEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowW(L"Keslowe", nullptr), nullptr) << "a Keslowe window is left over";
        // The demo user and her passcard as the companion CLI makes them.
        const std::u16string dataRoot = folder.file(u"data");
        testing::CreateFolder(dataRoot);
        alice = dataRoot + u"\\Alice";
        ASSERT_EQ(wine::RunCapturing(kCli + L" new-user " + inQuotes(dataRoot) + L" Alice alice123").exitCode, 0u);
        newPasscard(u"Mail", L"https://mail.example/ --field User:text:alice --field Password:password:s3cret");
        savedRootUser = registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260);
        registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, alice);
    }
    void TearDown() override {
        if (savedRootUser) registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, *savedRootUser);
    }

    void newPasscard(std::u16string_view name, const std::wstring& urlAndFields) {
        const std::u16string file = alice + u"\\" + std::u16string(name) + u".vrc";
        ASSERT_EQ(wine::RunCapturing(kCli + L" new-passcard " + inQuotes(file) + L" --url " + urlAndFields).exitCode,
                  0u);
    }
    // The card's file decoded by the CLI.
    std::string shown(std::u16string_view name) {
        return wine::RunCapturing(kCli + L" show " + inQuotes(alice + u"\\" + std::u16string(name) + u".vrc")).text;
    }
    HWND waitForAddress(HWND window, const std::wstring& address) {
        HWND box = nullptr;
        const bool shownInTime = WaitUntil(
            [&] { return (box = findControl(window, kAddressBoxId)) != nullptr && textOf(box) == address; }, kBoundMs);
        EXPECT_TRUE(shownInTime) << "the address box does not show the card's address";
        return box;
    }

    testing::TempFolder folder;
    std::u16string alice;
    Win32Registry registry;
    std::optional<std::u16string> savedRootUser;
};

TEST_F(KesloweEndToEnd, OpensOnTheFirstPasscardAndClosesOnTheTraysRequest) {
    Program keslowe(kKeslowe);
    ASSERT_TRUE(keslowe.started());
    const HWND window = WaitForTopLevel(L"Keslowe", nullptr, keslowe.id(), kBoundMs);
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    EXPECT_EQ(textOf(window), L"Passcard Editor");

    // The first passcard of the library is on show: its address and its field.
    // The window is found as soon as it exists: its children come a moment later.
    HWND address = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (address = findControl(window, kAddressBoxId)) != nullptr; }, kBoundMs));
    EXPECT_TRUE(WaitUntil([&] { return textOf(address) == L"https://mail.example/"; }, kBoundMs))
        << "the address box does not show the card's address";
    HWND field = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (field = findControl(window, kFirstFieldId)) != nullptr; }, kBoundMs));
    if (field != nullptr) {
        EXPECT_EQ(textOf(field), L"alice");
    }

    // At the top-left corner, half the screen each way.
    RECT bounds{};
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.top, 0);
    EXPECT_EQ(bounds.right - bounds.left, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_EQ(bounds.bottom - bounds.top, GetSystemMetrics(SM_CYSCREEN) / 2);

    // About: the editor's name and version over the program's icon.
    PostMessageW(window, WM_COMMAND, kAbout, 0);
    const HWND about = WaitForTopLevel(L"#32770", nullptr, keslowe.id(), kBoundMs);
    ASSERT_NE(about, nullptr) << "no About box";
    // The box exists a moment before its texts are set.
    EXPECT_TRUE(WaitUntil([&] { return textOf(GetDlgItem(about, kAboutTextId)) == L"Passcard Editor\nVersion 1.0.0"; },
                          kBoundMs));
    EXPECT_EQ(textOf(about), L"About");
    wine::PressButton(about, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, kBoundMs));

    COPYDATASTRUCT close{kCloseWithoutAsking, 0, nullptr};
    SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&close));
    DWORD exitCode = 1;
    EXPECT_TRUE(keslowe.waitForExit(kBoundMs, exitCode)) << "Keslowe did not end on copy-data 1";
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(KesloweEndToEnd, AnEditedAddressEnablesSaveAndIsSavedWhenASecondStartSelectsAnotherCard) {
    newPasscard(u"Bank", L"https://bank.example/ --field Login:text:bob");
    Program keslowe(kKeslowe + L" " + wide(alice + u"\\Mail.vrc"));
    ASSERT_TRUE(keslowe.started());
    const HWND window = WaitForTopLevel(L"Keslowe", nullptr, keslowe.id(), kBoundMs);
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    const HWND address = waitForAddress(window, L"https://mail.example/");
    const HWND toolbar = findControl(window, 0, TOOLBARCLASSNAMEW);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_FALSE(buttonEnabled(toolbar, kSave)) << "Save is enabled before any change";

    // Typed into a field and into the address box: Save is enabled at the next idle moment.
    const HWND user = findControl(window, kFirstFieldId);
    ASSERT_NE(user, nullptr);
    SendMessageW(user, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"alice2"));
    SendMessageW(address, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"https://mail.example/new"));
    EXPECT_TRUE(WaitUntil([&] { return buttonEnabled(toolbar, kSave); }, kBoundMs))
        << "Save is not enabled after the address changed";

    // A second start naming another card hands it to this window and ends;
    // the selection change saves the edited card without asking.
    Program second(kKeslowe + L" " + wide(alice + u"\\Bank.vrc"));
    DWORD secondCode = 1;
    EXPECT_TRUE(second.waitForExit(kBoundMs, secondCode)) << "the second start did not end";
    EXPECT_EQ(secondCode, 0u);
    waitForAddress(window, L"https://bank.example/");
    const std::string saved = shown(u"Mail");
    EXPECT_NE(saved.find("\"url\":\"https://mail.example/new\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("{\"name\":\"User\",\"type\":\"text\",\"value\":\"alice2\"}"), std::string::npos) << saved;
    EXPECT_FALSE(buttonEnabled(toolbar, kSave)) << "Save is enabled for the newly selected card";

    COPYDATASTRUCT close{kCloseWithoutAsking, 0, nullptr};
    SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&close));
    DWORD exitCode = 1;
    EXPECT_TRUE(keslowe.waitForExit(kBoundMs, exitCode)) << "Keslowe did not end on copy-data 1";
}

TEST_F(KesloweEndToEnd, CopyDefaultAndTheSaveQuestionsCancel) {
    RecordingTray tray;
    ASSERT_TRUE(tray.create());
    Program keslowe(kKeslowe + L" " + wide(alice + u"\\Mail.vrc"));
    ASSERT_TRUE(keslowe.started());
    const HWND window = WaitForTopLevel(L"Keslowe", nullptr, keslowe.id(), kBoundMs);
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    const HWND address = waitForAddress(window, L"https://mail.example/");

    // Copy: every field and the address, each line ending in a line feed.
    const std::wstring expected = L"User : alice\nPassword : s3cret\nURL : https://mail.example/\n";
    // Sent, not posted: the clipboard is read once Copy is done, so this
    // process never holds it open while the editor fills it.
    SendMessageW(window, WM_COMMAND, kCopy, 0);
    EXPECT_EQ(clipboardText(), expected) << "the clipboard does not hold the card's text";

    // Default: the file says so and the tray hears of the card's file.
    PostMessageW(window, WM_COMMAND, kDefault, 0);
    EXPECT_TRUE(WaitUntil([&] { return !tray.notices.empty(); }, kBoundMs)) << "no notice reached the tray";
    if (!tray.notices.empty()) {
        EXPECT_EQ(tray.notices[0].first, kPasscardNotice);
        EXPECT_EQ(tray.notices[0].second, alice + u"\\Mail.vrc");
    }
    EXPECT_NE(shown(u"Mail").find("\"default\":true"), std::string::npos) << shown(u"Mail");

    // Closing with an edit asks; Cancel keeps the window and the edit.
    SendMessageW(address, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"https://mail.example/edited"));
    const HWND toolbar = findControl(window, 0, TOOLBARCLASSNAMEW);
    EXPECT_TRUE(WaitUntil([&] { return buttonEnabled(toolbar, kSave); }, kBoundMs));
    PostMessageW(window, WM_CLOSE, 0, 0);
    const HWND box = WaitForTopLevel(L"#32770", nullptr, keslowe.id(), kBoundMs);
    ASSERT_NE(box, nullptr) << "no save question";
    // The box exists a moment before its texts do.
    EXPECT_TRUE(
        WaitUntil([&] { return wine::BoxText(box).find(L"Passcard was changed.") != std::wstring::npos; }, kBoundMs))
        << "the box does not ask the save question";
    wine::PressButton(box, IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kBoundMs));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(textOf(address), L"https://mail.example/edited");

    // The tray's close request drops the edit without a question.
    COPYDATASTRUCT close{kCloseWithoutAsking, 0, nullptr};
    SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&close));
    DWORD exitCode = 1;
    EXPECT_TRUE(keslowe.waitForExit(kBoundMs, exitCode)) << "Keslowe did not end on copy-data 1";
    EXPECT_NE(shown(u"Mail").find("\"url\":\"https://mail.example/\""), std::string::npos) << shown(u"Mail");
}

TEST_F(KesloweEndToEnd, AddFieldThroughItsDialogThenSaveWritesATextFieldAndAlwaysOnTopIsRemembered) {
    Program keslowe(kKeslowe + L" " + wide(alice + u"\\Mail.vrc"));
    ASSERT_TRUE(keslowe.started());
    const HWND window = WaitForTopLevel(L"Keslowe", nullptr, keslowe.id(), kBoundMs);
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    waitForAddress(window, L"https://mail.example/");

    PostMessageW(window, WM_COMMAND, kAddField, 0);
    const HWND dialog = WaitForTopLevel(L"#32770", nullptr, keslowe.id(), kBoundMs);
    ASSERT_NE(dialog, nullptr) << "no add-field dialog";
    HWND name = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (name = GetDlgItem(dialog, kNameEditId)) != nullptr; }, kBoundMs));
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"PIN"));
    wine::PressButton(dialog, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kBoundMs)) << "the dialog stayed open";

    // The new row's box is the third control of the form; Save writes it.
    EXPECT_TRUE(WaitUntil([&] { return findControl(window, kFirstFieldId + 2) != nullptr; }, kBoundMs));
    PostMessageW(window, WM_COMMAND, kSave, 0);
    EXPECT_TRUE(WaitUntil(
        [&] { return shown(u"Mail").find("{\"name\":\"PIN\",\"type\":\"text\",\"value\":\"\"}") != std::string::npos; },
        kBoundMs))
        << shown(u"Mail");

    // Always on Top: the option remembers it.
    SendMessageW(window, WM_COMMAND, kAlwaysOnTop, 0);
    EXPECT_EQ(wine::RunCapturing(kCli + L" option get " + inQuotes(alice) + L" [PASSWORDEDITORONTOP]").text, "1");

    COPYDATASTRUCT close{kCloseWithoutAsking, 0, nullptr};
    SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&close));
    DWORD exitCode = 1;
    EXPECT_TRUE(keslowe.waitForExit(kBoundMs, exitCode)) << "Keslowe did not end on copy-data 1";
}

}  // namespace
}  // namespace tarnwick
