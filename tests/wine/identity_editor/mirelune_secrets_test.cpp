// Nothing of a card's password or answer can be read from outside the Identity
// Editor: any program may GetWindowText a static control or a window title
// without asking us, so the test reads every one as such a program would.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/toolbar_contract.h"
#include "htmlform/win32/form_view_ids.h"
#include "identity_editor/identity_form_markup.h"
#include "platform/utf8.h"
#include "platform/win32/wide.h"
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
// The Authentication table's inputs, in the page's document order.
constexpr int kPasswordInput = kFirstFormControlId + 30;
constexpr int kQuestionInput = kFirstFormControlId + 31;
constexpr int kAnswerInput = kFirstFormControlId + 32;
constexpr int kAuthenticationTab = 4;

const std::wstring kMirelune = wine::ProgramPath(TARNWICK_MIRELUNE_PATH);
const std::wstring kPassword = L"Qv7#tarn";
const std::wstring kAnswer = L"Wrenfield";
const std::wstring kCustomValue = L"Locker 4417";

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
std::string narrow(const std::wstring& text) { return Utf16ToUtf8(FromWide(text.c_str())); }

void runCli(const std::u16string& arguments) {
    const testing::CliResult result = testing::RunWindowsCli(wide(arguments));
    ASSERT_EQ(result.exitCode, 0u) << result.error;
}

bool isStatic(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return lstrcmpiW(name, WC_STATICW) == 0;
}

// Every static control of the window, shown or not, and the window's title.
void expectNoSecretReadable(HWND top, const char* when) {
    SCOPED_TRACE(when);
    int statics = 0;
    for (HWND child : testing::AllChildWindows(top)) {
        if (!isStatic(child)) continue;
        ++statics;
        const std::wstring text = testing::ReadableText(child);
        EXPECT_EQ(text.find(kPassword), std::wstring::npos) << "a static shows the password: " << narrow(text);
        EXPECT_EQ(text.find(kAnswer), std::wstring::npos) << "a static shows the answer: " << narrow(text);
    }
    EXPECT_GT(statics, 0) << "no static controls were found: the walk saw nothing";
    const std::wstring title = testing::ReadableText(top);
    EXPECT_EQ(title.find(kPassword), std::wstring::npos) << narrow(title);
    EXPECT_EQ(title.find(kAnswer), std::wstring::npos) << narrow(title);
}

// What the control itself answers (WM_GETTEXT), which any program may ask too.
std::wstring askedText(HWND window) {
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

// Pooled controls (no id) and hidden lines of text keep nothing of what they showed.
void expectRetiredControlsEmpty(HWND form) {
    for (HWND child = GetWindow(form, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) continue;
        if (GetDlgCtrlID(child) != 0 && !isStatic(child)) continue;  // a bound input of a hidden table
        EXPECT_EQ(askedText(child), L"") << "a retired control of id " << GetDlgCtrlID(child) << " keeps its text";
    }
}

bool hidesText(HWND input) { return (GetWindowLongPtrW(input, GWL_STYLE) & ES_PASSWORD) != 0; }

class MireluneSecrets : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(wine::FindTopLevel(L"Mirelune", nullptr, 0), nullptr) << "an identity editor is left over";
        savedRootUser = registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260);
        const std::u16string dataRoot = folder.file(u"Data");
        // No --option: a new user has "Passwords As Stars" on.
        runCli(u"new-user \"" + dataRoot + u"\" demo Secret#1 --register");
        user = dataRoot + u"\\demo";
        runCli(u"new-identity \"" + user +
               u"\\Anna.vrt\" --set EMAIL=anna@example.org --set \"NAME=Anna|Berg\" --set \"FAVORITE PASSWORD=" +
               FromWide(kPassword.c_str()) + u"\" --set \"PASSWORD QUESTION=Street?\" --set \"PASSWORD ANSWER=" +
               FromWide(kAnswer.c_str()) + u"\" --custom Pet=Rex --custom Shoe=44 --custom Hat=7 --custom \"Locker=" +
               FromWide(kCustomValue.c_str()) + u"\"");
        // Anna has a row more than Bob's three empty ones: her last row's inputs go to the pool.
        runCli(u"new-identity \"" + user + u"\\Bob.vrt\" --set PHONE=111 --set \"NAME=Bob|Carr\"");
    }
    void TearDown() override {
        editor.reset();
        registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, savedRootUser.value_or(u""));
    }

    HWND start(const std::u16string& card) {
        editor = std::make_unique<Program>(L"\"" + kMirelune + L"\" " + wide(user + u"\\" + card));
        EXPECT_TRUE(editor->started());
        return WaitForTopLevel(L"Mirelune", nullptr, editor->id(), kBoundMs);
    }
    HWND waitForForm(HWND window, const std::wstring& text) {
        HWND form = nullptr;
        const bool seen = WaitUntil(
            [&] {
                form = FindWindowExW(window, nullptr, L"TarnwickFormView", nullptr);
                return form != nullptr && testing::VisibleTexts(form).find(text) != std::wstring::npos;
            },
            kBoundMs);
        EXPECT_TRUE(seen) << "the form never showed " << narrow(text) << ": "
                          << (form ? narrow(testing::VisibleTexts(form)) : std::string("no form"));
        return form;
    }
    void close(HWND window) {
        COPYDATASTRUCT data{editor_code::kClose, 0, nullptr};
        DWORD_PTR reply = 0;
        SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, kBoundMs, &reply);
        DWORD exitCode = 1;
        EXPECT_TRUE(editor->waitForExit(kBoundMs, exitCode));
    }

    testing::TempFolder folder;
    Win32Registry registry;
    std::optional<std::u16string> savedRootUser;
    std::u16string user;
    std::unique_ptr<Program> editor;
};

TEST_F(MireluneSecrets, NoStaticControlOrTitleHoldsThePasswordOrTheAnswer) {
    HWND window = start(u"Anna");
    ASSERT_NE(window, nullptr);
    // The summary shows that a password and an answer are there, masked.
    const std::wstring mask = wide(std::u16string(kSummarySecretMask));
    HWND form = waitForForm(window, L"anna@example.org");
    ASSERT_NE(form, nullptr);
    waitForForm(window, mask);
    waitForForm(window, L"Street?");
    expectNoSecretReadable(window, "the summary");

    // The Authentication table: the password and the answer in masked inputs.
    HWND tabs = testing::FindControl(window, 0, WC_TABCONTROLW);
    ASSERT_NE(tabs, nullptr);
    SendMessageW(tabs, TCM_SETCURFOCUS, kAuthenticationTab, 0);
    HWND password = testing::FindControl(form, kPasswordInput);
    HWND answer = testing::FindControl(form, kAnswerInput);
    HWND question = testing::FindControl(form, kQuestionInput);
    ASSERT_TRUE(password && answer && question);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(password) && IsWindowVisible(answer); }, kBoundMs));
    EXPECT_TRUE(hidesText(password));
    EXPECT_TRUE(hidesText(answer));
    EXPECT_FALSE(hidesText(question));
    expectNoSecretReadable(window, "the Authentication tab");

    // Another card: the first card's summary lines and custom row leave the page.
    HWND tree = testing::FindControl(window, 0, WC_TREEVIEWW);
    ASSERT_NE(tree, nullptr);
    const auto root = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    const auto selected = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    HTREEITEM other = nullptr;
    for (auto item = reinterpret_cast<HTREEITEM>(
             SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
         item != nullptr; item = reinterpret_cast<HTREEITEM>(
                              SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        if (item != selected) other = item;
    }
    ASSERT_NE(other, nullptr);
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(other));
    waitForForm(window, L"BobCarr");
    expectNoSecretReadable(window, "another card");
    expectRetiredControlsEmpty(form);
    for (HWND child : testing::AllChildWindows(window)) {
        EXPECT_EQ(askedText(child).find(kCustomValue), std::wstring::npos) << "the custom row's value stayed behind";
    }
    close(window);

    // Stars off: the editor reads the option at start and shows the inputs as text.
    runCli(u"option set \"" + user + u"\" SHOWPASSWORD 0");
    window = start(u"Anna");
    ASSERT_NE(window, nullptr);
    form = waitForForm(window, L"anna@example.org");
    ASSERT_NE(form, nullptr);
    password = testing::FindControl(form, kPasswordInput);
    ASSERT_NE(password, nullptr);
    EXPECT_FALSE(hidesText(password));
    waitForForm(window, mask);  // the summary masks whatever the option
    expectNoSecretReadable(window, "stars off");
    close(window);
}

}  // namespace
}  // namespace tarnwick
