// A passcard of a thousand fields in Keslowe: the form has controls for the
// rows in view only, and the last row, scrolled to, is control 2000+n showing
// its value, and an edit there is saved.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "htmlform/win32/form_view_ids.h"
#include "passcard_editor/resources/keslowe_resources.h"
#include "wine/passcard_editor/keslowe_support.h"

namespace tarnwick {
namespace {

using testing::AllChildWindows;
using testing::AskedText;
using testing::InQuotes;
using wine::WaitUntil;

constexpr DWORD kBoundMs = 30'000;
constexpr std::size_t kMostWindows = 200;

using KesloweRows = testing::KesloweTest;

TEST_F(KesloweRows, AThousandFieldsTakeAFewWindowsAndTheLastIsShownEditedAndSaved) {
    std::wstring fields;
    for (int n = 0; n < 1000; ++n) {
        const std::wstring number = std::to_wstring(n);
        fields += L" --field f" + number + (n % 10 == 4 ? L":password:v" : L":text:v") + number;
    }
    newPasscard(u"Rows", L"--url https://rows.example/" + fields);
    const HWND window = start(InQuotes(alice + u"\\Rows.vrc"));
    ASSERT_NE(window, nullptr);
    ASSERT_NE(waitForFirstField(window, L"v0"), nullptr);
    EXPECT_LE(AllChildWindows(window).size(), kMostWindows);

    const HWND form = FindWindowExW(window, nullptr, L"TarnwickFormView", nullptr);
    ASSERT_NE(form, nullptr);
    SendMessageW(form, WM_VSCROLL, SB_BOTTOM, 0);
    const HWND last = GetDlgItem(form, kFirstFormControlId + 999);
    ASSERT_NE(last, nullptr) << "no control for the last row in view";
    EXPECT_TRUE(IsWindowVisible(last));
    EXPECT_EQ(AskedText(last), L"v999");
    EXPECT_EQ(GetDlgItem(form, kFirstFormControlId), nullptr) << "the first row, out of view, still has a control";
    EXPECT_LE(AllChildWindows(window).size(), kMostWindows);

    SendMessageW(last, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"edited"));
    PostMessageW(window, WM_COMMAND, IDM_SAVE, 0);
    EXPECT_TRUE(WaitUntil(
        [&] { return shown(u"Rows").find(R"({"name":"f999","type":"text","value":"edited"})") != std::string::npos; },
        kBoundMs));
    EXPECT_NE(shown(u"Rows").find(R"({"name":"f0","type":"text","value":"v0"})"), std::string::npos);
}

}  // namespace
}  // namespace tarnwick
