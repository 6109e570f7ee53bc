// Keslowe end to end: Generate Password fills the selected field by the
// user's policy from the option file, the card is marked changed, and Save
// writes the new value to the card file.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
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

class KesloweGenerate : public testing::KesloweTest {
protected:
    void SetUp() override {
        KesloweTest::SetUp();
        if (HasFatalFailure()) return;
        newPasscard(u"Mail", L"--url https://mail.example/ --field User:text:alice --field Password:password:s3cret");
        for (const wchar_t* option : {L" GENLENGTH 14", L" GENCLASSES lower,digits"}) {
            ASSERT_EQ(wine::RunCapturing(cli + L" option set " + InQuotes(alice) + option).exitCode, 0u);
        }
    }
};

TEST_F(KesloweGenerate, FillsTheSelectedFieldByThePolicyAndSaveWritesIt) {
    const HWND window = start();
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    const HWND user = waitForFirstField(window, L"alice");
    ASSERT_NE(user, nullptr);

    // The user name's box is selected as a click selects it.
    PostMessageW(user, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(user, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kBoundMs, &ignored);
    PostMessageW(window, WM_COMMAND, IDM_GENERATE_PASSWORD, 0);

    std::wstring generated;
    ASSERT_TRUE(WaitUntil([&] { return (generated = AskedText(user)) != L"alice"; }, kBoundMs))
        << "the selected field kept its text";
    EXPECT_EQ(generated.size(), 14u);
    EXPECT_TRUE(std::all_of(generated.begin(), generated.end(), [](wchar_t c) {
        return (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9');
    })) << std::string(generated.begin(), generated.end());

    PostMessageW(window, WM_COMMAND, IDM_SAVE, 0);
    const std::string expected =
        "{\"name\":\"User\",\"type\":\"text\",\"value\":\"" + std::string(generated.begin(), generated.end()) + "\"}";
    std::string card;
    EXPECT_TRUE(WaitUntil(
        [&] {
            card = shown(u"Mail");
            return card.find(expected) != std::string::npos;
        },
        kBoundMs))
        << card;
    EXPECT_NE(card.find("\"value\":\"s3cret\""), std::string::npos) << "the password field changed too: " << card;

    EXPECT_EQ(testing::CloseOnRequest(window, *editor), 0u) << "Keslowe did not end on copy-data 1";
}

// A field's right-click menu generates into that field, as the Field menu does.
TEST_F(KesloweGenerate, TheFieldsRightClickMenuGeneratesIntoThatField) {
    const HWND window = start();
    ASSERT_NE(window, nullptr);
    const HWND user = waitForFirstField(window, L"alice");
    ASSERT_NE(user, nullptr);
    // A click first, as a person's makes the window the active one.
    PostMessageW(user, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(user, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    RECT bounds{};
    GetWindowRect(user, &bounds);
    std::wstring generated = L"alice";
    // Wine now and then cancels a popup menu as it opens on a display without
    // a window manager: the menu is asked for again then.
    for (int attempt = 0; attempt < 5 && generated == L"alice"; ++attempt) {
        PostMessageW(user, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(user), MAKELPARAM(bounds.left + 4, bounds.top + 4));
        HWND menu = nullptr;
        ASSERT_TRUE(WaitUntil(
            [&] {
                menu = FindWindowW(L"#32768", nullptr);
                return menu != nullptr && IsWindowVisible(menu);
            },
            kBoundMs))
            << "no menu";
        // Its access key, "&Generate Password", once the menu's loop answers.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(menu, WM_NULL, 0, 0, SMTO_NORMAL, kBoundMs, &ignored);
        PostMessageW(menu, WM_CHAR, 'g', 0);
        WaitUntil([&] { return (generated = AskedText(user)) != L"alice"; }, 3'000);
        if (IsWindow(menu)) PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    EXPECT_EQ(generated.size(), 14u) << "the field kept its text";
    EXPECT_EQ(AskedText(testing::FindControl(window, 2001)), L"s3cret");
    EXPECT_EQ(testing::CloseOnRequest(window, *editor), 0u);
}

// The policy dialog shows the stored policy, refuses a length out of range in
// a box of its own, and keeps what OK accepts in the option file.
TEST_F(KesloweGenerate, ThePolicyDialogRefusesALengthOutOfRangeAndKeepsWhatItAccepts) {
    const HWND window = start();
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_COMMAND, IDM_PASSWORD_POLICY, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            dialog = FindWindowW(L"#32770", L"Password Policy");
            return dialog != nullptr && AskedText(GetDlgItem(dialog, IDC_GEN_LENGTH)) == L"14";
        },
        kBoundMs))
        << "no policy dialog showing the stored length";
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_GEN_DIGITS), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_GEN_SYMBOLS), BST_UNCHECKED);

    SendMessageW(GetDlgItem(dialog, IDC_GEN_LENGTH), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"2000"));
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            box = FindWindowW(L"#32770", L"Tarnwick Warning");
            return box != nullptr && wine::BoxText(box).find(L"from 1 to 1024") != std::wstring::npos;
        },
        kBoundMs))
        << "no refusal";
    wine::PressButton(box, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kBoundMs));
    ASSERT_TRUE(IsWindow(dialog)) << "the dialog closed on a refused length";

    SendMessageW(GetDlgItem(dialog, IDC_GEN_LENGTH), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"32"));
    PostMessageW(GetDlgItem(dialog, IDC_GEN_SYMBOLS), BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kBoundMs)) << "OK did not close the dialog";
    const auto option = [&](const wchar_t* key) {
        return wine::RunCapturing(cli + L" option get " + InQuotes(alice) + L" " + key).text;
    };
    EXPECT_NE(option(L"GENLENGTH").find("32"), std::string::npos);
    EXPECT_NE(option(L"GENCLASSES").find("lower,digits,symbols"), std::string::npos) << option(L"GENCLASSES");

    EXPECT_TRUE(testing::CloseOnRequest(window, *editor).has_value());
}

}  // namespace
}  // namespace tarnwick
