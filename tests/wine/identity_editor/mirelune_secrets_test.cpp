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
#include "platform/win32/wide.h"
#include "support/own_windows.h"
#include "wine/identity_editor/mirelune_support.h"

namespace tarnwick {
namespace {

using testing::AskedText;
using testing::Narrow;
using testing::Wide;
using wine::WaitUntil;

constexpr DWORD kBoundMs = 30'000;
// The Authentication table's inputs, in the page's document order.
constexpr int kPasswordInput = kFirstFormControlId + 30;
constexpr int kQuestionInput = kFirstFormControlId + 31;
constexpr int kAnswerInput = kFirstFormControlId + 32;
constexpr int kAuthenticationTab = 4;

const std::wstring kPassword = L"Qv7#tarn";
const std::wstring kAnswer = L"Wrenfield";
const std::wstring kCustomValue = L"Locker 4417";

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
        EXPECT_EQ(text.find(kPassword), std::wstring::npos) << "a static shows the password: " << Narrow(text);
        EXPECT_EQ(text.find(kAnswer), std::wstring::npos) << "a static shows the answer: " << Narrow(text);
    }
    EXPECT_GT(statics, 0) << "no static controls were found: the walk saw nothing";
    const std::wstring title = testing::ReadableText(top);
    EXPECT_EQ(title.find(kPassword), std::wstring::npos) << Narrow(title);
    EXPECT_EQ(title.find(kAnswer), std::wstring::npos) << Narrow(title);
}

// Pooled controls (no id) and hidden lines of text keep nothing of what they showed.
void expectRetiredControlsEmpty(HWND form) {
    for (HWND child = GetWindow(form, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) continue;
        if (GetDlgCtrlID(child) != 0 && !isStatic(child)) continue;  // a bound input of a hidden table
        EXPECT_EQ(AskedText(child), L"") << "a retired control of id " << GetDlgCtrlID(child) << " keeps its text";
    }
}

bool hidesText(HWND input) { return (GetWindowLongPtrW(input, GWL_STYLE) & ES_PASSWORD) != 0; }

class MireluneSecrets : public testing::MireluneTest {
protected:
    void SetUp() override {
        MireluneTest::SetUp();  // no --option: a new user has "Passwords As Stars" on
        if (HasFatalFailure()) return;
        cli(u"new-identity \"" + user +
            u"\\Anna.vrt\" --set EMAIL=anna@example.org --set \"NAME=Anna|Berg\" --set \"FAVORITE PASSWORD=" +
            FromWide(kPassword.c_str()) + u"\" --set \"PASSWORD QUESTION=Street?\" --set \"PASSWORD ANSWER=" +
            FromWide(kAnswer.c_str()) + u"\" --custom Pet=Rex --custom Shoe=44 --custom Hat=7 --custom \"Locker=" +
            FromWide(kCustomValue.c_str()) + u"\"");
        // Anna has a row more than Bob's three empty ones: her last row's inputs go to the pool.
        cli(u"new-identity \"" + user + u"\\Bob.vrt\" --set PHONE=111 --set \"NAME=Bob|Carr\"");
    }
};

TEST_F(MireluneSecrets, NoStaticControlOrTitleHoldsThePasswordOrTheAnswer) {
    HWND window = start(user + u"\\Anna");
    ASSERT_NE(window, nullptr);
    // The summary shows that a password and an answer are there, masked.
    const std::wstring mask = Wide(std::u16string(kSummarySecretMask));
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
        EXPECT_EQ(AskedText(child).find(kCustomValue), std::wstring::npos) << "the custom row's value stayed behind";
    }
    EXPECT_TRUE(testing::CloseOnRequest(window, *editor).has_value());

    // Stars off: the editor reads the option at start and shows the inputs as text.
    cli(u"option set \"" + user + u"\" SHOWPASSWORD 0");
    window = start(user + u"\\Anna");
    ASSERT_NE(window, nullptr);
    form = waitForForm(window, L"anna@example.org");
    ASSERT_NE(form, nullptr);
    password = testing::FindControl(form, kPasswordInput);
    ASSERT_NE(password, nullptr);
    EXPECT_FALSE(hidesText(password));
    waitForForm(window, mask);  // the summary masks whatever the option
    expectNoSecretReadable(window, "stars off");
    EXPECT_TRUE(testing::CloseOnRequest(window, *editor).has_value());
}

}  // namespace
}  // namespace tarnwick
