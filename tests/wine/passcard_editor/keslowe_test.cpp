// Keslowe end to end: the real program started for a test user under the
// test prefix's registry, found by its window class, its first passcard on
// show, and closed by the copy-data request the tray sends editors.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "foundation/toolbar_contract.h"
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

// The descendant control with that id (the form's controls live in its pane).
HWND findControl(HWND top, int id) {
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        top,
        [](HWND child, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (GetDlgCtrlID(child) != s->id) return TRUE;
            s->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
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
        ASSERT_EQ(wine::RunCapturing(kCli + L" new-passcard " + inQuotes(alice + u"\\Mail.vrc") +
                                     L" --url https://mail.example/ --field User:text:alice"
                                     L" --field Password:password:s3cret")
                      .exitCode,
                  0u);
        savedRootUser = registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260);
        registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, alice);
    }
    void TearDown() override {
        if (savedRootUser) registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, *savedRootUser);
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

    COPYDATASTRUCT close{kCloseWithoutAsking, 0, nullptr};
    SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&close));
    DWORD exitCode = 1;
    EXPECT_TRUE(keslowe.waitForExit(kBoundMs, exitCode)) << "Keslowe did not end on copy-data 1";
    EXPECT_EQ(exitCode, 0u);
}

}  // namespace
}  // namespace tarnwick
