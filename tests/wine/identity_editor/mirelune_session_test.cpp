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
#include "platform/utf8.h"
#include "platform/win32/password_dialog.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_windows.h"
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
constexpr int kEmailInput = kFirstFormControlId + 8;

std::wstring wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }
std::string narrow(const std::wstring& text) { return Utf16ToUtf8(FromWide(text.c_str())); }

HTREEITEM treeItem(HWND tree, UINT relation, HTREEITEM from = nullptr) {
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
}

// A tree view's item texts and rectangles live in the editor's process: the
// messages that read them get a buffer there.
class RemoteBuffer {
public:
    explicit RemoteBuffer(HWND window) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process);
        if (process_ != nullptr) memory_ = VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE);
        EXPECT_NE(memory_, nullptr) << "no memory in the editor's process: error " << GetLastError() << " pid "
                                    << process;
    }
    ~RemoteBuffer() {
        if (memory_ != nullptr) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    char* address() const { return static_cast<char*>(memory_); }
    void write(std::size_t offset, const void* bytes, std::size_t size) {
        WriteProcessMemory(process_, address() + offset, bytes, size, nullptr);
    }
    void read(std::size_t offset, void* bytes, std::size_t size) {
        ReadProcessMemory(process_, address() + offset, bytes, size, nullptr);
    }
    static constexpr std::size_t kSize = 4096;

private:
    HANDLE process_ = nullptr;
    void* memory_ = nullptr;
};

std::wstring itemText(HWND tree, HTREEITEM item) {
    RemoteBuffer buffer(tree);
    TVITEMW entry{};
    entry.mask = TVIF_TEXT;
    entry.hItem = item;
    entry.pszText = reinterpret_cast<wchar_t*>(buffer.address() + 512);
    entry.cchTextMax = 260;
    buffer.write(0, &entry, sizeof entry);
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(buffer.address()));
    wchar_t text[260] = {};
    buffer.read(512, text, sizeof text - sizeof(wchar_t));
    return text;
}

// The middle of an item's label, in screen coordinates.
POINT itemCentre(HWND tree, HTREEITEM item) {
    RemoteBuffer buffer(tree);
    RECT rect{};
    std::memcpy(&rect, &item, sizeof item);
    buffer.write(0, &rect, sizeof rect);
    SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(buffer.address()));
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

class MireluneSessionEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(wine::FindTopLevel(L"Mirelune", nullptr, 0), nullptr) << "an identity editor is left over";
        savedRootUser = registry.readString(registry::kTarnwickKey, registry::kRootUserValue, 260);
        const std::u16string dataRoot = folder.file(u"Data");
        cli(u"new-user \"" + dataRoot + u"\" demo Secret#1 --register");
        user = dataRoot + u"\\demo";
        cli(u"new-identity \"" + user + u"\\Anna.vrt\" --set EMAIL=anna@example.org --set \"NAME=Anna|Berg\"");
        cli(u"new-identity \"" + user + u"\\Bob.vrt\" --set PHONE=111");
        cli(u"new-identity \"" + user + u"\\Cleo.vrt\" --set EMAIL=cleo@example.org --protected --password Secret#1");
        testing::CreateFolder(user + u"\\Archive");
        editor = std::make_unique<Program>(L"\"" + wine::ProgramPath(TARNWICK_MIRELUNE_PATH) + L"\" " +
                                           wide(user + u"\\Anna"));
        ASSERT_TRUE(editor->started());
        window = WaitForTopLevel(L"Mirelune", nullptr, editor->id(), kBoundMs);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WaitUntil(
            [&] {
                return (form = FindWindowExW(window, nullptr, L"TarnwickFormView", nullptr)) && IsWindowEnabled(form);
            },
            kBoundMs));
        tree = testing::FindControl(window, 0, WC_TREEVIEWW);
        ASSERT_NE(tree, nullptr);
    }
    void TearDown() override {
        editor.reset();  // ends it: an editor holding refused edits does not close
        EXPECT_TRUE(WaitUntil([] { return wine::FindTopLevel(L"Mirelune", nullptr, 0) == nullptr; }, kBoundMs));
        registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, savedRootUser.value_or(u""));
    }
    void cli(const std::u16string& arguments) {
        const testing::CliResult result = testing::RunWindowsCli(wide(arguments));
        ASSERT_EQ(result.exitCode, 0u) << result.error;
    }
    std::string shown(const std::u16string& name) {
        return testing::RunWindowsCli(wide(u"show \"" + user + u"\\" + name + u".vrt\"")).out;
    }
    // Into the person table's input, on its tab (the page's n-th input shown).
    void typeInto(int control, const wchar_t* text) {
        HWND tabs = testing::FindControl(window, 0, WC_TABCONTROLW);
        if (SendMessageW(tabs, TCM_GETCURSEL, 0, 0) != 1) SendMessageW(tabs, TCM_SETCURFOCUS, 1, 0);
        HWND input = nullptr;
        WaitUntil([&] { return (input = testing::FindControl(form, control)) != nullptr && IsWindowVisible(input); },
                  kBoundMs);
        ASSERT_NE(input, nullptr);
        SendMessageW(input, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    std::wstring inputText(int control) {
        HWND input = testing::FindControl(form, control);
        wchar_t text[260] = {};
        // WM_GETTEXT itself: GetWindowTextW of another process's edit reads no edit text.
        if (input) SendMessageW(input, WM_GETTEXT, 260, reinterpret_cast<LPARAM>(text));
        return text;
    }
    // The primary-password prompt the editor shows next, answered.
    bool answerPasswordPrompt(int button) {
        HWND prompt = WaitForTopLevel(L"#32770", nullptr, editor->id(), kBoundMs);
        HWND edit = nullptr;
        if (!prompt || !WaitUntil([&] { return (edit = GetDlgItem(prompt, kPasswordEditId)) != nullptr; }, kBoundMs))
            return false;
        if (button == IDOK) SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Secret#1"));
        PostMessageW(GetDlgItem(prompt, button), BM_CLICK, 0, 0);
        return WaitUntil([&] { return !IsWindow(prompt); }, kBoundMs);
    }
    // "[KEY]" of the option file, without the line end.
    std::string remembered() {
        std::string out = testing::RunWindowsCli(wide(u"option get \"" + user + u"\" [KEY]")).out;
        while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
        return out;
    }
    // The box the editor shows next: its text, once it has one, after OK.
    std::wstring answerBox(int button = IDOK) {
        HWND box = WaitForTopLevel(L"#32770", nullptr, editor->id(), kBoundMs);
        if (box == nullptr) return L"<no box>";
        std::wstring text;
        WaitUntil([&] { return !(text = wine::BoxText(box)).empty(); }, kBoundMs);
        wine::PressButton(box, button);
        WaitUntil([&] { return !IsWindow(box); }, kBoundMs);
        return text;
    }

    testing::TempFolder folder;
    Win32Registry registry;
    std::optional<std::u16string> savedRootUser;
    std::u16string user;
    std::unique_ptr<Program> editor;
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
    EXPECT_NE(text.find(refusal), std::wstring::npos) << narrow(text);
    PostMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(childNamed(tree, L"Bob")));
    text = answerBox();
    EXPECT_NE(text.find(refusal), std::wstring::npos) << narrow(text);
    EXPECT_TRUE(WaitUntil([&] { return itemText(tree, treeItem(tree, TVGN_CARET)) == L"Anna"; }, kBoundMs))
        << "the tree did not go back to the card on show";
    PostMessageW(window, WM_CLOSE, 0, 0);
    text = answerBox(IDYES);
    EXPECT_NE(text.find(L"Identity was changed."), std::wstring::npos) << narrow(text);
    text = answerBox();
    EXPECT_NE(text.find(refusal), std::wstring::npos) << narrow(text);
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
    const std::wstring path = wide(user + u"\\Bob.vrt");
    HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    PostMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(childNamed(tree, L"Bob")));
    const std::wstring text = answerBox();
    CloseHandle(held);
    EXPECT_NE(text.find(L"Can not read the card '\\Bob':"), std::wstring::npos) << narrow(text);
    EXPECT_EQ(text.find(L"?"), std::wstring::npos) << "a deletion was offered: " << narrow(text);
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
        << "the protected card is not on the form: " << narrow(inputText(kEmailInput));
    typeInto(kEmailInput, L"during@example.org");
    ASSERT_TRUE(WaitUntil([&] { return inputText(kEmailInput) == L"during@example.org"; }, kBoundMs));
    ASSERT_NE(remembered(), "0") << "the typed password was not remembered";

    Win32Windows windows;
    EXPECT_EQ(windows.sendCopyData(ToWindowRef(trayWindow), tray_code::kLock, std::nullopt), 70);
    EXPECT_EQ(remembered(), "0");
    EXPECT_EQ(inputText(kEmailInput), L"during@example.org") << "the lock took the edits off the screen";

    // Save asks for the password again; what the form kept is written.
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(57603, 0), 0);
    ASSERT_TRUE(answerPasswordPrompt(IDOK)) << "Save did not ask for the password after the lock";
    const std::wstring showCleo = L"show \"" + wide(user) + L"\\Cleo.vrt\" --password Secret#1";
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
