// Keslowe's Password Health window end to end: the report of a small library
// with a reused and a weak password in its list, and a double-clicked line
// selecting its card in the tree, which puts the card on show.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "foundation/toolbar_contract.h"
#include "passcard_editor/resources/keslowe_resources.h"
#include "support/own_windows.h"
#include "wine/passcard_editor/keslowe_support.h"

namespace tarnwick {
namespace {

using testing::AskedText;
using wine::WaitForTopLevel;
using wine::WaitUntil;

constexpr DWORD kBoundMs = 30'000;
constexpr int kAddressBoxId = 102;

using testing::RemoteMemory;

constexpr std::size_t kTextOffset = 256;
constexpr int kTextChars = 256;

std::wstring itemText(HWND list, const RemoteMemory& memory, int item, int column) {
    LVITEMW request{};
    request.iSubItem = column;
    request.pszText = reinterpret_cast<wchar_t*>(memory.at(kTextOffset));
    request.cchTextMax = kTextChars;
    memory.write(0, &request, sizeof request);
    SendMessageW(list, LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(memory.at(0)));
    wchar_t text[kTextChars] = {};
    memory.read(kTextOffset, text, sizeof text);
    text[kTextChars - 1] = L'\0';
    return text;
}

// A line as the list shows it: "card | field | finding".
std::wstring lineOf(HWND list, const RemoteMemory& memory, int item) {
    return itemText(list, memory, item, 0) + L" | " + itemText(list, memory, item, 1) + L" | " +
           itemText(list, memory, item, 2);
}

void doubleClick(HWND list, const RemoteMemory& memory, int item) {
    RECT bounds{LVIR_LABEL, 0, 0, 0};
    memory.write(0, &bounds, sizeof bounds);
    SendMessageW(list, LVM_GETITEMRECT, item, reinterpret_cast<LPARAM>(memory.at(0)));
    memory.read(0, &bounds, sizeof bounds);
    const LPARAM point = MAKELPARAM(bounds.left + 4, (bounds.top + bounds.bottom) / 2);
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    PostMessageW(list, WM_LBUTTONUP, 0, point);
}

class KesloweHealth : public testing::KesloweTest {
protected:
    void SetUp() override {
        KesloweTest::SetUp();
        if (HasFatalFailure()) return;
        testing::CreateFolder(alice + u"\\Shop");
        newPasscard(u"Bank", L"https://bank.example/", L"Xq7#mLp2Vr9!zT");
        newPasscard(u"Mail", L"https://mail.example/", L"s3cret");
        newPasscard(u"Shop\\Store", L"https://shop.example/", L"Xq7#mLp2Vr9!zT");
    }
    void newPasscard(std::u16string_view name, const std::wstring& url, const std::wstring& password) {
        KesloweTest::newPasscard(
            name, L"--url " + url + L" --field User:text:alice --field \"Password:password:" + password + L"\"");
    }
};

TEST_F(KesloweHealth, ListsTheReusedAndTheWeakPasswordAndADoubleClickShowsTheCard) {
    const HWND window = start();
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    HWND address = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (address = testing::FindControl(window, kAddressBoxId, nullptr)) != nullptr; },
                          kBoundMs));
    EXPECT_TRUE(WaitUntil([&] { return !AskedText(address).empty(); }, kBoundMs)) << "no card on show";
    EXPECT_NE(AskedText(address), L"https://shop.example/");

    PostMessageW(window, WM_COMMAND, IDM_PASSWORD_HEALTH, 0);
    const HWND health = WaitForTopLevel(L"KesloweHealth", nullptr, editor->id(), kBoundMs);
    ASSERT_NE(health, nullptr) << "no Password Health window";
    EXPECT_EQ(AskedText(health), L"Password Health");
    HWND list = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (list = GetDlgItem(health, IDC_HEALTH_LIST)) != nullptr; }, kBoundMs));
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 3; }, kBoundMs))
        << "the list has " << SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) << " lines";
    EXPECT_EQ(AskedText(GetDlgItem(health, IDC_HEALTH_SUMMARY)),
              L"3 passcards, 3 passwords: 3 findings; no breach file chosen");

    const RemoteMemory memory(list);
    EXPECT_EQ(lineOf(list, memory, 0), L"Shop\\Store | Password | reused: group 1, 2 cards");
    EXPECT_EQ(lineOf(list, memory, 1), L"Bank | Password | reused: group 1, 2 cards");
    EXPECT_EQ(lineOf(list, memory, 2), L"Mail | Password | weak: a common password");

    doubleClick(list, memory, 0);
    EXPECT_TRUE(WaitUntil([&] { return AskedText(address) == L"https://shop.example/"; }, kBoundMs))
        << "the double-clicked card is not on show: "
        << std::string(AskedText(address).begin(), AskedText(address).end());
    doubleClick(list, memory, 2);
    EXPECT_TRUE(WaitUntil([&] { return AskedText(address) == L"https://mail.example/"; }, kBoundMs));

    PostMessageW(health, WM_COMMAND, IDC_HEALTH_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(health); }, kBoundMs)) << "Close left the window";
    EXPECT_TRUE(testing::CloseOnRequest(window, *editor).has_value()) << "Keslowe did not end on copy-data 1";
}

}  // namespace
}  // namespace tarnwick
