// The primary-password dialog as a user meets it: found by its title, typed
// into key by key, OK pressed; the error boxes answered; the option file read.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/option_store.h"
#include "foundation/primary_password.h"
#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "foundation/toolbar_contract.h"
#include "foundation/user_profile.h"
#include "platform/host/host_registry.h"
#include "platform/win32/wide.h"
#include "platform/win32/password_dialog.h"
#include "platform/win32/win32_prompts.h"
#include "support/own_windows.h"
#include "support/temp_folder.h"

using namespace std::chrono_literals;

namespace tarnwick {
namespace {

constexpr auto kBound = 10s;

HWND WaitForDialog(const wchar_t* title) { return testing::WaitForOwnWindow(L"#32770", title, kBound); }

// Until a closed box has left the screen, so that the next wait cannot find it.
void WaitGone(HWND window) {
    const auto deadline = std::chrono::steady_clock::now() + kBound;
    while (IsWindow(window) && IsWindowVisible(window) && std::chrono::steady_clock::now() < deadline) {
        Sleep(20);
    }
    EXPECT_FALSE(IsWindow(window) && IsWindowVisible(window)) << "a closed box stayed on screen";
}

std::u16string TextOf(HWND window) {
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return FromWide(buffer);
}

// Types as a user would: the edit cleared, then one WM_CHAR a key.
void Type(HWND dialog, std::u16string_view text) {
    const HWND edit = GetDlgItem(dialog, kPasswordEditId);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CLEAR, 0, 0);
    for (char16_t c : text) SendMessageW(edit, WM_CHAR, c, 0);
}

// Pressing OK may open a modal box on the dialog's thread, so the click is posted.
void Press(HWND dialog, int button) { PostMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0); }

class PasswordDialogWine : public ::testing::Test {
protected:
    void SetUp() override {
        ClearCurrentPrimaryPassword();
        userFolder = folder.file(u"alice");
        testing::CreateFolder(userFolder);
        WriteTextLines(OptionFilePath(userFolder), {u"[CHECKKEY]", MakeCheckText(u"Secret#1"), u"[KEY]", u"0"});
    }
    void TearDown() override { ClearCurrentPrimaryPassword(); }

    // Runs EnsurePrimaryPassword on a thread of its own, as an editor's UI
    // thread would. Detached, so that a dialog a failed test leaves open cannot
    // hold the test program; the state it uses is shared with it.
    std::future<bool> ask() {
        auto answer = std::make_shared<std::promise<bool>>();
        std::future<bool> result = answer->get_future();
        std::thread([answer, folder = userFolder] {
            HostRegistry own;
            own.writeString(registry::kTarnwickKey, registry::kRootUserValue, folder);
            Win32Prompts prompts;
            UserProfile profile(own, prompts, NativeFileSystem(), IdentityMessages());
            profile.LoadCurrentUser();
            answer->set_value(profile.EnsurePrimaryPassword(kNoWindow));
        }).detach();
        return result;
    }

    testing::TempFolder folder;
    std::u16string userFolder;
};

TEST_F(PasswordDialogWine, WrongAndShortPasswordsAreRefusedThenTheRightOneIsRemembered) {
    std::future<bool> result = ask();
    const HWND dialog = WaitForDialog(L"Tarnwick");
    ASSERT_NE(dialog, nullptr) << "no password dialog";
    EXPECT_EQ(TextOf(GetDlgItem(dialog, kPasswordTextId)),
              u"Please enter the Primary Password of Tarnwick Current user that opens protected Card");
    const HWND edit = GetDlgItem(dialog, kPasswordEditId);
    EXPECT_EQ(GetWindowLongW(edit, GWL_STYLE) & ES_PASSWORD, 0);

    for (std::u16string_view wrong : {u"Wrong#12", u"Secret#"}) {
        Type(dialog, wrong);
        Press(dialog, IDOK);
        const HWND box = WaitForDialog(L"Tarnwick Error");
        ASSERT_NE(box, nullptr) << "no error for " << std::string(wrong.begin(), wrong.end());
        EXPECT_EQ(GetWindow(box, GW_OWNER), dialog);
        SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        WaitGone(box);
        ASSERT_TRUE(IsWindow(dialog)) << "the dialog must stay open";
    }
    Type(dialog, u"Secret#1xyz");  // the edit holds 8 characters
    EXPECT_EQ(TextOf(edit), u"Secret#1");
    Press(dialog, IDOK);
    ASSERT_EQ(result.wait_for(kBound), std::future_status::ready);
    EXPECT_TRUE(result.get());
    EXPECT_STREQ(CurrentPrimaryPassword(), "Secret#1");
    EXPECT_EQ(UnsealText(ReadOptionLine(userFolder, u"[KEY]").value, kAlgorithmBlowfish, KeyModeOption), u"Secret#1");
}

TEST_F(PasswordDialogWine, CancelLeavesZero) {
    WriteOptionLine(userFolder, u"[KEY]", u"stale");
    std::future<bool> result = ask();
    const HWND dialog = WaitForDialog(L"Tarnwick");
    ASSERT_NE(dialog, nullptr) << "no password dialog";
    Type(dialog, u"Secret#1");
    Press(dialog, IDCANCEL);
    ASSERT_EQ(result.wait_for(kBound), std::future_status::ready);
    EXPECT_FALSE(result.get());
    EXPECT_FALSE(HasCurrentPrimaryPassword());
    EXPECT_EQ(ReadOptionLine(userFolder, u"[KEY]").value, u"0");
}

}  // namespace
}  // namespace tarnwick
