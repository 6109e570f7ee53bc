// The Passcard Editor keeps what the user typed when it cannot be saved: text
// the code page cannot hold is refused on Save and on closing, with the
// characters named, the editor still running and the file untouched; edits
// made before a lock are saved once the password is typed again.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "foundation/toolbar_contract.h"
#include "passcard_editor/resources/keslowe_resources.h"
#include "platform/win32/password_dialog.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_windows.h"
#include "support/own_windows.h"
#include "support/temp_folder.h"
#include "wine/editor_support.h"
#include "wine/tray/wine_processes.h"

namespace tarnwick {
namespace {

using wine::WaitForTopLevel;
using wine::WaitUntil;

constexpr DWORD kBoundMs = 30'000;
constexpr int kFirstFieldId = 2000;

std::wstring inQuotes(const std::u16string& text) { return L"\"" + std::wstring(text.begin(), text.end()) + L"\""; }

class KesloweSessionEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowW(L"Keslowe", nullptr), nullptr) << "a Keslowe window is left over";
        const std::u16string dataRoot = folder.file(u"data");
        testing::CreateFolder(dataRoot);
        alice = dataRoot + u"\\Alice";
        ASSERT_EQ(wine::RunCapturing(cli + L" new-user " + inQuotes(dataRoot) + L" Alice alice123").exitCode, 0u);
        ASSERT_EQ(wine::RunCapturing(cli + L" new-passcard " + inQuotes(alice + u"\\Mail.vrc") +
                                     L" --url https://mail.example/ --field User:text:alice")
                      .exitCode,
                  0u);
        savedRootUser = registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260);
        registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, alice);
    }
    void TearDown() override {
        editor.reset();  // ends it: an editor holding refused edits does not close
        EXPECT_TRUE(WaitUntil([] { return FindWindowW(L"Keslowe", nullptr) == nullptr; }, kBoundMs));
        if (savedRootUser) registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, *savedRootUser);
    }
    std::string shown() { return wine::RunCapturing(cli + L" show " + inQuotes(alice + u"\\Mail.vrc")).text; }
    // The editor's next box: its text once it has one, answered with `button`.
    std::wstring answerBox(int button = IDOK) {
        HWND box = WaitForTopLevel(L"#32770", nullptr, editor->id(), kBoundMs);
        if (box == nullptr) return L"<no box>";
        std::wstring text;
        WaitUntil([&] { return !(text = wine::BoxText(box)).empty(); }, kBoundMs);
        wine::PressButton(box, button);
        WaitUntil([&] { return !IsWindow(box); }, kBoundMs);
        return text;
    }

    // The primary-password prompt the editor shows next, answered with the password.
    bool typePassword() {
        HWND prompt = WaitForTopLevel(L"#32770", nullptr, editor->id(), kBoundMs);
        HWND edit = nullptr;
        if (!prompt || !WaitUntil([&] { return (edit = GetDlgItem(prompt, kPasswordEditId)) != nullptr; }, kBoundMs))
            return false;
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"alice123"));
        PostMessageW(GetDlgItem(prompt, IDOK), BM_CLICK, 0, 0);
        return WaitUntil([&] { return !IsWindow(prompt); }, kBoundMs);
    }

    const std::wstring cli = wine::ProgramPath(TARNWICK_CLI);
    testing::TempFolder folder;
    Win32Registry registry;
    std::optional<std::u16string> savedRootUser;
    std::u16string alice;
    std::unique_ptr<wine::Program> editor;
};

TEST_F(KesloweSessionEndToEnd, TextTheCodePageCannotHoldIsRefusedOnSaveAndCloseAndNeverWritten) {
    const std::string before = shown();
    editor = std::make_unique<wine::Program>(L"\"" + wine::ProgramPath(TARNWICK_KESLOWE_PATH) + L"\" " +
                                             inQuotes(alice + u"\\Mail.vrc"));
    ASSERT_TRUE(editor->started());
    const HWND window = WaitForTopLevel(L"Keslowe", nullptr, editor->id(), kBoundMs);
    ASSERT_NE(window, nullptr);
    HWND field = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (field = testing::FindControl(window, kFirstFieldId)) != nullptr; }, kBoundMs));
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\u0141\u00f3d\u017a"));  // Łódź
    const std::wstring refusal = L"holds characters that cannot be saved on this system: \u0141 \u017a.";
    PostMessageW(window, WM_COMMAND, IDM_SAVE, 0);
    std::wstring text = answerBox();
    EXPECT_NE(text.find(refusal), std::wstring::npos);
    PostMessageW(window, WM_CLOSE, 0, 0);
    text = answerBox(IDYES);
    EXPECT_NE(text.find(L"Passcard was changed."), std::wstring::npos);
    text = answerBox();
    EXPECT_NE(text.find(refusal), std::wstring::npos);
    EXPECT_TRUE(IsWindow(window)) << "the editor ended with the edits";
    EXPECT_EQ(shown(), before) << "something was written";
}

TEST_F(KesloweSessionEndToEnd, EditsMadeBeforeALockAreSavedOnceThePasswordIsTypedAgain) {
    const std::u16string bank = alice + u"\\Bank.vrc";
    ASSERT_EQ(
        wine::RunCapturing(cli + L" new-passcard " + inQuotes(bank) +
                           L" --url https://bank.example/ --field User:text:alice --protected --password alice123")
            .exitCode,
        0u);
    editor =
        std::make_unique<wine::Program>(L"\"" + wine::ProgramPath(TARNWICK_KESLOWE_PATH) + L"\" " + inQuotes(bank));
    ASSERT_TRUE(typePassword()) << "the protected card opened without the password";
    const HWND window = WaitForTopLevel(L"Keslowe", nullptr, editor->id(), kBoundMs);
    ASSERT_NE(window, nullptr);
    HWND field = nullptr;
    const auto fieldText = [&] {
        wchar_t text[64] = {};
        field = testing::FindControl(window, kFirstFieldId);
        // WM_GETTEXT itself: GetWindowTextW of another process's edit reads no edit text.
        if (field) SendMessageW(field, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
        return std::wstring(text);
    };
    ASSERT_TRUE(WaitUntil([&] { return fieldText() == L"alice"; }, kBoundMs)) << "the card is not on the form";
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"during"));

    // What the tray's lock does: the remembered password goes, then the editor's own copy.
    ASSERT_EQ(wine::RunCapturing(cli + L" lock").exitCode, 0u);
    Win32Windows windows;
    EXPECT_EQ(windows.sendCopyData(ToWindowRef(window), editor_code::kForgetPassword, std::nullopt), 2);
    EXPECT_EQ(fieldText(), L"during") << "the lock took the edits off the screen";
    PostMessageW(window, WM_COMMAND, IDM_SAVE, 0);
    ASSERT_TRUE(typePassword()) << "Save did not ask for the password after the lock";
    const std::wstring show = cli + L" show " + inQuotes(bank) + L" --password alice123";
    EXPECT_TRUE(
        WaitUntil([&] { return wine::RunCapturing(show).text.find("\"during\"") != std::string::npos; }, kBoundMs))
        << wine::RunCapturing(show).text;
}

}  // namespace
}  // namespace tarnwick
