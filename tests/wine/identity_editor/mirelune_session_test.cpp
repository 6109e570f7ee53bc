// What the user typed survives under the real window system: text the code
// page cannot hold, a card renamed in its label or dragged into a folder
// while edited, a card another program holds open, and the tray program's
// lock taking the primary password away.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "foundation/toolbar_contract.h"
#include "htmlform/win32/form_view_ids.h"
#include "identity_editor/identity_commands.h"
#include "platform/win32/win32_windows.h"
#include "support/own_windows.h"
#include "support/temp_folder.h"
#include "support/windows_cli.h"
#include "wine/identity_editor/mirelune_support.h"

namespace tarnwick {
namespace {

using wine::Program;
using wine::WaitForTopLevel;
using wine::WaitUntil;

constexpr DWORD kBoundMs = 30'000;
constexpr int kEmailInput = kFirstFormControlId + 8;

using testing::Narrow;
using testing::Wide;

HTREEITEM treeItem(HWND tree, UINT relation, HTREEITEM from = nullptr) {
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
}

using testing::RemoteMemory;

std::wstring itemText(HWND tree, HTREEITEM item) {
    const RemoteMemory buffer(tree);
    TVITEMW entry{};
    entry.mask = TVIF_TEXT;
    entry.hItem = item;
    entry.pszText = reinterpret_cast<wchar_t*>(buffer.at(512));
    entry.cchTextMax = 260;
    buffer.write(0, &entry, sizeof entry);
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer.at(0)));
    wchar_t text[260] = {};
    buffer.read(512, text, sizeof text - sizeof(wchar_t));
    return text;
}

// The middle of an item's label, in screen coordinates.
POINT itemCentre(HWND tree, HTREEITEM item) {
    const RemoteMemory buffer(tree);
    RECT rect{};
    std::memcpy(&rect, &item, sizeof item);
    buffer.write(0, &rect, sizeof rect);
    SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(buffer.at(0)));
    buffer.read(0, &rect, sizeof rect);
    POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(tree, &centre);
    return centre;
}

// The child of the root with this text.
HTREEITEM childNamed(HWND tree, const std::wstring& text) {
    for (HTREEITEM item = treeItem(tree, TVGN_CHILD, treeItem(tree, TVGN_ROOT)); item != nullptr;
         item = treeItem(tree, TVGN_NEXT, item)) {
        if (itemText(tree, item) == text) return item;
    }
    return nullptr;
}

class MireluneSessionEndToEnd : public testing::MireluneTest {
protected:
    void SetUp() override {
        MireluneTest::SetUp();
        if (HasFatalFailure()) return;
        cli(u"new-identity \"" + user + u"\\Anna.vrt\" --set EMAIL=anna@example.org --set \"NAME=Anna|Berg\"");
        cli(u"new-identity \"" + user + u"\\Bob.vrt\" --set PHONE=111");
        cli(u"new-identity \"" + user + u"\\Cleo.vrt\" --set EMAIL=cleo@example.org --protected --password Secret#1");
        testing::CreateFolder(user + u"\\Archive");
        window = start(user + u"\\Anna");
        ASSERT_NE(window, nullptr);
        ASSERT_NE(form = waitForEnabledForm(window), nullptr);
        tree = testing::FindControl(window, 0, WC_TREEVIEWW);
        ASSERT_NE(tree, nullptr);
    }
    // Into the person table's input, on its tab (the page's n-th input shown).
    void typeInto(int control, const wchar_t* text) {
        HWND input = personInput(window, form, control);
        ASSERT_NE(input, nullptr);
        SendMessageW(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    std::wstring inputText(int control) { return testing::AskedText(testing::FindControl(form, control)); }
    // The primary-password prompt the editor shows next, answered.
    bool answerPasswordPrompt(int button) { return testing::AnswerPasswordPrompt(editor->id(), L"Secret#1", button); }
    // "[KEY]" of the option file, without the line end.
    std::string remembered() {
        std::string out = testing::RunWindowsCli(Wide(u"option get \"" + user + u"\" [KEY]")).out;
        while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
        return out;
    }
    std::wstring answerBox(int button = IDOK) { return testing::AnswerNextBox(editor->id(), button); }

    HWND window = nullptr;
    HWND tree = nullptr;
    HWND form = nullptr;
};

TEST_F(MireluneSessionEndToEnd, TextTheCodePageCannotHoldIsRefusedOnSaveSwitchAndCloseAndNeverWritten) {
    const std::string before = shown(u"Anna");
    typeInto(kEmailInput, L"\u0141\u00f3d\u017a@example.org");  // Łódź
    const std::wstring refusal = L"holds characters that cannot be saved on this system: \u0141 \u017a.";
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(57603, 0), 0);  // Save
    std::wstring text = answerBox();
    EXPECT_NE(text.find(refusal), std::wstring::npos) << Narrow(text);
    PostMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(childNamed(tree, L"Bob")));
    text = answerBox();
    EXPECT_NE(text.find(refusal), std::wstring::npos) << Narrow(text);
    EXPECT_TRUE(WaitUntil([&] { return itemText(tree, treeItem(tree, TVGN_CARET)) == L"Anna"; }, kBoundMs))
        << "the tree did not go back to the card on show";
    PostMessageW(window, WM_CLOSE, 0, 0);
    text = answerBox(IDYES);
    EXPECT_NE(text.find(L"Identity was changed."), std::wstring::npos) << Narrow(text);
    text = answerBox();
    EXPECT_NE(text.find(refusal), std::wstring::npos) << Narrow(text);
    EXPECT_TRUE(IsWindow(window)) << "the editor ended with the edits";
    EXPECT_EQ(shown(u"Anna"), before) << "something was written";
}

TEST_F(MireluneSessionEndToEnd, AnEditedCardRenamedInItsLabelOrDraggedKeepsItsEditsUnderItsNewName) {
    typeInto(kEmailInput, L"first@example.org");
    SetForegroundWindow(window);
    SetFocus(tree);
    const HTREEITEM anna = childNamed(tree, L"Anna");
    ASSERT_NE(anna, nullptr);
    HWND label = reinterpret_cast<HWND>(SendMessageW(tree, TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(anna)));
    ASSERT_NE(label, nullptr) << "the label did not open for editing";
    SendMessageW(label, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Annabel"));
    SendMessageW(tree, TVM_ENDEDITLABELNOW, FALSE, 0);
    EXPECT_TRUE(WaitUntil([&] { return shown(u"Annabel").find("first@example.org") != std::string::npos; }, kBoundMs))
        << shown(u"Annabel");
    EXPECT_FALSE(testing::FileExists(user + u"\\Anna.vrt")) << "the old name came back";

    // Typed again, then dragged onto a folder with the mouse.
    typeInto(kEmailInput, L"second@example.org");
    const HTREEITEM dragged = childNamed(tree, L"Annabel");
    const HTREEITEM archive = childNamed(tree, L"Archive");
    ASSERT_NE(dragged, nullptr);
    ASSERT_NE(archive, nullptr);
    const POINT start = itemCentre(tree, dragged);
    const POINT end = itemCentre(tree, archive);
    SetForegroundWindow(window);
    SetCursorPos(start.x, start.y);
    INPUT press{};
    press.type = INPUT_MOUSE;
    press.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &press, sizeof press);
    for (int step = 1; step <= 10; ++step) {
        Sleep(30);  // the tree tells a drag from a click by the motion it sees
        SetCursorPos(start.x + (end.x - start.x) * step / 10, start.y + (end.y - start.y) * step / 10);
        INPUT move{};
        move.type = INPUT_MOUSE;
        move.mi.dwFlags = MOUSEEVENTF_MOVE;
        SendInput(1, &move, sizeof move);
    }
    INPUT release{};
    release.type = INPUT_MOUSE;
    release.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &release, sizeof release);
    EXPECT_TRUE(WaitUntil([&] { return testing::FileExists(user + u"\\Archive\\Annabel.vrt"); }, kBoundMs))
        << "the drag did not move the card";
    EXPECT_FALSE(testing::FileExists(user + u"\\Annabel.vrt"));
    EXPECT_NE(shown(u"Archive\\Annabel").find("second@example.org"), std::string::npos) << shown(u"Archive\\Annabel");
    // Typed after the move, saved where the card now is.
    typeInto(kEmailInput, L"third@example.org");
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(57603, 0), 0);
    EXPECT_NE(shown(u"Archive\\Annabel").find("third@example.org"), std::string::npos) << shown(u"Archive\\Annabel");
    EXPECT_FALSE(testing::FileExists(user + u"\\Annabel.vrt"));
    EXPECT_FALSE(testing::FileExists(user + u"\\Anna.vrt"));
}

TEST_F(MireluneSessionEndToEnd, ACardAnotherProgramHoldsOpenIsUnreadableNotDamaged) {
    const std::wstring path = Wide(user + u"\\Bob.vrt");
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    PostMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(childNamed(tree, L"Bob")));
    const std::wstring text = answerBox();
    CloseHandle(held);
    EXPECT_NE(text.find(L"Can not read the card '\\Bob':"), std::wstring::npos) << Narrow(text);
    EXPECT_EQ(text.find(L"?"), std::wstring::npos) << "a deletion was offered: " << Narrow(text);
    EXPECT_TRUE(testing::FileExists(user + u"\\Bob.vrt"));
    EXPECT_TRUE(WaitUntil([&] { return itemText(tree, treeItem(tree, TVGN_CARET)) == L"Anna"; }, kBoundMs));
}

TEST_F(MireluneSessionEndToEnd, TheTraysLockMakesTheNextProtectedCardAskAndKeepsTheEditsOnScreen) {
    cli(u"option set \"" + user + u"\" [STARTUPUPDATE] 0");  // no update check from this tray
    Program tray(L"\"" + wine::ProgramPath(TARNWICK_BRENHOLT_PATH) + L"\"");
    const HWND trayWindow = WaitForTopLevel(L"TARNWICKNTRAY", nullptr, tray.id(), kBoundMs);
    ASSERT_NE(trayWindow, nullptr);
    PostMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(childNamed(tree, L"Cleo")));
    ASSERT_TRUE(answerPasswordPrompt(IDOK)) << "no password prompt for the protected card";
    ASSERT_TRUE(WaitUntil([&] { return inputText(kEmailInput) == L"cleo@example.org"; }, kBoundMs))
        << "the protected card is not on the form: " << Narrow(inputText(kEmailInput));
    typeInto(kEmailInput, L"during@example.org");
    ASSERT_TRUE(WaitUntil([&] { return inputText(kEmailInput) == L"during@example.org"; }, kBoundMs));
    ASSERT_TRUE(WaitUntil([&] { return remembered() != "0"; }, kBoundMs)) << "the typed password was not remembered";

    Win32Windows windows;
    EXPECT_EQ(windows.sendCopyData(ToWindowRef(trayWindow), tray_code::kLock, std::nullopt), 70);
    EXPECT_EQ(remembered(), "0");
    EXPECT_EQ(inputText(kEmailInput), L"during@example.org") << "the lock took the edits off the screen";

    // Save asks for the password again; what the form kept is written.
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(57603, 0), 0);
    ASSERT_TRUE(answerPasswordPrompt(IDOK)) << "Save did not ask for the password after the lock";
    const std::wstring showCleo = L"show \"" + Wide(user) + L"\\Cleo.vrt\" --password Secret#1";
    EXPECT_TRUE(WaitUntil(
        [&] { return testing::RunWindowsCli(showCleo).out.find("during@example.org") != std::string::npos; }, kBoundMs))
        << testing::RunWindowsCli(showCleo).out;

    // Locked again: another card opens without asking, the protected one asks.
    EXPECT_EQ(windows.sendCopyData(ToWindowRef(trayWindow), tray_code::kLock, std::nullopt), 70);
    PostMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(childNamed(tree, L"Bob")));
    EXPECT_TRUE(WaitUntil([&] { return itemText(tree, treeItem(tree, TVGN_CARET)) == L"Bob"; }, kBoundMs));
    PostMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(childNamed(tree, L"Cleo")));
    EXPECT_TRUE(answerPasswordPrompt(IDCANCEL)) << "the protected card opened without the password";
    EXPECT_TRUE(WaitUntil([&] { return itemText(tree, treeItem(tree, TVGN_CARET)) == L"Bob"; }, kBoundMs));
    PostMessageW(trayWindow, tray_message::kQuit, 0, 0);
}

}  // namespace
}  // namespace tarnwick
