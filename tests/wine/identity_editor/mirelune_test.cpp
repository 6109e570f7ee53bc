// Mirelune end to end under the real window system: a user made by the CLI,
// the editor started as the user starts it, its window found by class and
// driven by window messages, the form's controls by their ids, boxes answered
// with their buttons, and what was written read back from the disk by the CLI.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "foundation/toolbar_contract.h"
#include "htmlform/win32/form_view_ids.h"
#include "identity_editor/identity_commands.h"
#include "identity_editor/resources/mirelune_resources.h"
#include "platform/win32/password_dialog.h"
#include "platform/win32/window_base.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_windows.h"
#include "support/own_windows.h"
#include "support/windows_cli.h"
#include "wine/identity_editor/mirelune_support.h"

namespace tarnwick {
namespace {

using testing::Narrow;
using testing::Wide;
using wine::Program;
using wine::WaitForTopLevel;
using wine::WaitUntil;

constexpr DWORD kBoundMs = 30'000;

// The clipboard's Unicode text, or "<none>".
std::wstring clipboardText() { return testing::ClipboardText().value_or(L"<none>"); }

bool sendCopyData(HWND window, ULONG_PTR code) {
    COPYDATASTRUCT data{code, 0, nullptr};
    DWORD_PTR reply = 0;
    return SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, kBoundMs,
                               &reply) != 0;
}

// The form's n-th input or select (document order): the page's inputs.
constexpr int kFirstNameInput = kFirstFormControlId + 0;
constexpr int kPhoneInput = kFirstFormControlId + 3;
constexpr std::uintptr_t kIdentityNotice = 20;

HWND findControl(HWND top, int id, const wchar_t* windowClass = nullptr) {
    return testing::FindControl(top, id, windowClass);
}

int heightOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

bool checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Menus cannot be read from another process: the toolbar shows the same check marks.
bool buttonChecked(HWND window, UINT command) {
    HWND toolbar = findControl(window, 0, TOOLBARCLASSNAMEW);
    return toolbar != nullptr && SendMessageW(toolbar, TB_ISBUTTONCHECKED, command, 0) != 0;
}

class MireluneEndToEnd : public testing::MireluneTest {
protected:
    void SetUp() override {
        MireluneTest::SetUp();
        if (HasFatalFailure()) return;
        cli(u"new-identity \"" + user + u"\\Anna.vrt\" --set EMAIL=anna@example.org --set \"NAME=Anna|Berg\"");
    }

    // The dialog of that title that the editor shows.
    HWND waitForDialog(const wchar_t* title) { return WaitForTopLevel(L"#32770", title, editor->id(), kBoundMs); }
    // A box's text once it has one.
    std::wstring boxText(HWND box) {
        std::wstring text;
        WaitUntil([&] { return !(text = wine::BoxText(box)).empty(); }, kBoundMs);
        return text;
    }
};

TEST_F(MireluneEndToEnd, ShowsTheCardNamedOnTheCommandLineAndClosesOnCopyDataOne) {
    HWND window = start(user + u"\\Anna");
    ASSERT_NE(window, nullptr) << "Mirelune showed no window of class \"Mirelune\" within the bound";
    EXPECT_EQ(testing::ReadableText(window), L"Identity Editor");

    // Once the page has loaded and the card is shown, its summary holds the e-mail.
    HWND form = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            form = FindWindowExW(window, nullptr, L"TarnwickFormView", nullptr);
            return form != nullptr && testing::VisibleTexts(form).find(L"anna@example.org") != std::wstring::npos;
        },
        kBoundMs))
        << "the summary never showed the card: "
        << (form ? Narrow(testing::VisibleTexts(form)) : std::string("no form"));

    // Copy puts the card's fields on the clipboard.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(identity_command::kCopy, 0), 0);
    const std::wstring copied = clipboardText();
    EXPECT_NE(copied.find(L"anna@example.org"), std::wstring::npos) << Narrow(copied);
    EXPECT_NE(copied.find(L"Anna"), std::wstring::npos) << Narrow(copied);

    ASSERT_TRUE(sendCopyData(window, editor_code::kClose));
    DWORD exitCode = 1;
    EXPECT_TRUE(editor->waitForExit(kBoundMs, exitCode)) << "Mirelune did not end on copy-data code 1";
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(MireluneEndToEnd, WithoutACurrentUserShowsTheErrorAndEnds) {
    registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, u"");
    editor = std::make_unique<Program>(L"\"" + program + L"\"");
    ASSERT_TRUE(editor->started());
    HWND box = WaitForTopLevel(L"#32770", nullptr, editor->id(), kBoundMs);
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_TRUE(WaitUntil(
        [&] { return wine::BoxText(box).find(L"Can not find user file, please create a user.") != std::wstring::npos; },
        kBoundMs))
        << Narrow(wine::BoxText(box));
    wine::PressButton(box, IDOK);
    DWORD exitCode = 1;
    EXPECT_TRUE(editor->waitForExit(kBoundMs, exitCode));
    EXPECT_EQ(wine::FindTopLevel(L"Mirelune", nullptr, editor->id()), nullptr);
}

TEST_F(MireluneEndToEnd, AnEditIsSavedWhenAnotherCardIsSelectedAndTheTabsShowTheirTables) {
    cli(u"new-identity \"" + user + u"\\Bob.vrt\" --set PHONE=111 --set \"NAME=Bob|Carr\"");
    HWND window = start(user + u"\\Anna");
    ASSERT_NE(window, nullptr);
    HWND form = waitForForm(window, L"anna@example.org");
    ASSERT_NE(form, nullptr);
    HWND tabs = findControl(window, 0, WC_TABCONTROLW);
    ASSERT_NE(tabs, nullptr);

    // The Person tab, by focus as the keyboard moves it, shows the person table alone.
    SendMessageW(tabs, TCM_SETCURFOCUS, 1, 0);
    EXPECT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1);
    waitForForm(window, L"First Name");
    EXPECT_EQ(testing::VisibleTexts(form).find(L"Company Name"), std::wstring::npos)
        << Narrow(testing::VisibleTexts(form));
    HWND phone = findControl(form, kPhoneInput);
    ASSERT_NE(phone, nullptr);
    EXPECT_TRUE(IsWindowVisible(phone));
    // The arrow key moves on to Business, which hides the person table.
    SetForegroundWindow(window);
    SendMessageW(tabs, WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageW(tabs, WM_KEYUP, VK_RIGHT, 0);
    waitForForm(window, L"Company Name");
    EXPECT_FALSE(IsWindowVisible(phone));
    // A click on the Person tab, as the mouse makes it, shows the person table again.
    for (int x = 70; x < 200 && SendMessageW(tabs, TCM_GETCURSEL, 0, 0) != 1; x += 8) {
        PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 10));
        PostMessageW(tabs, WM_LBUTTONUP, 0, MAKELPARAM(x, 10));
        WaitUntil([&] { return SendMessageW(tabs, TCM_GETCURSEL, 0, 0) != 2; }, 500);
    }
    ASSERT_EQ(SendMessageW(tabs, TCM_GETCURSEL, 0, 0), 1) << "no click reached the Person tab";
    waitForForm(window, L"First Name");

    // An edit, then another card: the first is saved without a question.
    SendMessageW(phone, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"555-0199"));
    HWND tree = findControl(window, 0, WC_TREEVIEWW);
    ASSERT_NE(tree, nullptr);
    const auto selected = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    const auto root = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    HTREEITEM other = nullptr;
    for (auto item = reinterpret_cast<HTREEITEM>(
             SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
         item != nullptr; item = reinterpret_cast<HTREEITEM>(
                              SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
        if (item != selected) other = item;
    }
    ASSERT_NE(other, nullptr) << "the tree does not show the second card";
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(other));
    waitForForm(window, L"BobCarr");
    EXPECT_EQ(wine::FindTopLevel(L"#32770", nullptr, editor->id()), nullptr) << "a box was shown";
    EXPECT_NE(shown(u"Anna").find("\"[PHONE]\":\"555-0199\""), std::string::npos) << shown(u"Anna");
    EXPECT_NE(shown(u"Bob").find("\"[PHONE]\":\"111\""), std::string::npos) << shown(u"Bob");

    // Copy puts the whole card, exactly, on the clipboard.
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(identity_command::kCopy, 0), 0);
    const std::wstring expected =
        L"姓 : Bob\n名 : Carr\n职位 : \n电话 : 111\n家庭电话 : \n工作电话 : \n手机 : \n传真 : \n电子邮箱 : \n"
        L"MSN号码 : \nQQ号码 : \n性别 : \n年龄 : \n生日 : \n收入 : \n证件 : \n证件号码 : \n公司名 : \n"
        L"公司电话 : \n网站 : \n国家 : \n省 : \n城市 : \n邮政编码 : \n地址 : \n用户名 : \n密码 : \n"
        L"密码提示问题 : \n密码提示问题答案 : \n";
    EXPECT_EQ(clipboardText(), expected) << Narrow(clipboardText());

    // The close request of the toolbar saves an edit without a question, then closes.
    SendMessageW(findControl(form, kFirstNameInput), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Kept"));
    ASSERT_TRUE(sendCopyData(window, editor_code::kClose));
    DWORD exitCode = 1;
    EXPECT_TRUE(editor->waitForExit(kBoundMs, exitCode)) << "Mirelune did not end on copy-data code 1";
    EXPECT_NE(shown(u"Bob").find("\"[NAME]\":\"Bob|Kept\""), std::string::npos) << shown(u"Bob");
}

TEST_F(MireluneEndToEnd, ProtectedTwiceLeavesEveryFieldReadable) {
    const std::string before = shown(u"Anna");
    ASSERT_NE(before.find("\"protected\":false"), std::string::npos) << before;
    HWND window = start(user + u"\\Anna");
    ASSERT_NE(window, nullptr);
    waitForForm(window, L"anna@example.org");

    PostMessageW(window, WM_COMMAND, MAKEWPARAM(ID_EDIT_PROTECTED, 0), 0);
    HWND prompt = WaitForTopLevel(L"#32770", nullptr, editor->id(), kBoundMs);
    ASSERT_NE(prompt, nullptr) << "no password prompt";
    HWND password = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (password = GetDlgItem(prompt, kPasswordEditId)) != nullptr; }, kBoundMs));
    SendMessageW(password, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Secret#1"));
    PostMessageW(GetDlgItem(prompt, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return shown(u"Anna", u"Secret#1").find("\"protected\":true") != std::string::npos; },
                          kBoundMs))
        << shown(u"Anna", u"Secret#1");
    EXPECT_TRUE(WaitUntil([&] { return buttonChecked(window, ID_EDIT_PROTECTED); }, kBoundMs));

    // The password is remembered: the second toggle asks nothing.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(ID_EDIT_PROTECTED, 0), 0);
    EXPECT_EQ(shown(u"Anna"), before);
    EXPECT_FALSE(buttonChecked(window, ID_EDIT_PROTECTED));
}

TEST_F(MireluneEndToEnd, NewIdentityMakesTheCardAnnouncesItAndSelectsIt) {
    testing::RecordingTray tray;
    ASSERT_TRUE(tray.create());
    HWND window = start(user + u"\\Anna");
    ASSERT_NE(window, nullptr);
    waitForForm(window, L"anna@example.org");

    PostMessageW(window, WM_COMMAND, MAKEWPARAM(identity_command::kNew, 0), 0);
    HWND dialog = waitForDialog(L"New Identity");
    ASSERT_NE(dialog, nullptr) << "no New Identity dialog";
    // The dialog exists a moment before its controls do.
    HWND name = nullptr;
    HWND ok = nullptr;
    HWND protect = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            name = GetDlgItem(dialog, IDC_NEW_IDENTITY_NAME);
            ok = GetDlgItem(dialog, IDOK);
            protect = GetDlgItem(dialog, IDC_PROTECT_NEW_IDENTITY);
            return name && ok && protect;
        },
        kBoundMs));
    EXPECT_EQ(SendMessageW(name, EM_GETLIMITTEXT, 0, 0), 260);
    EXPECT_FALSE(IsWindowEnabled(ok)) << "OK is enabled with no name";
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Carla"));
    EXPECT_TRUE(IsWindowEnabled(ok));

    // Each of the dialog's hot keys toggles the check box.
    const bool initially = checked(protect);
    testing::PressKeys({VK_CONTROL, 'P'});
    EXPECT_TRUE(WaitUntil([&] { return checked(protect) != initially; }, kBoundMs)) << "Ctrl+P did not toggle the box";
    testing::PressKeys({VK_CONTROL, VK_SHIFT, VK_F1});
    EXPECT_TRUE(WaitUntil([&] { return checked(protect) == initially; }, kBoundMs)) << "Ctrl+Shift+F1 did not";
    EXPECT_FALSE(RegisterHotKey(nullptr, 1, MOD_CONTROL, 'P')) << "the dialog does not hold Ctrl+P";
    UnregisterHotKey(nullptr, 1);
    if (checked(protect)) SendMessageW(protect, BM_CLICK, 0, 0);

    // Create In... grows the dialog by 190 pixels to show the folder chooser, and shrinks it again.
    const int closedHeight = heightOf(dialog);
    SendMessageW(GetDlgItem(dialog, IDC_CREATE_IN), BM_CLICK, 0, 0);
    EXPECT_EQ(heightOf(dialog), closedHeight + 190);
    HWND chooser = GetDlgItem(dialog, IDC_CHOOSER_TREE);
    ASSERT_NE(chooser, nullptr);
    EXPECT_TRUE(IsWindowVisible(chooser));
    // Folders only: the root and no card below it.
    const auto root = reinterpret_cast<HTREEITEM>(SendMessageW(chooser, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    EXPECT_EQ(SendMessageW(chooser, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)), 0);
    SendMessageW(GetDlgItem(dialog, IDC_CHOOSER_NEW_FOLDER), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return testing::FileExists(user + u"\\New Folder"); }, kBoundMs));
    SendMessageW(GetDlgItem(dialog, IDC_CREATE_IN), BM_CLICK, 0, 0);
    EXPECT_EQ(heightOf(dialog), closedHeight);
    EXPECT_FALSE(IsWindowVisible(chooser));

    tray.notices.clear();
    PostMessageW(ok, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kBoundMs)) << "OK did not close the dialog";
    // Its hot keys went with it.
    EXPECT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL, 'P')) << "Ctrl+P is still held";
    UnregisterHotKey(nullptr, 1);
    EXPECT_NE(shown(u"Carla").find("\"[NAME]\":\"|Carla\""), std::string::npos) << shown(u"Carla");
    EXPECT_NE(shown(u"Carla").find("\"protected\":false"), std::string::npos) << shown(u"Carla");
    EXPECT_TRUE(WaitUntil(
        [&] {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            return !tray.notices.empty();
        },
        kBoundMs))
        << "no notice reached the tray";
    if (!tray.notices.empty()) {
        EXPECT_EQ(tray.notices[0].first, kIdentityNotice);
        EXPECT_EQ(tray.notices[0].second, user + u"\\Carla.vrt");
    }
    // The editor shows the new card.
    waitForForm(window, L"Carla");

    // The same name again is refused and the dialog stays.
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(identity_command::kNew, 0), 0);
    dialog = waitForDialog(L"New Identity");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return GetDlgItem(dialog, IDC_PROTECT_NEW_IDENTITY) != nullptr; }, kBoundMs));
    SendMessageW(GetDlgItem(dialog, IDC_NEW_IDENTITY_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Carla"));
    if (checked(GetDlgItem(dialog, IDC_PROTECT_NEW_IDENTITY)))
        SendMessageW(GetDlgItem(dialog, IDC_PROTECT_NEW_IDENTITY), BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    HWND box = waitForDialog(L"Tarnwick Error");
    ASSERT_NE(box, nullptr) << "no error for an existing card";
    EXPECT_EQ(boxText(box), L"目录下有同名文件");
    wine::PressButton(box, IDOK);
    EXPECT_TRUE(IsWindow(dialog));
    PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kBoundMs));
}

TEST_F(MireluneEndToEnd, ASecondStartHandsItsPathToTheFirstAndEnds) {
    cli(u"new-identity \"" + user + u"\\Bob.vrt\" --set \"NAME=Bob|Carr\"");
    HWND window = start(user + u"\\Anna");
    ASSERT_NE(window, nullptr);
    waitForForm(window, L"anna@example.org");
    Program second(L"\"" + program + L"\" " + Wide(user + u"\\Bob"));
    ASSERT_TRUE(second.started());
    DWORD exitCode = 1;
    EXPECT_TRUE(second.waitForExit(kBoundMs, exitCode)) << "the second Mirelune did not end";
    EXPECT_EQ(exitCode, 0u);
    waitForForm(window, L"BobCarr");
    // A launcher quotes a path with a space: the quotes are no part of it.
    Program quoted(L"\"" + program + L"\" \"" + Wide(user + u"\\Anna") + L"\"");
    ASSERT_TRUE(quoted.started());
    EXPECT_TRUE(quoted.waitForExit(kBoundMs, exitCode));
    waitForForm(window, L"anna@example.org");
    // Left for another window and activated again, the window gives the
    // keyboard back to its tree, not to the frame where no key reaches a control.
    testing::RecordingTray other;
    ASSERT_TRUE(other.create());
    ShowWindow(other.handle(), SW_SHOW);
    SetForegroundWindow(other.handle());
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other.handle(); }, kBoundMs));
    SetForegroundWindow(window);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, kBoundMs));
    GUITHREADINFO gui{};
    gui.cbSize = sizeof(gui);
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    const HWND tree = findControl(window, 0, WC_TREEVIEWW);
    EXPECT_TRUE(WaitUntil([&] { return GetGUIThreadInfo(thread, &gui) && gui.hwndFocus == tree; }, kBoundMs));
}

// The tree's right edge in the window's client coordinates.
int treeRightEdge(HWND window, HWND tree) {
    RECT bounds{};
    GetWindowRect(tree, &bounds);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bounds), 2);
    return bounds.right;
}

TEST_F(MireluneEndToEnd, TabAndF6GoRoundTheTreeTheTabViewAndTheFormAndTheSplitterDrags) {
    HWND window = start(user + u"\\Anna");
    ASSERT_NE(window, nullptr);
    HWND form = waitForForm(window, L"anna@example.org");
    HWND tree = findControl(window, 0, WC_TREEVIEWW);
    HWND tabs = findControl(window, 0, WC_TABCONTROLW);
    ASSERT_TRUE(form && tree && tabs);
    // The Person page, which starts with the form's first input.
    SendMessageW(tabs, TCM_SETCURFOCUS, 1, 0);
    waitForForm(window, L"First Name");
    HWND firstName = findControl(form, kFirstNameInput);
    ASSERT_NE(firstName, nullptr);
    SetForegroundWindow(window);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, kBoundMs));
    const auto focusReaches = [&](HWND control) {
        return WaitUntil([&] { return testing::FocusOf(window) == control; }, kBoundMs);
    };
    // Another input of the form than the first.
    const auto laterInput = [&] {
        return WaitUntil(
            [&] {
                const HWND focus = testing::FocusOf(window);
                return IsChild(form, focus) && focus != firstName;
            },
            kBoundMs);
    };
    ASSERT_TRUE(focusReaches(tree));

    testing::PressKeys({VK_TAB});
    EXPECT_TRUE(focusReaches(tabs)) << "Tab in the tree";
    testing::PressKeys({VK_TAB});
    EXPECT_TRUE(focusReaches(firstName)) << "Tab in the tab view";
    testing::PressKeys({VK_TAB});
    EXPECT_TRUE(laterInput()) << "Tab inside the form";
    testing::PressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(focusReaches(firstName));
    testing::PressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(focusReaches(tabs)) << "Shift+Tab on the first input";
    testing::PressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(focusReaches(tree));
    // Backwards round the end: into the form at its last input, then Tab back to the tree.
    testing::PressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(laterInput()) << "Shift+Tab in the tree";
    testing::PressKeys({VK_TAB});
    EXPECT_TRUE(focusReaches(tree)) << "Tab on the last input";

    testing::PressKeys({VK_F6});
    EXPECT_TRUE(focusReaches(tabs)) << "F6 in the tree";
    testing::PressKeys({VK_F6});
    EXPECT_TRUE(focusReaches(firstName)) << "F6 in the tab view";
    testing::PressKeys({VK_F6});
    EXPECT_TRUE(focusReaches(tree)) << "F6 in a text box of the form";
    testing::PressKeys({VK_SHIFT, VK_F6});
    EXPECT_TRUE(focusReaches(firstName)) << "Shift+F6 in the tree";
    testing::PressKeys({VK_SHIFT, VK_F6});
    EXPECT_TRUE(focusReaches(tabs)) << "Shift+F6 in a text box of the form";
    // The menu's pane commands, as the accelerator table sends them.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(ID_PREV_PANE, 1), 0);
    EXPECT_TRUE(focusReaches(tree));

    // The mouse takes the bar beside the tree 2 pixels in and drags it 80 to the right.
    const int edge = treeRightEdge(window, tree);
    RECT client{};
    GetClientRect(window, &client);
    const int y = client.bottom / 2;
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(edge + 2, y));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(edge + 42, y));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(edge + 82, y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(edge + 82, y));
    EXPECT_EQ(treeRightEdge(window, tree), edge + 80);
    RECT tabBounds{};
    GetWindowRect(tabs, &tabBounds);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&tabBounds), 2);
    EXPECT_EQ(tabBounds.left, edge + 84) << "the tab view starts past the 4-pixel bar";
    // Once let go, the mouse moves without the bar.
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(edge + 20, y));
    EXPECT_EQ(treeRightEdge(window, tree), edge + 80);
    // A press beside the bar takes nothing.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(edge + 70, y));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(edge + 10, y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(edge + 10, y));
    EXPECT_EQ(treeRightEdge(window, tree), edge + 80);
}

TEST_F(MireluneEndToEnd, TheDamagedCardQuestionDeletesOnYes) {
    const std::u16string bad = user + u"\\Bad.vrt";
    HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(bad.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "not a card\r\n", 12, &written, nullptr);
    CloseHandle(file);

    HWND window = start(user + u"\\Bad");
    ASSERT_NE(window, nullptr);
    HWND box = waitForDialog(L"Tarnwick");
    ASSERT_NE(box, nullptr) << "no damaged-card question";
    const std::wstring text = boxText(box);
    EXPECT_NE(text.find(L"不能读取身份卡片"), std::wstring::npos) << Narrow(text);
    EXPECT_NE(text.find(L"'\\Bad'"), std::wstring::npos) << Narrow(text);
    wine::PressButton(box, IDYES);
    EXPECT_TRUE(WaitUntil([&] { return !testing::FileExists(bad); }, kBoundMs)) << "the damaged card is still there";
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(MireluneEndToEnd, AlwaysOnTopMakesTheWindowTopmostAndIsRemembered) {
    HWND window = start(user + u"\\Anna");
    ASSERT_NE(window, nullptr);
    waitForForm(window, L"anna@example.org");
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(identity_command::kAlwaysOnTop, 0), 0);
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(buttonChecked(window, identity_command::kAlwaysOnTop));
    ASSERT_TRUE(sendCopyData(window, editor_code::kClose));
    DWORD exitCode = 1;
    ASSERT_TRUE(editor->waitForExit(kBoundMs, exitCode));

    window = start(user + u"\\Anna");
    ASSERT_NE(window, nullptr);
    waitForForm(window, L"anna@example.org");
    EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) << "the setting was not remembered";
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(identity_command::kAlwaysOnTop, 0), 0);
    EXPECT_FALSE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MireluneEndToEnd, TheCardCommandsFollowTheKindOfTheSelectedItem) {
    HWND window = start(user);
    ASSERT_NE(window, nullptr);
    HWND toolbar = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (toolbar = findControl(window, 0, TOOLBARCLASSNAMEW)) != nullptr; }, kBoundMs));
    const auto enabled = [&](UINT command) { return SendMessageW(toolbar, TB_ISBUTTONENABLED, command, 0) != 0; };
    // The library's folder is open: Protected and Copy are a card's.
    EXPECT_TRUE(WaitUntil([&] { return !enabled(ID_EDIT_PROTECTED); }, kBoundMs));
    EXPECT_FALSE(enabled(identity_command::kCopy));
    EXPECT_TRUE(enabled(identity_command::kSaveAndClose));

    HWND tree = findControl(window, 0, WC_TREEVIEWW);
    ASSERT_NE(tree, nullptr);
    const auto root = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    const auto card = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root));
    ASSERT_NE(card, 0);
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, card);
    waitForForm(window, L"anna@example.org");
    EXPECT_TRUE(enabled(ID_EDIT_PROTECTED));
    EXPECT_TRUE(enabled(identity_command::kCopy));
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
    EXPECT_TRUE(WaitUntil([&] { return !enabled(ID_EDIT_PROTECTED) && !enabled(identity_command::kCopy); }, kBoundMs));
}

}  // namespace
}  // namespace tarnwick
