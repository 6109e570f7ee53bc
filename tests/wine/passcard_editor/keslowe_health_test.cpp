// Keslowe's Password Health window end to end: the report of a small library
// with a reused and a weak password in its list, and a double-clicked line
// selecting its card in the tree, which puts the card on show.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "foundation/toolbar_contract.h"
#include "passcard_editor/resources/keslowe_resources.h"
#include "platform/win32/win32_registry.h"
#include "support/own_windows.h"
#include "support/temp_folder.h"
#include "wine/tray/wine_processes.h"

namespace tarnwick {
namespace {

using wine::Program;
using wine::WaitForTopLevel;
using wine::WaitUntil;

constexpr DWORD kBoundMs = 30'000;
constexpr int kAddressBoxId = 102;
constexpr ULONG_PTR kCloseWithoutAsking = 1;

const std::wstring kKeslowe = wine::ProgramPath(TARNWICK_KESLOWE_PATH);
const std::wstring kCli = wine::ProgramPath(TARNWICK_CLI);

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

std::wstring textOf(HWND window) {
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

// Memory in the editor's process: a list view's item messages carry pointers,
// which only mean something there.
class RemoteMemory {
public:
    RemoteMemory(DWORD processId, std::size_t size)
        : process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId)),
          address_(process_ ? VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE) : nullptr) {}
    ~RemoteMemory() {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    char* at(std::size_t offset) const { return static_cast<char*>(address_) + offset; }
    void write(std::size_t offset, const void* data, std::size_t size) const {
        WriteProcessMemory(process_, at(offset), data, size, nullptr);
    }
    void read(std::size_t offset, void* data, std::size_t size) const {
        ReadProcessMemory(process_, at(offset), data, size, nullptr);
    }

private:
    HANDLE process_;
    void* address_;
};

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

class KesloweHealth : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(FindWindowW(L"Keslowe", nullptr), nullptr) << "a Keslowe window is left over";
        const std::u16string dataRoot = folder.file(u"data");
        testing::CreateFolder(dataRoot);
        alice = dataRoot + u"\\Alice";
        ASSERT_EQ(wine::RunCapturing(kCli + L" new-user \"" + wide(dataRoot) + L"\" Alice alice123").exitCode, 0u);
        testing::CreateFolder(alice + u"\\Shop");
        newPasscard(u"Bank", L"https://bank.example/", L"Xq7#mLp2Vr9!zT");
        newPasscard(u"Mail", L"https://mail.example/", L"s3cret");
        newPasscard(u"Shop\\Store", L"https://shop.example/", L"Xq7#mLp2Vr9!zT");
        savedRootUser = registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260);
        registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, alice);
    }
    void TearDown() override {
        if (savedRootUser) registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, *savedRootUser);
    }
    void newPasscard(std::u16string_view name, const std::wstring& url, const std::wstring& password) {
        const std::wstring file = L"\"" + wide(alice + u"\\" + std::u16string(name)) + L".vrc\"";
        ASSERT_EQ(wine::RunCapturing(kCli + L" new-passcard " + file + L" --url " + url +
                                     L" --field User:text:alice --field \"Password:password:" + password + L"\"")
                      .exitCode,
                  0u);
    }

    testing::TempFolder folder;
    std::u16string alice;
    Win32Registry registry;
    std::optional<std::u16string> savedRootUser;
};

TEST_F(KesloweHealth, ListsTheReusedAndTheWeakPasswordAndADoubleClickShowsTheCard) {
    Program keslowe(kKeslowe);
    ASSERT_TRUE(keslowe.started());
    const HWND window = WaitForTopLevel(L"Keslowe", nullptr, keslowe.id(), kBoundMs);
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    HWND address = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (address = testing::FindControl(window, kAddressBoxId, nullptr)) != nullptr; },
                          kBoundMs));
    EXPECT_TRUE(WaitUntil([&] { return !textOf(address).empty(); }, kBoundMs)) << "no card on show";
    EXPECT_NE(textOf(address), L"https://shop.example/");

    PostMessageW(window, WM_COMMAND, IDM_PASSWORD_HEALTH, 0);
    const HWND health = WaitForTopLevel(L"KesloweHealth", nullptr, keslowe.id(), kBoundMs);
    ASSERT_NE(health, nullptr) << "no Password Health window";
    EXPECT_EQ(textOf(health), L"Password Health");
    HWND list = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (list = GetDlgItem(health, IDC_HEALTH_LIST)) != nullptr; }, kBoundMs));
    ASSERT_TRUE(WaitUntil([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 3; }, kBoundMs))
        << "the list has " << SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) << " lines";
    EXPECT_EQ(textOf(GetDlgItem(health, IDC_HEALTH_SUMMARY)),
              L"3 passcards, 3 passwords: 3 findings; no breach file chosen");

    const RemoteMemory memory(keslowe.id(), 4096);
    EXPECT_EQ(lineOf(list, memory, 0), L"Shop\\Store | Password | reused: group 1, 2 cards");
    EXPECT_EQ(lineOf(list, memory, 1), L"Bank | Password | reused: group 1, 2 cards");
    EXPECT_EQ(lineOf(list, memory, 2), L"Mail | Password | weak: a common password");

    doubleClick(list, memory, 0);
    EXPECT_TRUE(WaitUntil([&] { return textOf(address) == L"https://shop.example/"; }, kBoundMs))
        << "the double-clicked card is not on show: " << std::string(textOf(address).begin(), textOf(address).end());
    doubleClick(list, memory, 2);
    EXPECT_TRUE(WaitUntil([&] { return textOf(address) == L"https://mail.example/"; }, kBoundMs));

    PostMessageW(health, WM_COMMAND, IDC_HEALTH_CLOSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(health); }, kBoundMs)) << "Close left the window";
    COPYDATASTRUCT close{kCloseWithoutAsking, 0, nullptr};
    SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&close));
    DWORD exitCode = 1;
    EXPECT_TRUE(keslowe.waitForExit(kBoundMs, exitCode)) << "Keslowe did not end on copy-data 1";
}

}  // namespace
}  // namespace tarnwick
