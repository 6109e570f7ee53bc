// An identity card of a thousand custom fields in Mirelune: on every tab the
// editor has no more windows than a short card's, and the last custom row,
// scrolled to, shows its value.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/wide.h"
#include "support/own_windows.h"
#include "wine/identity_editor/mirelune_support.h"

namespace tarnwick {
namespace {

using testing::AllChildWindows;
using testing::AskedText;

constexpr std::size_t kMostWindows = 200;

using MireluneRows = testing::MireluneTest;

TEST_F(MireluneRows, AThousandCustomFieldsTakeAFewWindowsOnEveryTab) {
    std::u16string customs;
    for (int n = 0; n < 1000; ++n) {
        const std::u16string number = FromWide(std::to_wstring(n).c_str());
        customs += u" --custom c" + number + u"=v" + number;
    }
    cli(u"new-identity \"" + user + u"\\Rows.vrt\" --set \"NAME=Rows|Many\"" + customs);
    const HWND window = start(user + u"\\Rows");
    ASSERT_NE(window, nullptr);
    const HWND form = waitForForm(window, L"RowsMany");
    ASSERT_NE(form, nullptr);
    EXPECT_LE(AllChildWindows(window).size(), kMostWindows);

    const HWND tabs = testing::FindControl(window, 0, WC_TABCONTROLW);
    ASSERT_NE(tabs, nullptr);
    const auto count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    bool lastRowSeen = false;
    for (int tab = 1; tab <= count; ++tab) {
        SendMessageW(tabs, TCM_SETCURFOCUS, tab % count, 0);
        SendMessageW(form, WM_VSCROLL, SB_BOTTOM, 0);
        EXPECT_LE(AllChildWindows(window).size(), kMostWindows) << "on tab " << tab % count;
        for (HWND child : AllChildWindows(form)) lastRowSeen = lastRowSeen || AskedText(child) == L"v999";
    }
    EXPECT_TRUE(lastRowSeen) << "no tab showed the last custom row at its end";
}

}  // namespace
}  // namespace tarnwick
