// The Passcard Editor keeps what the user typed when it cannot be saved: text
// the code page cannot hold is refused on Save and on closing, with the
// characters named, the editor still running and the file untouched; edits
// made before a lock are saved once the password is typed again.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "foundation/toolbar_contract.h"
#include "passcard_editor/resources/keslowe_resources.h"
#include "platform/win32/win32_windows.h"
#include "support/own_windows.h"
#include "wine/passcard_editor/keslowe_support.h"

namespace tarnwick {
namespace {

using testing::InQuotes;
using wine::WaitForTopLevel;
using wine::WaitUntil;

constexpr DWORD kBoundMs = 30'000;
constexpr int kFirstFieldId = 2000;

class KesloweSessionEndToEnd : public testing::KesloweTest {
protected:
    void SetUp() override {
        KesloweTest::SetUp();
        if (HasFatalFailure()) return;
        newPasscard(u"Mail", L"--url https://mail.example/ --field User:text:alice");
    }
    std::wstring answerBox(int button = IDOK) { return testing::AnswerNextBox(editor->id(), button); }
    bool typePassword() { return testing::AnswerPasswordPrompt(editor->id(), L"alice123"); }
};

TEST_F(KesloweSessionEndToEnd, TextTheCodePageCannotHoldIsRefusedOnSaveAndCloseAndNeverWritten) {
    const std::string before = shown(u"Mail");
    const HWND window = start(InQuotes(alice + u"\\Mail.vrc"));
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
    EXPECT_EQ(shown(u"Mail"), before) << "something was written";
}

TEST_F(KesloweSessionEndToEnd, EditsMadeBeforeALockAreSavedOnceThePasswordIsTypedAgain) {
    const std::u16string bank = alice + u"\\Bank.vrc";
    newPasscard(u"Bank", L"--url https://bank.example/ --field User:text:alice --protected --password alice123");
    editor = std::make_unique<wine::Program>(L"\"" + program + L"\" " + InQuotes(bank));
    ASSERT_TRUE(typePassword()) << "the protected card opened without the password";
    const HWND window = WaitForTopLevel(L"Keslowe", nullptr, editor->id(), kBoundMs);
    ASSERT_NE(window, nullptr);
    HWND field = nullptr;
    const auto fieldText = [&] { return testing::AskedText(field = testing::FindControl(window, kFirstFieldId)); };
    ASSERT_TRUE(WaitUntil([&] { return fieldText() == L"alice"; }, kBoundMs)) << "the card is not on the form";
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"during"));

    // What the tray's lock does: the remembered password goes, then the editor's own copy.
    ASSERT_EQ(wine::RunCapturing(cli + L" lock").exitCode, 0u);
    Win32Windows windows;
    EXPECT_EQ(windows.sendCopyData(ToWindowRef(window), editor_code::kForgetPassword, std::nullopt), 2);
    EXPECT_EQ(fieldText(), L"during") << "the lock took the edits off the screen";
    PostMessageW(window, WM_COMMAND, IDM_SAVE, 0);
    ASSERT_TRUE(typePassword()) << "Save did not ask for the password after the lock";
    const std::wstring show = cli + L" show " + InQuotes(bank) + L" --password alice123";
    EXPECT_TRUE(
        WaitUntil([&] { return wine::RunCapturing(show).text.find("\"during\"") != std::string::npos; }, kBoundMs))
        << wine::RunCapturing(show).text;
}

}  // namespace
}  // namespace tarnwick
