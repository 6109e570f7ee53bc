// Keslowe end to end: Generate Password fills the selected field by the
// user's policy from the option file, the card is marked changed, and Save
// writes the new value to the card file.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

#include "passcard_editor/resources/keslowe_resources.h"
#include "foundation/toolbar_contract.h"
#include "platform/win32/win32_registry.h"
#include "support/own_windows.h"
#include "support/temp_folder.h"
#include "wine/editor_support.h"
#include "wine/tray/wine_processes.h"

namespace tarnwick {
namespace {

using wine::Program;
using wine::WaitUntil;

constexpr DWORD kBoundMs = 30'000;
constexpr int kFirstFieldId = 2000;
constexpr ULONG_PTR kCloseWithoutAsking = 1;

const std::wstring kKeslowe = wine::ProgramPath(TARNWICK_KESLOWE_PATH);
const std::wstring kCli = wine::ProgramPath(TARNWICK_CLI);

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
std::wstring inQuotes(const std::u16string& text) { return L"\"" + wide(text) + L"\""; }

std::wstring textOf(HWND window) {
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

class KesloweGenerate : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowW(L"Keslowe", nullptr), nullptr) << "a Keslowe window is left over";
        const std::u16string dataRoot = folder.file(u"data");
        testing::CreateFolder(dataRoot);
        alice = dataRoot + u"\\Alice";
        ASSERT_EQ(wine::RunCapturing(kCli + L" new-user " + inQuotes(dataRoot) + L" Alice alice123").exitCode, 0u);
        card = alice + u"\\Mail.vrc";
        ASSERT_EQ(wine::RunCapturing(kCli + L" new-passcard " + inQuotes(card) +
                                     L" --url https://mail.example/ --field User:text:alice"
                                     L" --field Password:password:s3cret")
                      .exitCode,
                  0u);
        for (const wchar_t* option : {L" GENLENGTH 14", L" GENCLASSES lower,digits"}) {
            ASSERT_EQ(wine::RunCapturing(kCli + L" option set " + inQuotes(alice) + option).exitCode, 0u);
        }
        savedRootUser = registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260);
        registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, alice);
    }
    void TearDown() override {
        if (savedRootUser) registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, *savedRootUser);
    }

    testing::TempFolder folder;
    std::u16string alice;
    std::u16string card;
    Win32Registry registry;
    std::optional<std::u16string> savedRootUser;
};

TEST_F(KesloweGenerate, FillsTheSelectedFieldByThePolicyAndSaveWritesIt) {
    Program keslowe(kKeslowe);
    ASSERT_TRUE(keslowe.started());
    const HWND window = wine::WaitForTopLevel(L"Keslowe", nullptr, keslowe.id(), kBoundMs);
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    HWND user = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (user = testing::FindControl(window, kFirstFieldId)) != nullptr && textOf(user) == L"alice"; },
        kBoundMs));

    // The user name's box is selected as a click selects it.
    PostMessageW(user, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(user, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kBoundMs, &ignored);
    PostMessageW(window, WM_COMMAND, IDM_GENERATE_PASSWORD, 0);

    std::wstring generated;
    ASSERT_TRUE(WaitUntil([&] { return (generated = textOf(user)) != L"alice"; }, kBoundMs))
        << "the selected field kept its text";
    EXPECT_EQ(generated.size(), 14u);
    EXPECT_TRUE(std::all_of(generated.begin(), generated.end(), [](wchar_t c) {
        return (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9');
    })) << std::string(generated.begin(), generated.end());

    PostMessageW(window, WM_COMMAND, IDM_SAVE, 0);
    const std::string expected =
        "{\"name\":\"User\",\"type\":\"text\",\"value\":\"" + std::string(generated.begin(), generated.end()) + "\"}";
    std::string shown;
    EXPECT_TRUE(WaitUntil(
        [&] {
            shown = wine::RunCapturing(kCli + L" show " + inQuotes(card)).text;
            return shown.find(expected) != std::string::npos;
        },
        kBoundMs))
        << shown;
    EXPECT_NE(shown.find("\"value\":\"s3cret\""), std::string::npos) << "the password field changed too: " << shown;

    COPYDATASTRUCT close{kCloseWithoutAsking, 0, nullptr};
    SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&close));
    DWORD exitCode = 1;
    EXPECT_TRUE(keslowe.waitForExit(kBoundMs, exitCode)) << "Keslowe did not end on copy-data 1";
    EXPECT_EQ(exitCode, 0u);
}

// The policy dialog shows the stored policy, refuses a length out of range in
// a box of its own, and keeps what OK accepts in the option file.
TEST_F(KesloweGenerate, ThePolicyDialogRefusesALengthOutOfRangeAndKeepsWhatItAccepts) {
    Program keslowe(kKeslowe);
    ASSERT_TRUE(keslowe.started());
    const HWND window = wine::WaitForTopLevel(L"Keslowe", nullptr, keslowe.id(), kBoundMs);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_COMMAND, IDM_PASSWORD_POLICY, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            dialog = FindWindowW(L"#32770", L"Password Policy");
            return dialog != nullptr && textOf(GetDlgItem(dialog, IDC_GEN_LENGTH)) == L"14";
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
        return wine::RunCapturing(kCli + L" option get " + inQuotes(alice) + L" " + key).text;
    };
    EXPECT_NE(option(L"GENLENGTH").find("32"), std::string::npos);
    EXPECT_NE(option(L"GENCLASSES").find("lower,digits,symbols"), std::string::npos) << option(L"GENCLASSES");

    COPYDATASTRUCT close{kCloseWithoutAsking, 0, nullptr};
    SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&close));
    DWORD exitCode = 1;
    EXPECT_TRUE(keslowe.waitForExit(kBoundMs, exitCode));
}

}  // namespace
}  // namespace tarnwick
