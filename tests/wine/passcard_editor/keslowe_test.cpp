// Keslowe end to end: the real program started for a test user under the
// test prefix's registry, found by its window class, its first passcard on
// show, and closed by the copy-data request the tray sends editors.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "passcard_editor/resources/keslowe_resources.h"
#include "foundation/toolbar_contract.h"
#include "platform/win32/win32_windows.h"
#include "platform/win32/window_base.h"
#include "support/own_windows.h"
#include "wine/passcard_editor/keslowe_support.h"

namespace tarnwick {
namespace {

using testing::AskedText;
using testing::InQuotes;
using testing::Wide;
using wine::Program;
using wine::WaitForTopLevel;
using wine::WaitUntil;

constexpr DWORD kBoundMs = 30'000;
constexpr int kAddressBoxId = 102;
constexpr int kFirstFieldId = 2000;
constexpr UINT kSave = IDM_SAVE;
constexpr WPARAM kCopy = IDM_COPY;
constexpr WPARAM kAbout = IDM_ABOUT;
constexpr WPARAM kAddField = IDM_ADD_FIELD;
constexpr WPARAM kAlwaysOnTop = IDM_ALWAYS_ON_TOP;
constexpr int kFieldNameEditId = 1006;
constexpr int kAboutTextId = IDC_ABOUT_TEXT;
constexpr WPARAM kDefault = IDM_DEFAULT;
constexpr std::uintptr_t kPasscardNotice = 10;

HWND findControl(HWND top, int id, const wchar_t* windowClass = nullptr) {
    return testing::FindControl(top, id, windowClass);
}

// Whether the toolbar's button for the command is enabled.
bool buttonEnabled(HWND toolbar, UINT command) {
    const LRESULT state = SendMessageW(toolbar, TB_GETSTATE, command, 0);
    return state >= 0 && (state & TBSTATE_ENABLED) != 0;
}

// A visible top-level dialog or box of the process other than `except` (the
// dialog a box is shown over), or null.
HWND otherDialog(DWORD processId, HWND except) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"#32770", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && window != except && IsWindowVisible(window)) return window;
    }
    return nullptr;
}

HWND waitForDialog(DWORD processId, HWND except = nullptr) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = otherDialog(processId, except)) != nullptr; }, kBoundMs);
    return found;
}

// Posted, not sent: the click may open a box over the dialog, which would
// hold a sent message until someone answers it.
void click(HWND dialog, int buttonId) {
    if (HWND button = GetDlgItem(dialog, buttonId)) PostMessageW(button, BM_CLICK, 0, 0);
}

// A mouse click into a box of the form, as the user focuses a field.
void clickInto(HWND control) {
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

// Whether any static text of the dialog reads `text`.
bool hasStatic(HWND dialog, const std::wstring& text) {
    HWND child = nullptr;
    while ((child = FindWindowExW(dialog, child, L"Static", nullptr)) != nullptr) {
        if (AskedText(child) == text) return true;
    }
    return false;
}

// The text the five name dialogs refuse a name with.
std::wstring nameRule(const std::wstring& what) {
    return what + L" cannot be empty and it cannot contain characters \\ / : * ? \" < > | ";
}

class KesloweEndToEnd : public testing::KesloweTest {
protected:
    void SetUp() override {
        KesloweTest::SetUp();
        if (HasFatalFailure()) return;
        newPasscard(u"Mail", L"--url https://mail.example/ --field User:text:alice --field Password:password:s3cret");
    }
    // The card is on show: its address in the box and its first field in the table.
    HWND waitForAddress(HWND window, const std::wstring& address) {
        HWND box = nullptr;
        const bool shownInTime = WaitUntil(
            [&] {
                return (box = findControl(window, kAddressBoxId)) != nullptr && AskedText(box) == address &&
                       findControl(window, kFirstFieldId) != nullptr;
            },
            kBoundMs);
        EXPECT_TRUE(shownInTime) << "the address box does not show the card's address";
        return box;
    }

    // Waits for a message box of the process over `over`, checks its caption
    // and text, and presses the button.
    void answerBox(const std::wstring& caption, const std::wstring& text, int button, HWND over = nullptr) {
        const HWND box = waitForDialog(editor->id(), over);
        ASSERT_NE(box, nullptr) << "no box saying " << std::string(text.begin(), text.end());
        EXPECT_TRUE(WaitUntil([&] { return wine::BoxText(box).find(text) != std::wstring::npos; }, kBoundMs))
            << std::string(text.begin(), text.end());
        EXPECT_EQ(AskedText(box), caption);
        click(box, button);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kBoundMs)) << "the box stayed";
    }
    // Opens a name dialog by its command and checks how it looks; null when none came.
    HWND openNameDialog(HWND window, WPARAM command, const std::wstring& banner, int editId, const std::wstring& label,
                        const std::wstring& text) {
        PostMessageW(window, WM_COMMAND, command, 0);
        const HWND dialog = waitForDialog(editor->id());
        EXPECT_NE(dialog, nullptr) << "no dialog for command " << command;
        if (dialog == nullptr) return nullptr;
        HWND edit = nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (edit = GetDlgItem(dialog, editId)) != nullptr; }, kBoundMs))
            << "no edit box " << editId;
        EXPECT_TRUE(WaitUntil([&] { return AskedText(dialog) == banner; }, kBoundMs));
        EXPECT_TRUE(hasStatic(dialog, label));
        if (edit != nullptr) {
            EXPECT_EQ(AskedText(edit), text);
            EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 256);
        }
        return dialog;
    }
    // Types the name and presses OK; the dialog closes when the name is taken.
    void typeName(HWND dialog, int editId, const wchar_t* name) {
        SendMessageW(GetDlgItem(dialog, editId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
        click(dialog, IDOK);
    }
    void closeWithoutAsking(HWND window) {
        EXPECT_EQ(testing::CloseOnRequest(window, *editor), 0u) << "Keslowe did not end on copy-data 1";
    }
    // The tray has heard `count` notices of the operation: it is done once
    // the editor answers again, and a reload then is not deferred behind it.
    void afterNotices(const testing::RecordingTray& tray, std::size_t count, HWND window) {
        EXPECT_TRUE(WaitUntil([&] { return tray.notices.size() >= count; }, kBoundMs)) << "notices missing";
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kBoundMs, &ignored);
    }
    void reloadAt(HWND window, const std::u16string& path) {
        const std::wstring text = Wide(path);
        COPYDATASTRUCT reload{0, static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)),
                              const_cast<wchar_t*>(text.c_str())};
        SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&reload));
    }
};

TEST_F(KesloweEndToEnd, OpensOnTheFirstPasscardAndClosesOnTheTraysRequest) {
    const HWND window = start();
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    EXPECT_EQ(AskedText(window), L"Passcard Editor");

    // The first passcard of the library is on show: its address and its field.
    // The window is found as soon as it exists: its children come a moment later.
    HWND address = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (address = findControl(window, kAddressBoxId)) != nullptr; }, kBoundMs));
    EXPECT_TRUE(WaitUntil([&] { return AskedText(address) == L"https://mail.example/"; }, kBoundMs))
        << "the address box does not show the card's address";
    HWND field = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (field = findControl(window, kFirstFieldId)) != nullptr; }, kBoundMs));
    if (field != nullptr) {
        EXPECT_EQ(AskedText(field), L"alice");
    }

    // A new user sees the password field starred. Stars off and on again: the
    // plain control that showed the password goes back to the pool empty, and
    // no static control or title holds the password, read as any program reads them.
    const auto starred = [&] {
        HWND password = findControl(window, kFirstFieldId + 1);
        return password != nullptr && (GetWindowLongPtrW(password, GWL_STYLE) & ES_PASSWORD) != 0;
    };
    EXPECT_TRUE(WaitUntil(starred, kBoundMs)) << "the password field of a new user is not starred";
    SendMessageW(window, WM_COMMAND, IDM_PASSWORDS_AS_STARS, 0);
    EXPECT_TRUE(WaitUntil([&] { return !starred(); }, kBoundMs));
    SendMessageW(window, WM_COMMAND, IDM_PASSWORDS_AS_STARS, 0);
    EXPECT_TRUE(WaitUntil(starred, kBoundMs));
    EXPECT_EQ(testing::ReadableText(window).find(L"s3cret"), std::wstring::npos);
    for (HWND child : testing::AllChildWindows(window)) {
        wchar_t name[32] = {};
        GetClassNameW(child, name, 32);
        const std::wstring text = testing::ReadableText(child);
        if (lstrcmpiW(name, L"Static") == 0) {
            EXPECT_EQ(text.find(L"s3cret"), std::wstring::npos) << "a static shows it";
        }
        if (!IsWindowVisible(child) && GetDlgCtrlID(child) == 0) {
            EXPECT_EQ(AskedText(child), L"") << "a pooled control keeps it";
        }
    }

    // At the top-left corner, half the screen each way.
    RECT bounds{};
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.top, 0);
    EXPECT_EQ(bounds.right - bounds.left, GetSystemMetrics(SM_CXSCREEN) / 2);
    EXPECT_EQ(bounds.bottom - bounds.top, GetSystemMetrics(SM_CYSCREEN) / 2);

    // About: the editor's name and version over the program's icon.
    PostMessageW(window, WM_COMMAND, kAbout, 0);
    const HWND about = WaitForTopLevel(L"#32770", nullptr, editor->id(), kBoundMs);
    ASSERT_NE(about, nullptr) << "no About box";
    // The box exists a moment before its texts are set.
    EXPECT_TRUE(WaitUntil(
        [&] { return AskedText(GetDlgItem(about, kAboutTextId)) == L"Passcard Editor\nVersion 1.0.0"; }, kBoundMs));
    EXPECT_EQ(AskedText(about), L"About");
    wine::PressButton(about, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, kBoundMs));

    closeWithoutAsking(window);
}

TEST_F(KesloweEndToEnd, TabAndF6GoRoundTheTreeTheFormAndTheAddressBox) {
    const HWND window = start();
    ASSERT_NE(window, nullptr);
    const HWND address = waitForAddress(window, L"https://mail.example/");
    HWND field = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (field = findControl(window, kFirstFieldId)) != nullptr; }, kBoundMs));
    const HWND form = GetParent(field);
    const HWND tree = findControl(window, 0, WC_TREEVIEWW);
    ASSERT_NE(tree, nullptr);
    SetForegroundWindow(window);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, kBoundMs));
    const auto focusReaches = [&](HWND control) {
        return WaitUntil([&] { return testing::FocusOf(window) == control; }, kBoundMs);
    };
    const auto focusInForm = [&] { return IsChild(form, testing::FocusOf(window)) != FALSE; };
    ASSERT_TRUE(focusReaches(tree));

    testing::PressKeys({VK_TAB});
    EXPECT_TRUE(focusReaches(field)) << "Tab in the tree";
    // Input to input, then out of the form's last one to the address box.
    int inputs = 1;
    for (; inputs < 10 && focusInForm(); ++inputs) {
        const HWND before = testing::FocusOf(window);
        testing::PressKeys({VK_TAB});
        WaitUntil([&] { return testing::FocusOf(window) != before; }, kBoundMs);
    }
    EXPECT_EQ(testing::FocusOf(window), address) << "Tab on the form's last input";
    EXPECT_GE(inputs, 3) << "the card's two fields are two stops";
    testing::PressKeys({VK_TAB});
    EXPECT_TRUE(focusReaches(tree)) << "Tab in the address box";
    testing::PressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(focusReaches(address)) << "Shift+Tab in the tree";
    testing::PressKeys({VK_SHIFT, VK_TAB});
    EXPECT_TRUE(WaitUntil([&] { return focusInForm() && testing::FocusOf(window) != field; }, kBoundMs))
        << "Shift+Tab in the address box enters the form at its last input";
    testing::PressKeys({VK_SHIFT, VK_F6});
    EXPECT_TRUE(focusReaches(tree)) << "Shift+F6 in the form";

    testing::PressKeys({VK_F6});
    EXPECT_TRUE(focusReaches(field)) << "F6 in the tree";
    testing::PressKeys({VK_F6});
    EXPECT_TRUE(focusReaches(address)) << "F6 in the form";
    testing::PressKeys({VK_F6});
    EXPECT_TRUE(focusReaches(tree)) << "F6 in the address box";
    testing::PressKeys({VK_SHIFT, VK_F6});
    EXPECT_TRUE(focusReaches(address)) << "Shift+F6 in the tree";

    closeWithoutAsking(window);
}

TEST_F(KesloweEndToEnd, AnEditedAddressEnablesSaveAndIsSavedWhenASecondStartSelectsAnotherCard) {
    newPasscard(u"Bank", L"--url https://bank.example/ --field Login:text:bob");
    const HWND window = start(Wide(alice + u"\\Mail.vrc"));
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    const HWND address = waitForAddress(window, L"https://mail.example/");
    const HWND toolbar = findControl(window, 0, TOOLBARCLASSNAMEW);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_FALSE(buttonEnabled(toolbar, kSave)) << "Save is enabled before any change";

    // Typed into a field and into the address box: Save is enabled at the next idle moment.
    const HWND user = findControl(window, kFirstFieldId);
    ASSERT_NE(user, nullptr);
    SendMessageW(user, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"alice2"));
    SendMessageW(address, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"https://mail.example/new"));
    EXPECT_TRUE(WaitUntil([&] { return buttonEnabled(toolbar, kSave); }, kBoundMs))
        << "Save is not enabled after the address changed";

    // A second start naming another card hands it to this window and ends;
    // the selection change saves the edited card without asking.
    Program second(L"\"" + program + L"\" " + Wide(alice + u"\\Bank.vrc"));
    DWORD secondCode = 1;
    EXPECT_TRUE(second.waitForExit(kBoundMs, secondCode)) << "the second start did not end";
    EXPECT_EQ(secondCode, 0u);
    waitForAddress(window, L"https://bank.example/");
    const std::string saved = shown(u"Mail");
    EXPECT_NE(saved.find("\"url\":\"https://mail.example/new\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("{\"name\":\"User\",\"type\":\"text\",\"value\":\"alice2\"}"), std::string::npos) << saved;
    EXPECT_FALSE(buttonEnabled(toolbar, kSave)) << "Save is enabled for the newly selected card";

    EXPECT_TRUE(testing::CloseOnRequest(window, *editor).has_value()) << "Keslowe did not end on copy-data 1";
}

TEST_F(KesloweEndToEnd, CopyDefaultAndTheSaveQuestionsCancel) {
    testing::RecordingTray tray;
    ASSERT_TRUE(tray.create());
    const HWND window = start(Wide(alice + u"\\Mail.vrc"));
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    const HWND address = waitForAddress(window, L"https://mail.example/");

    // Copy: every field and the address, each line ending in a line feed.
    const std::wstring expected = L"User : alice\nPassword : s3cret\nURL : https://mail.example/\n";
    // Sent, not posted: the clipboard is read once Copy is done, so this
    // process never holds it open while the editor fills it.
    SendMessageW(window, WM_COMMAND, kCopy, 0);
    EXPECT_EQ(testing::ClipboardText(), expected) << "the clipboard does not hold the card's text";

    // Default: the file says so and the tray hears of the card's file.
    PostMessageW(window, WM_COMMAND, kDefault, 0);
    EXPECT_TRUE(WaitUntil([&] { return !tray.notices.empty(); }, kBoundMs)) << "no notice reached the tray";
    if (!tray.notices.empty()) {
        EXPECT_EQ(tray.notices[0].first, kPasscardNotice);
        EXPECT_EQ(tray.notices[0].second, alice + u"\\Mail.vrc");
    }
    EXPECT_NE(shown(u"Mail").find("\"default\":true"), std::string::npos) << shown(u"Mail");

    // Closing with an edit asks; Cancel keeps the window and the edit.
    SendMessageW(address, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"https://mail.example/edited"));
    const HWND toolbar = findControl(window, 0, TOOLBARCLASSNAMEW);
    EXPECT_TRUE(WaitUntil([&] { return buttonEnabled(toolbar, kSave); }, kBoundMs));
    PostMessageW(window, WM_CLOSE, 0, 0);
    const HWND box = WaitForTopLevel(L"#32770", nullptr, editor->id(), kBoundMs);
    ASSERT_NE(box, nullptr) << "no save question";
    // The box exists a moment before its texts do.
    EXPECT_TRUE(
        WaitUntil([&] { return wine::BoxText(box).find(L"Passcard was changed.") != std::wstring::npos; }, kBoundMs))
        << "the box does not ask the save question";
    wine::PressButton(box, IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kBoundMs));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(AskedText(address), L"https://mail.example/edited");

    // The tray's close request saves the edit without a question, then closes.
    EXPECT_TRUE(testing::CloseOnRequest(window, *editor).has_value()) << "Keslowe did not end on copy-data 1";
    EXPECT_NE(shown(u"Mail").find("\"url\":\"https://mail.example/edited\""), std::string::npos) << shown(u"Mail");
}

TEST_F(KesloweEndToEnd, AddFieldThroughItsDialogThenSaveWritesATextFieldAndAlwaysOnTopIsRemembered) {
    const HWND window = start(Wide(alice + u"\\Mail.vrc"));
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    waitForAddress(window, L"https://mail.example/");

    PostMessageW(window, WM_COMMAND, kAddField, 0);
    const HWND dialog = WaitForTopLevel(L"#32770", nullptr, editor->id(), kBoundMs);
    ASSERT_NE(dialog, nullptr) << "no add-field dialog";
    HWND name = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (name = GetDlgItem(dialog, kFieldNameEditId)) != nullptr; }, kBoundMs));
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"PIN"));
    wine::PressButton(dialog, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kBoundMs)) << "the dialog stayed open";

    // The new row's box is the third control of the form; Save writes it.
    EXPECT_TRUE(WaitUntil([&] { return findControl(window, kFirstFieldId + 2) != nullptr; }, kBoundMs));
    PostMessageW(window, WM_COMMAND, kSave, 0);
    EXPECT_TRUE(WaitUntil(
        [&] { return shown(u"Mail").find("{\"name\":\"PIN\",\"type\":\"text\",\"value\":\"\"}") != std::string::npos; },
        kBoundMs))
        << shown(u"Mail");

    // Always on Top: the option remembers it.
    SendMessageW(window, WM_COMMAND, kAlwaysOnTop, 0);
    EXPECT_EQ(wine::RunCapturing(cli + L" option get " + InQuotes(alice) + L" [PASSWORDEDITORONTOP]").text, "1");

    EXPECT_TRUE(testing::CloseOnRequest(window, *editor).has_value()) << "Keslowe did not end on copy-data 1";
}

TEST_F(KesloweEndToEnd, AnAddressEditEnablesSaveAndResetAtTheNextIdleMomentAndResetRestoresIt) {
    const HWND window = start(Wide(alice + u"\\Mail.vrc"));
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    const HWND address = waitForAddress(window, L"https://mail.example/");
    const HWND toolbar = findControl(window, 0, TOOLBARCLASSNAMEW);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_FALSE(buttonEnabled(toolbar, kSave));

    SendMessageW(address, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"https://mail.example/typed"));
    EXPECT_TRUE(WaitUntil([&] { return buttonEnabled(toolbar, kSave); }, kBoundMs))
        << "Save is not enabled after the address changed";
    // Reset is refused while disabled: it acting proves it was enabled.
    SendMessageW(window, WM_COMMAND, IDM_RESET, 0);
    EXPECT_EQ(AskedText(address), L"https://mail.example/");
    EXPECT_TRUE(WaitUntil([&] { return !buttonEnabled(toolbar, kSave); }, kBoundMs))
        << "Save stays enabled after Reset";
    // Nothing was written.
    EXPECT_NE(shown(u"Mail").find("\"url\":\"https://mail.example/\""), std::string::npos) << shown(u"Mail");
    closeWithoutAsking(window);
}

TEST_F(KesloweEndToEnd, FieldCommandsThroughTheirDialogsWithTheirWarnings) {
    const HWND window = start(Wide(alice + u"\\Mail.vrc"));
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    waitForAddress(window, L"https://mail.example/");
    const std::wstring warning = L"Tarnwick Warning";

    // The tree has the focus: no field is selected.
    PostMessageW(window, WM_COMMAND, IDM_RENAME_FIELD, 0);
    answerBox(warning, L"Field to Rename is not selected.\nClick the field to be renamed", IDOK);
    PostMessageW(window, WM_COMMAND, IDM_DELETE_FIELD, 0);
    answerBox(warning, L"Field to delete is not selected.\nClick the field to be deleted", IDOK);

    // User comes before the password: it is the user name, and neither goes.
    HWND user = findControl(window, kFirstFieldId);
    ASSERT_NE(user, nullptr);
    clickInto(user);
    PostMessageW(window, WM_COMMAND, IDM_DELETE_FIELD, 0);
    answerBox(warning, L"User Name could not be deleted", IDOK);
    clickInto(findControl(window, kFirstFieldId + 1));
    PostMessageW(window, WM_COMMAND, IDM_DELETE_FIELD, 0);
    answerBox(warning, L"Password could not be deleted", IDOK);

    // Add Field: a refused name is an error over the dialog, which stays.
    HWND dialog = openNameDialog(window, kAddField, L"New Field Name", 1006, L"Field Name :", L"");
    ASSERT_NE(dialog, nullptr);
    typeName(dialog, 1006, L"a:b");
    answerBox(L"Tarnwick Error", nameRule(L"Field name"), IDOK, dialog);
    EXPECT_TRUE(IsWindow(dialog));
    typeName(dialog, 1006, L"PIN");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kBoundMs)) << "the dialog stayed open";
    dialog = openNameDialog(window, kAddField, L"New Field Name", 1006, L"Field Name :", L"");
    ASSERT_NE(dialog, nullptr);
    typeName(dialog, 1006, L"Extra");
    EXPECT_TRUE(WaitUntil([&] { return findControl(window, kFirstFieldId + 3) != nullptr; }, kBoundMs));

    // Rename Field: filled with the focused field's name; a refusal is a warning.
    clickInto(findControl(window, kFirstFieldId + 2));
    dialog = openNameDialog(window, IDM_RENAME_FIELD, L"Rename Field Name", 1006, L"Field Name :", L"PIN");
    ASSERT_NE(dialog, nullptr);
    typeName(dialog, 1006, L"   ");
    answerBox(warning, nameRule(L"Field name"), IDOK, dialog);
    typeName(dialog, 1006, L"Code");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kBoundMs)) << "the dialog stayed open";
    // The form is built again after the dialog has gone: a control found
    // before that may be destroyed under the clicks that follow.
    EXPECT_TRUE(WaitUntil(
        [&] {
            const HWND code = findControl(window, kFirstFieldId + 2);
            return code != nullptr && AskedText(GetWindow(code, GW_HWNDPREV)).find(L"Code") != std::wstring::npos;
        },
        kBoundMs))
        << "the renamed field's label";

    // Delete Field asks; No keeps the field, Yes removes it.
    HWND extra = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (extra = findControl(window, kFirstFieldId + 3)) != nullptr; }, kBoundMs));
    clickInto(extra);
    PostMessageW(window, WM_COMMAND, IDM_DELETE_FIELD, 0);
    answerBox(L"Tarnwick Question", L"Do you want to delete field 'Extra' ?", IDNO);
    EXPECT_NE(findControl(window, kFirstFieldId + 3), nullptr);
    clickInto(findControl(window, kFirstFieldId + 3));
    PostMessageW(window, WM_COMMAND, IDM_DELETE_FIELD, 0);
    answerBox(L"Tarnwick Question", L"Do you want to delete field 'Extra' ?", IDYES);
    EXPECT_TRUE(WaitUntil([&] { return findControl(window, kFirstFieldId + 3) == nullptr; }, kBoundMs));

    PostMessageW(window, WM_COMMAND, kSave, 0);
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::string card = shown(u"Mail");
            return card.find("{\"name\":\"Code\",\"type\":\"text\",\"value\":\"\"}") != std::string::npos &&
                   card.find("Extra") == std::string::npos;
        },
        kBoundMs))
        << shown(u"Mail");
    closeWithoutAsking(window);
}

TEST_F(KesloweEndToEnd, ProtectedAsksForThePrimaryPasswordWhenNotHeldEvenToProtect) {
    const HWND window = start(Wide(alice + u"\\Mail.vrc"));
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    waitForAddress(window, L"https://mail.example/");
    const HWND toolbar = findControl(window, 0, TOOLBARCLASSNAMEW);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_FALSE(SendMessageW(toolbar, TB_ISBUTTONCHECKED, IDM_PROTECTED, 0));

    PostMessageW(window, WM_COMMAND, IDM_PROTECTED, 0);
    const HWND prompt = waitForDialog(editor->id());
    ASSERT_NE(prompt, nullptr) << "no primary-password prompt";
    HWND edit = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (edit = GetDlgItem(prompt, 1001)) != nullptr; }, kBoundMs));
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"alice123"));
    click(prompt, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return shown(u"Mail").find("\"protected\":true") != std::string::npos; }, kBoundMs))
        << shown(u"Mail");
    EXPECT_TRUE(WaitUntil([&] { return SendMessageW(toolbar, TB_ISBUTTONCHECKED, IDM_PROTECTED, 0) != 0; }, kBoundMs));

    // The password is held now: unprotecting asks nothing.
    PostMessageW(window, WM_COMMAND, IDM_PROTECTED, 0);
    EXPECT_TRUE(WaitUntil([&] { return shown(u"Mail").find("\"protected\":false") != std::string::npos; }, kBoundMs))
        << shown(u"Mail");
    EXPECT_EQ(otherDialog(editor->id(), nullptr), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return SendMessageW(toolbar, TB_ISBUTTONCHECKED, IDM_PROTECTED, 0) == 0; }, kBoundMs));
    closeWithoutAsking(window);
}

TEST_F(KesloweEndToEnd, TreeCommandsOpenTheirDialogsAndActOnTheLibrary) {
    testing::RecordingTray tray;
    ASSERT_TRUE(tray.create());
    const HWND window = start(Wide(alice + u"\\Mail.vrc"));
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    waitForAddress(window, L"https://mail.example/");

    // T10, Rename Passcard: filled with the card's name, the passcard rule.
    HWND dialog = openNameDialog(window, IDM_RENAME_CARD, L"Rename Passcard Name", 1005, L"Passcard Name :", L"Mail");
    ASSERT_NE(dialog, nullptr);
    typeName(dialog, 1005, L"a/b");
    answerBox(L"Tarnwick Warning", nameRule(L"Passcard name"), IDOK, dialog);
    typeName(dialog, 1005, L"Post");
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kBoundMs)) << "the dialog stayed open";
    EXPECT_TRUE(WaitUntil([&] { return testing::FileExists(alice + u"\\Post.vrc"); }, kBoundMs));
    EXPECT_FALSE(testing::FileExists(alice + u"\\Mail.vrc"));
    afterNotices(tray, 1, window);
    if (!tray.notices.empty()) {
        EXPECT_EQ(tray.notices.back().first, kPasscardNotice);
        EXPECT_EQ(tray.notices.back().second, alice + u"\\Post.vrc");
    }

    // The tray's reload request, then T1 on the main folder: dialog 218.
    reloadAt(window, alice);
    tray.notices.clear();
    dialog = openNameDialog(window, IDM_NEW_FOLDER, L"New Folder Name", 1001, L"Folder Name :", L"");
    ASSERT_NE(dialog, nullptr);
    typeName(dialog, 1001, L"x*y");
    answerBox(L"Tarnwick Warning", nameRule(L"Folder name"), IDOK, dialog);
    typeName(dialog, 1001, L"Work");
    EXPECT_TRUE(WaitUntil([&] { return testing::FileExists(alice + u"\\Work"); }, kBoundMs));
    // Folders are shared by both libraries: both sides hear of it.
    afterNotices(tray, 2, window);
    if (tray.notices.size() >= 2) {
        EXPECT_EQ(tray.notices[0].first, 10u);
        EXPECT_EQ(tray.notices[1].first, 20u);
        EXPECT_EQ(tray.notices[0].second, alice + u"\\Work");
    }

    // T3 from the folder's context menu: dialog 207, filled with its name.
    reloadAt(window, alice + u"\\Work");
    dialog = openNameDialog(window, 32835, L"Rename Folder Name", 1002, L"Folder Name :", L"Work");
    ASSERT_NE(dialog, nullptr);
    typeName(dialog, 1002, L"Office");
    EXPECT_TRUE(WaitUntil([&] { return testing::FileExists(alice + u"\\Office"); }, kBoundMs));
    EXPECT_FALSE(testing::FileExists(alice + u"\\Work"));
    afterNotices(tray, 4, window);

    // T2 on an empty folder asks nothing.
    reloadAt(window, alice + u"\\Office");
    PostMessageW(window, WM_COMMAND, IDM_DELETE_FOLDER, 0);
    EXPECT_TRUE(WaitUntil([&] { return !testing::FileExists(alice + u"\\Office"); }, kBoundMs));
    afterNotices(tray, 6, window);

    // T9 from the card's context menu asks with the card's path below the root.
    reloadAt(window, alice + u"\\Post.vrc");
    waitForAddress(window, L"https://mail.example/");
    PostMessageW(window, WM_COMMAND, IDM_DELETE_CARD, 0);
    answerBox(L"Tarnwick Question", L"Do you want to delete Passcard '\\Post'?", IDNO);
    EXPECT_TRUE(testing::FileExists(alice + u"\\Post.vrc"));
    closeWithoutAsking(window);
}

TEST_F(KesloweEndToEnd, ASecondStartOutsideTheLibraryOnlyBringsTheWindowForward) {
    newPasscard(u"Bank", L"--url https://bank.example/ --field Login:text:bob");
    const HWND window = start(Wide(alice + u"\\Mail.vrc"));
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    const HWND address = waitForAddress(window, L"https://mail.example/");

    Program elsewhere(L"\"" + program + L"\" C:\\elsewhere\\Bank.vrc");
    DWORD code = 1;
    EXPECT_TRUE(elsewhere.waitForExit(kBoundMs, code)) << "the second start did not end";
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(AskedText(address), L"https://mail.example/");

    Program inside(L"\"" + program + L"\" " + Wide(alice + u"\\Bank.vrc"));
    EXPECT_TRUE(inside.waitForExit(kBoundMs, code)) << "the second start did not end";
    EXPECT_EQ(code, 0u);
    waitForAddress(window, L"https://bank.example/");
    // Still one editor.
    HWND other = nullptr;
    while ((other = FindWindowExW(nullptr, other, L"Keslowe", nullptr)) != nullptr) EXPECT_EQ(other, window);
    closeWithoutAsking(window);
}

TEST_F(KesloweEndToEnd, AStartWithoutACurrentUserShowsTheErrorAndEndsWithZero) {
    registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, u"");
    editor = std::make_unique<Program>(L"\"" + program + L"\"");
    ASSERT_TRUE(editor->started());
    answerBox(L"Tarnwick Error", L"Can not find user file, please create a user.", IDOK);
    DWORD exitCode = 1;
    EXPECT_TRUE(editor->waitForExit(kBoundMs, exitCode));
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(wine::FindTopLevel(L"Keslowe", nullptr, editor->id()), nullptr);
}

TEST_F(KesloweEndToEnd, AnIdentityEditorThatCannotStartIsReportedWithTheReason) {
    const auto savedFolder = registry.readString(registry::kTarnwickKey, registry::kFilePathValue, 260);
    const std::u16string empty = folder.file(u"programs");
    testing::CreateFolder(empty);
    registry.writeString(registry::kTarnwickKey, registry::kFilePathValue, empty);
    const HWND window = start(Wide(alice + u"\\Mail.vrc"));
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    waitForAddress(window, L"https://mail.example/");
    PostMessageW(window, WM_COMMAND, IDM_IDENTITY_EDITOR, 0);
    const HWND box = waitForDialog(editor->id());
    ASSERT_NE(box, nullptr) << "the failed start was not reported";
    EXPECT_TRUE(WaitUntil([&] { return wine::BoxText(box).find(L"Mirelune.exe") != std::wstring::npos; }, kBoundMs))
        << std::string(wine::BoxText(box).begin(), wine::BoxText(box).end());
    const std::wstring text = wine::BoxText(box);
    // The reason follows the program's path on a line of its own.
    const auto reason = text.find(L'\n');
    EXPECT_TRUE(reason != std::wstring::npos && reason + 1 < text.size()) << std::string(text.begin(), text.end());
    EXPECT_EQ(AskedText(box), L"Tarnwick Error");
    click(box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, kBoundMs));
    registry.writeString(registry::kTarnwickKey, registry::kFilePathValue, savedFolder.value_or(u""));
    closeWithoutAsking(window);
}

TEST_F(KesloweEndToEnd, AlwaysOnTopMakesTheWindowTopmostAndAStartWithTheOptionOnIsTopmost) {
    ASSERT_EQ(wine::RunCapturing(cli + L" option set " + InQuotes(alice) + L" [PASSWORDEDITORONTOP] 1").exitCode, 0u);
    const HWND window = start(Wide(alice + u"\\Mail.vrc"));
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    waitForAddress(window, L"https://mail.example/");
    const auto topmost = [&] { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    EXPECT_TRUE(topmost()) << "the option is on but the window is not topmost";
    const HWND toolbar = findControl(window, 0, TOOLBARCLASSNAMEW);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return SendMessageW(toolbar, TB_ISBUTTONCHECKED, kAlwaysOnTop, 0) != 0; }, kBoundMs));

    SendMessageW(window, WM_COMMAND, kAlwaysOnTop, 0);
    EXPECT_TRUE(WaitUntil([&] { return !topmost(); }, kBoundMs)) << "still topmost";
    EXPECT_EQ(wine::RunCapturing(cli + L" option get " + InQuotes(alice) + L" [PASSWORDEDITORONTOP]").text, "0");
    SendMessageW(window, WM_COMMAND, kAlwaysOnTop, 0);
    EXPECT_TRUE(WaitUntil(topmost, kBoundMs)) << "not topmost after Always on Top";
    EXPECT_EQ(wine::RunCapturing(cli + L" option get " + InQuotes(alice) + L" [PASSWORDEDITORONTOP]").text, "1");
    closeWithoutAsking(window);
}

// T17: the right button on the card opens TREE_FILE, on the root TREE_ROOT;
// an item chosen by its mnemonic reaches its command and its dialog.
TEST_F(KesloweEndToEnd, TheTreesContextMenusLeadToTheirDialogs) {
    const HWND window = start(Wide(alice + u"\\Mail.vrc"));
    ASSERT_NE(window, nullptr) << "Keslowe showed no window within the bound";
    waitForAddress(window, L"https://mail.example/");
    const HWND tree = findControl(window, 0, WC_TREEVIEWW);
    ASSERT_NE(tree, nullptr);
    // The root's row, then the card's one level in: its icon and text.
    const auto rowHeight = static_cast<int>(SendMessageW(tree, TVM_GETITEMHEIGHT, 0, 0));
    const auto indent = static_cast<int>(SendMessageW(tree, TVM_GETINDENT, 0, 0));
    const LPARAM onCard = MAKELPARAM(2 * indent + 24, rowHeight + rowHeight / 2);
    PostMessageW(tree, WM_RBUTTONDOWN, MK_RBUTTON, onCard);
    PostMessageW(tree, WM_RBUTTONUP, 0, onCard);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            return (menu = wine::FindTopLevel(L"#32768", nullptr, editor->id())) != nullptr && IsWindowVisible(menu);
        },
        kBoundMs))
        << "no context menu";
    PostMessageW(tree, WM_CHAR, L'r', 0);
    const HWND dialog = waitForDialog(editor->id());
    ASSERT_NE(dialog, nullptr) << "the menu's Rename did not open its dialog";
    EXPECT_TRUE(WaitUntil([&] { return AskedText(dialog) == L"Rename Passcard Name"; }, kBoundMs));
    HWND edit = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (edit = GetDlgItem(dialog, 1005)) != nullptr; }, kBoundMs));
    if (edit != nullptr) {
        EXPECT_EQ(AskedText(edit), L"Mail");
    }
    click(dialog, IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, kBoundMs));
    EXPECT_TRUE(testing::FileExists(alice + u"\\Mail.vrc"));

    // The root's menu, TREE_ROOT: "&New Folder..." opens dialog 218 and makes the folder.
    const LPARAM onRoot = MAKELPARAM(indent + 24, rowHeight / 2);
    PostMessageW(tree, WM_RBUTTONDOWN, MK_RBUTTON, onRoot);
    PostMessageW(tree, WM_RBUTTONUP, 0, onRoot);
    ASSERT_TRUE(WaitUntil(
        [&] {
            return (menu = wine::FindTopLevel(L"#32768", nullptr, editor->id())) != nullptr && IsWindowVisible(menu);
        },
        kBoundMs))
        << "no context menu on the root";
    PostMessageW(tree, WM_CHAR, L'n', 0);
    const HWND newFolder = waitForDialog(editor->id());
    ASSERT_NE(newFolder, nullptr) << "the menu's New Folder did not open its dialog";
    EXPECT_TRUE(WaitUntil([&] { return AskedText(newFolder) == L"New Folder Name"; }, kBoundMs));
    ASSERT_TRUE(WaitUntil([&] { return GetDlgItem(newFolder, 1001) != nullptr; }, kBoundMs));
    typeName(newFolder, 1001, L"Travel");
    EXPECT_TRUE(WaitUntil([&] { return testing::FileExists(alice + u"\\Travel"); }, kBoundMs));
    closeWithoutAsking(window);
}

}  // namespace
}  // namespace tarnwick
