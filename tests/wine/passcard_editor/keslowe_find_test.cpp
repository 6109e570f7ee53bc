// Find in the Passcard Editor: Ctrl+F opens the box over the tree, Enter
// selects the next card holding the text (inside a folder not opened yet)
// after saving the card edited, and Shift+F3 goes back.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "foundation/toolbar_contract.h"
#include "passcard_editor/resources/keslowe_resources.h"
#include "platform/win32/win32_registry.h"
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
constexpr int kFindBoxId = 41303;

std::wstring inQuotes(const std::u16string& text) { return L"\"" + std::wstring(text.begin(), text.end()) + L"\""; }

class KesloweFindEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowW(L"Keslowe", nullptr), nullptr) << "a Keslowe window is left over";
        const std::u16string dataRoot = folder.file(u"data");
        testing::CreateFolder(dataRoot);
        alice = dataRoot + u"\\Alice";
        ASSERT_EQ(wine::RunCapturing(cli + L" new-user " + inQuotes(dataRoot) + L" Alice alice123").exitCode, 0u);
        testing::CreateFolder(alice + u"\\Shops");
        newCard(u"Mail.vrc", L"https://mail.example/", L"alice");
        newCard(u"Shops\\Store.vrc", L"https://store.example/", L"bob");
        savedRootUser = registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260);
        registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, alice);
    }
    void TearDown() override {
        editor.reset();
        EXPECT_TRUE(WaitUntil([] { return FindWindowW(L"Keslowe", nullptr) == nullptr; }, kBoundMs));
        if (savedRootUser) registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, *savedRootUser);
    }
    void newCard(const std::u16string& name, const std::wstring& url, const std::wstring& user) {
        ASSERT_EQ(wine::RunCapturing(cli + L" new-passcard " + inQuotes(alice + u"\\" + name) + L" --url " + url +
                                     L" --field User:text:" + user)
                      .exitCode,
                  0u);
    }
    std::wstring fieldText(HWND window) {
        wchar_t text[64] = {};
        // WM_GETTEXT itself: GetWindowTextW of another process's edit reads no edit text.
        if (HWND field = testing::FindControl(window, kFirstFieldId))
            SendMessageW(field, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
        return text;
    }

    const std::wstring cli = wine::ProgramPath(TARNWICK_CLI);
    testing::TempFolder folder;
    Win32Registry registry;
    std::optional<std::u16string> savedRootUser;
    std::u16string alice;
    std::unique_ptr<wine::Program> editor;
};

TEST_F(KesloweFindEndToEnd, EnterSelectsTheCardHoldingTheTextAfterSavingTheEdits) {
    editor = std::make_unique<wine::Program>(L"\"" + wine::ProgramPath(TARNWICK_KESLOWE_PATH) + L"\" " +
                                             inQuotes(alice + u"\\Mail.vrc"));
    ASSERT_TRUE(editor->started());
    const HWND window = WaitForTopLevel(L"Keslowe", nullptr, editor->id(), kBoundMs);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return fieldText(window) == L"alice"; }, kBoundMs)) << "Mail is not on the form";
    SendMessageW(testing::FindControl(window, kFirstFieldId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"edited"));

    PostMessageW(window, WM_COMMAND, IDM_FIND, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (box = testing::FindControl(window, kFindBoxId)) != nullptr && IsWindowVisible(box); }, kBoundMs))
        << "Find opened no box";
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"STORE.example"));
    PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(WaitUntil([&] { return fieldText(window) == L"bob"; }, kBoundMs)) << "Store is not on the form";
    EXPECT_NE(wine::RunCapturing(cli + L" show " + inQuotes(alice + u"\\Mail.vrc")).text.find("\"edited\""),
              std::string::npos)
        << "the edit was not saved before the selection moved";

    // Shift+F3 with a text both cards hold goes back, past the first, to Mail.
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"example"));
    PostMessageW(window, WM_COMMAND, IDM_FIND_PREVIOUS, 0);
    EXPECT_TRUE(WaitUntil([&] { return fieldText(window) == L"edited"; }, kBoundMs)) << "Mail is not on the form";
    PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(box); }, kBoundMs)) << "Escape left the box open";
}

}  // namespace
}  // namespace tarnwick
