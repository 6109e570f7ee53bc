// Find in the Passcard Editor: Ctrl+F opens the box over the tree, Enter
// selects the next card holding the text (inside a folder not opened yet)
// after saving the card edited, and Shift+F3 goes back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "foundation/toolbar_contract.h"
#include "passcard_editor/resources/keslowe_resources.h"
#include "support/own_windows.h"
#include "wine/passcard_editor/keslowe_support.h"

namespace tarnwick {
namespace {

using testing::AskedText;
using testing::InQuotes;
using wine::WaitUntil;

constexpr DWORD kBoundMs = 30'000;
constexpr int kFirstFieldId = 2000;
constexpr int kFindBoxId = 41303;

class KesloweFindEndToEnd : public testing::KesloweTest {
protected:
    void SetUp() override {
        KesloweTest::SetUp();
        if (HasFatalFailure()) return;
        testing::CreateFolder(alice + u"\\Shops");
        newPasscard(u"Mail", L"--url https://mail.example/ --field User:text:alice");
        newPasscard(u"Shops\\Store", L"--url https://store.example/ --field User:text:bob");
    }
    std::wstring fieldText(HWND window) { return AskedText(testing::FindControl(window, kFirstFieldId)); }
};

TEST_F(KesloweFindEndToEnd, EnterSelectsTheCardHoldingTheTextAfterSavingTheEdits) {
    const HWND window = start(InQuotes(alice + u"\\Mail.vrc"));
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
    EXPECT_NE(shown(u"Mail").find("\"edited\""), std::string::npos)
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
