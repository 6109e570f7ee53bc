// Mirelune end to end under the real window system: a user made by the CLI,
// the editor started as the user starts it, its window found by class, the
// card's summary on the form and on the clipboard, and the close request of
// the toolbar (copy-data code 1) answered by ending without a question.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "foundation/toolbar_contract.h"
#include "identity_editor/identity_commands.h"
#include "platform/utf8.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_registry.h"
#include "support/temp_folder.h"
#include "support/windows_cli.h"
#include "wine/tray/wine_processes.h"

namespace tarnwick {
namespace {

using wine::Program;
using wine::WaitForTopLevel;
using wine::WaitUntil;

constexpr DWORD kBoundMs = 30'000;

const std::wstring kMirelune = wine::ProgramPath(TARNWICK_MIRELUNE_PATH);

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

void runCli(const std::u16string& arguments) {
    const testing::CliResult result = testing::RunWindowsCli(wide(arguments));
    ASSERT_EQ(result.exitCode, 0u) << result.error;
}

std::string narrow(const std::wstring& text) { return Utf16ToUtf8(FromWide(text.c_str())); }

std::wstring windowText(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

// The clipboard's Unicode text, or "<none>".
std::wstring clipboardText() {
    if (!OpenClipboard(nullptr)) return L"<not opened>";
    std::wstring text = L"<none>";
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

// The texts of the form's visible controls, one per line.
std::wstring visibleTexts(HWND form) {
    std::wstring texts;
    for (HWND child = GetWindow(form, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) texts += windowText(child) + L"\n";
    }
    return texts;
}

bool sendCopyData(HWND window, ULONG_PTR code) {
    COPYDATASTRUCT data{code, 0, nullptr};
    DWORD_PTR reply = 0;
    return SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, kBoundMs,
                               &reply) != 0;
}

class MireluneEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(wine::FindTopLevel(L"Mirelune", nullptr, 0), nullptr) << "an identity editor is left over";
        savedRootUser = registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260);
        const std::u16string dataRoot = folder.file(u"Data");
        runCli(u"new-user \"" + dataRoot + u"\" demo Secret#1 --register");
        user = dataRoot + u"\\demo";
        runCli(u"new-identity \"" + user + u"\\Anna.vrt\" --set EMAIL=anna@example.org --set \"NAME=Anna|Berg\"");
    }
    void TearDown() override {
        editor.reset();  // ends it when it still runs
        registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, savedRootUser.value_or(u""));
    }

    HWND start(const std::u16string& commandLine) {
        editor = std::make_unique<Program>(L"\"" + kMirelune + L"\" " + wide(commandLine));
        EXPECT_TRUE(editor->started());
        return WaitForTopLevel(L"Mirelune", nullptr, editor->id(), kBoundMs);
    }

    testing::TempFolder folder;
    Win32Registry registry;
    std::optional<std::u16string> savedRootUser;
    std::u16string user;
    std::unique_ptr<Program> editor;
};

TEST_F(MireluneEndToEnd, ShowsTheCardNamedOnTheCommandLineAndClosesOnCopyDataOne) {
    HWND window = start(user + u"\\Anna");
    ASSERT_NE(window, nullptr) << "Mirelune showed no window of class \"Mirelune\" within the bound";
    EXPECT_EQ(windowText(window), L"Identity Editor");

    // Once the page has loaded and the card is shown, its summary holds the e-mail.
    HWND form = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            form = FindWindowExW(window, nullptr, L"TarnwickFormView", nullptr);
            return form != nullptr && visibleTexts(form).find(L"anna@example.org") != std::wstring::npos;
        },
        kBoundMs))
        << "the summary never showed the card: " << (form ? narrow(visibleTexts(form)) : std::string("no form"));

    // Copy puts the card's fields on the clipboard.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(identity_command::kCopy, 0), 0);
    const std::wstring copied = clipboardText();
    EXPECT_NE(copied.find(L"anna@example.org"), std::wstring::npos) << narrow(copied);
    EXPECT_NE(copied.find(L"Anna"), std::wstring::npos) << narrow(copied);

    ASSERT_TRUE(sendCopyData(window, editor_code::kClose));
    DWORD exitCode = 1;
    EXPECT_TRUE(editor->waitForExit(kBoundMs, exitCode)) << "Mirelune did not end on copy-data code 1";
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(MireluneEndToEnd, WithoutACurrentUserShowsTheErrorAndEnds) {
    registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, u"");
    editor = std::make_unique<Program>(L"\"" + kMirelune + L"\"");
    ASSERT_TRUE(editor->started());
    HWND box = WaitForTopLevel(L"#32770", nullptr, editor->id(), kBoundMs);
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_TRUE(WaitUntil(
        [&] { return wine::BoxText(box).find(L"Can not find user file, please create a user.") != std::wstring::npos; },
        kBoundMs))
        << narrow(wine::BoxText(box));
    wine::PressButton(box, IDOK);
    DWORD exitCode = 1;
    EXPECT_TRUE(editor->waitForExit(kBoundMs, exitCode));
    EXPECT_EQ(wine::FindTopLevel(L"Mirelune", nullptr, editor->id()), nullptr);
}

}  // namespace
}  // namespace tarnwick
