// Find in the Identity Editor: Ctrl+F opens the box over the tree, Enter
// selects the identity card holding the text in a value (inside a folder not
// opened yet) after saving the card edited.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "foundation/toolbar_contract.h"
#include "htmlform/win32/form_view_ids.h"
#include "identity_editor/resources/mirelune_resources.h"
#include "platform/win32/win32_registry.h"
#include "support/own_windows.h"
#include "support/temp_folder.h"
#include "support/windows_cli.h"
#include "wine/editor_support.h"
#include "wine/tray/wine_processes.h"

namespace tarnwick {
namespace {

using wine::Program;
using wine::WaitForTopLevel;
using wine::WaitUntil;

constexpr DWORD kBoundMs = 30'000;
constexpr int kEmailInput = kFirstFormControlId + 8;
constexpr int kFindBoxId = 41303;

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

class MireluneFindEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(wine::FindTopLevel(L"Mirelune", nullptr, 0), nullptr) << "an identity editor is left over";
        savedRootUser = registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260);
        const std::u16string dataRoot = folder.file(u"Data");
        cli(u"new-user \"" + dataRoot + u"\" demo Secret#1 --register");
        user = dataRoot + u"\\demo";
        cli(u"new-identity \"" + user + u"\\Anna.vrt\" --set EMAIL=anna@example.org");
        testing::CreateFolder(user + u"\\Archive");
        cli(u"new-identity \"" + user + u"\\Archive\\Dora.vrt\" --set EMAIL=dora@quayside.net");
        editor = std::make_unique<Program>(L"\"" + wine::ProgramPath(TARNWICK_MIRELUNE_PATH) + L"\" " +
                                           wide(user + u"\\Anna"));
        ASSERT_TRUE(editor->started());
        window = WaitForTopLevel(L"Mirelune", nullptr, editor->id(), kBoundMs);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitUntil(
            [&] {
                return (form = FindWindowExW(window, nullptr, L"TarnwickFormView", nullptr)) && IsWindowEnabled(form);
            },
            kBoundMs));
    }
    void TearDown() override {
        editor.reset();
        EXPECT_TRUE(WaitUntil([] { return wine::FindTopLevel(L"Mirelune", nullptr, 0) == nullptr; }, kBoundMs));
        registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, savedRootUser.value_or(u""));
    }
    void cli(const std::u16string& arguments) {
        const testing::CliResult result = testing::RunWindowsCli(wide(arguments));
        ASSERT_EQ(result.exitCode, 0u) << result.error;
    }
    // The e-mail input, on the person table's tab.
    HWND emailInput() {
        HWND tabs = testing::FindControl(window, 0, WC_TABCONTROLW);
        if (SendMessageW(tabs, TCM_GETCURSEL, 0, 0) != 1) SendMessageW(tabs, TCM_SETCURFOCUS, 1, 0);
        HWND input = nullptr;
        WaitUntil(
            [&] { return (input = testing::FindControl(form, kEmailInput)) != nullptr && IsWindowVisible(input); },
            kBoundMs);
        return input;
    }
    std::wstring email() {
        wchar_t text[260] = {};
        // WM_GETTEXT itself: GetWindowTextW of another process's edit reads no edit text.
        if (HWND input = emailInput()) SendMessageW(input, WM_GETTEXT, 260, reinterpret_cast<LPARAM>(text));
        return text;
    }

    testing::TempFolder folder;
    Win32Registry registry;
    std::optional<std::u16string> savedRootUser;
    std::u16string user;
    std::unique_ptr<Program> editor;
    HWND window = nullptr;
    HWND form = nullptr;
};

TEST_F(MireluneFindEndToEnd, EnterSelectsTheCardHoldingTheTextAfterSavingTheEdits) {
    HWND input = emailInput();
    ASSERT_NE(input, nullptr);
    SendMessageW(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"anna@changed.org"));

    PostMessageW(window, WM_COMMAND, ID_EDIT_FIND, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (box = testing::FindControl(window, kFindBoxId)) != nullptr && IsWindowVisible(box); }, kBoundMs))
        << "Find opened no box";
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"QUAYSIDE"));
    PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(WaitUntil([&] { return email() == L"dora@quayside.net"; }, kBoundMs)) << "Dora is not on the form";
    const std::string anna = testing::RunWindowsCli(wide(u"show \"" + user + u"\\Anna.vrt\"")).out;
    EXPECT_NE(anna.find("anna@changed.org"), std::string::npos) << "the edit was not saved first: " << anna;
}

}  // namespace
}  // namespace tarnwick
