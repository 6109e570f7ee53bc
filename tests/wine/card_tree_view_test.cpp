// The library tree's real tree-view control in the tree host, driven with the
// mouse and keyboard messages a user's actions produce: what it shows, a
// folder dragged onto another, context-menu commands, an in-place rename and
// the name dialog. The tray is a recording window of this process.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/toolbar_contract.h"
#include "foundation/window_signals.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_base.h"
#include "platform/win32/win32_launcher.h"
#include "platform/win32/name_dialog.h"
#include "platform/win32/win32_prompts.h"
#include "platform/win32/win32_windows.h"
#include "support/temp_folder.h"
#include "tests/wine/tree_host/tree_host_window.h"

namespace tarnwick {
namespace {

using testing::CreateFolder;
using testing::FileExists;
using testing::TempFolder;
using testing::WriteBytes;

constexpr DWORD kWindowBoundMs = 10'000;

struct Notice {
    std::uintptr_t code;
    std::u16string path;
    bool operator==(const Notice&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Notice& notice) {
    out << notice.code << " ";
    for (char16_t unit : notice.path) out << (unit < 0x80 ? char(unit) : '?');
    return out;
}

// The tray's window: records every copy-data it receives.
class TrayRecorder : public WindowBase {
public:
    TrayRecorder() {
        createWindow({.name = window_class::kTray}, {.title = kTrayWindowTitle,
                                                     .style = WS_POPUP,
                                                     .exStyle = WS_EX_TOOLWINDOW,
                                                     .x = 0,
                                                     .y = 0,
                                                     .width = 0,
                                                     .height = 0});
    }
    ~TrayRecorder() override { destroyWindow(); }
    const std::vector<Notice>& notices() const { return notices_; }
    // Answers each notice as the tray does: a reload request to the editor, at once.
    void answerWithReloadTo(HWND editor) { editor_ = editor; }

private:
    LRESULT onCopyData(HWND, const COPYDATASTRUCT* data) override {
        const auto received = ReceiveCopyDataMessage(data);
        if (!received) return 0;
        notices_.push_back({received->code, received->text.value_or(u"(none)")});
        if (editor_ != nullptr) sendReload(received->text.value_or(u""));
        return static_cast<LRESULT>(received->code);
    }
    void sendReload(const std::u16string& path) {
        COPYDATASTRUCT data{editor_code::kReload, static_cast<DWORD>(2 * path.size() + 2),
                            const_cast<char16_t*>(path.c_str())};
        SendMessageW(editor_, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    }
    HWND editor_ = nullptr;
    std::vector<Notice> notices_;
};

// The real window adapter, seeing only this process's top-level windows, so
// that the tray windows of tests running beside this one are never reached.
class OwnWindows : public Win32Windows {
public:
    std::vector<WindowRef> findTopLevel(std::u16string_view windowClass) override {
        std::vector<WindowRef> mine;
        for (WindowRef window : Win32Windows::findTopLevel(windowClass)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(ToHwnd(window), &owner);
            if (owner == GetCurrentProcessId()) mine.push_back(window);
        }
        return mine;
    }
};

std::u16string itemText(HWND tree, HTREEITEM item) {
    wchar_t buffer[300] = {};
    TVITEMW entry{};
    entry.mask = TVIF_TEXT | TVIF_HANDLE;
    entry.hItem = item;
    entry.pszText = buffer;
    entry.cchTextMax = 300;
    TreeView_GetItem(tree, &entry);
    return FromWide(buffer);
}

std::vector<std::u16string> childTexts(HWND tree, HTREEITEM parent) {
    std::vector<std::u16string> texts;
    for (HTREEITEM child = TreeView_GetChild(tree, parent); child != nullptr;
         child = TreeView_GetNextSibling(tree, child)) {
        texts.push_back(itemText(tree, child));
    }
    return texts;
}

HTREEITEM childNamed(HWND tree, HTREEITEM parent, std::u16string_view text) {
    for (HTREEITEM child = TreeView_GetChild(tree, parent); child != nullptr;
         child = TreeView_GetNextSibling(tree, child)) {
        if (itemText(tree, child) == text) return child;
    }
    return nullptr;
}

POINT centreOfText(HWND tree, HTREEITEM item) {
    RECT r{};
    TreeView_GetItemRect(tree, item, &r, TRUE);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

LPARAM at(POINT p) { return MAKELPARAM(p.x, p.y); }

// Runs the messages waiting for this thread's windows.
void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The first top-level dialog of this process with the title, waited for with a bound.
HWND waitForDialog(const wchar_t* title) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kWindowBoundMs) {
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, L"#32770", title)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == GetCurrentProcessId() && IsWindowVisible(window)) return window;
        }
        Sleep(20);
    }
    return nullptr;
}

class CardTreeViewTest : public ::testing::Test {
protected:
    CardTreeViewTest() : catalogue(IdentityCatalogueRows(DisplayLanguage::English)), root(folder.file(u"alice")) {
        CreateFolder(root);
        CreateFolder(path(u"Shop"));
        CreateFolder(path(u"Bank"));
        WriteBytes(path(u"Shop\\Store.vrt"), "store");
        WriteBytes(path(u"Home.vrt"), "home");
        WriteBytes(path(u"Other.vrc"), "passcard");
        WriteBytes(path(u"notes.txt"), "text");
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        host = std::make_unique<TreeHostWindow>(
            IdentityTreeFlavour(), root, CardTreePorts{NativeFileSystem(), prompts, signals, launcher}, catalogue);
    }

    void SetUp() override {
        ASSERT_TRUE(host->create(WS_POPUP | WS_BORDER)) << "the tree host window was not created";
        tree = host->view().window();
        rootItem = TreeView_GetRoot(tree);
        pump();
    }

    std::u16string path(std::u16string_view below) const { return root + u"\\" + std::u16string(below); }
    HTREEITEM item(std::u16string_view text) const { return childNamed(tree, rootItem, text); }

    // A right click on the item's text, then the menu item of the mnemonic.
    // Escape then closes a menu the mnemonic left open (a disabled item).
    void chooseFromContextMenu(HTREEITEM target, wchar_t mnemonic) {
        const POINT p = centreOfText(tree, target);
        PostMessageW(tree, WM_RBUTTONDOWN, MK_RBUTTON, at(p));
        PostMessageW(tree, WM_RBUTTONUP, 0, at(p));
        PostMessageW(tree, WM_CHAR, mnemonic, 0);
        PostMessageW(tree, WM_KEYDOWN, VK_ESCAPE, 0);
        pump();
        pump();
    }

    MessageCatalogue catalogue;
    TempFolder folder;
    std::u16string root;
    TrayRecorder tray;
    OwnWindows windows;
    Win32Launcher launcher;
    Win32Prompts prompts;
    WindowSignals signals{windows, launcher};
    std::unique_ptr<TreeHostWindow> host;
    HWND tree = nullptr;
    HTREEITEM rootItem = nullptr;
};

TEST_F(CardTreeViewTest, ShowsTheUsersFoldersAndCards) {
    wchar_t className[64] = {};
    GetClassNameW(host->window(), className, 64);
    EXPECT_STREQ(L"Mirelune", className);
    EXPECT_EQ(u"alice", itemText(tree, rootItem));
    const auto texts = childTexts(tree, rootItem);
    ASSERT_EQ(3u, texts.size());
    // Folders in the system's order first, then the identity card.
    EXPECT_TRUE((texts[0] == u"Shop" && texts[1] == u"Bank") || (texts[0] == u"Bank" && texts[1] == u"Shop"));
    EXPECT_EQ(u"Home", texts[2]);
    EXPECT_EQ(TVIS_EXPANDED, TreeView_GetItemState(tree, rootItem, TVIS_EXPANDED) & TVIS_EXPANDED);

    host->view().selectPath(path(u"Shop\\Store.vrt"));
    const HTREEITEM store = TreeView_GetSelection(tree);
    EXPECT_EQ(u"Store", itemText(tree, store));
    EXPECT_EQ((TreeSelection{ItemKind::Card, path(u"Shop\\Store")}), host->view().selection());
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(tree, GWL_STYLE));
    const DWORD wanted = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS | TVS_SHOWSELALWAYS;
    EXPECT_EQ(wanted, style & wanted);
    EXPECT_TRUE(GetWindowLongPtrW(tree, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(CardTreeViewTest, FolderDraggedOntoAFolderMovesAndIsAnnounced) {
    const HTREEITEM shop = item(u"Shop");
    const HTREEITEM bank = item(u"Bank");
    ASSERT_NE(nullptr, shop);
    ASSERT_NE(nullptr, bank);
    const POINT from = centreOfText(tree, shop);
    const POINT onto = centreOfText(tree, bank);
    ASSERT_GT(std::abs(from.y - onto.y), GetSystemMetrics(SM_CYDRAG));
    PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at(from));
    PostMessageW(tree, WM_MOUSEMOVE, MK_LBUTTON, at(onto));
    PostMessageW(tree, WM_MOUSEMOVE, MK_LBUTTON, at(onto));
    pump();
    EXPECT_TRUE(host->view().dragging());
    EXPECT_TRUE(TreeView_GetDropHilight(tree) == bank) << "the valid target is not shown selected";
    PostMessageW(tree, WM_LBUTTONUP, 0, at(onto));
    pump();
    EXPECT_FALSE(host->view().dragging());
    EXPECT_TRUE(FileExists(path(u"Bank\\Shop\\Store.vrt")));
    EXPECT_FALSE(FileExists(path(u"Shop")));
    EXPECT_EQ((std::vector<Notice>{{10, path(u"Bank\\Shop")}, {20, path(u"Bank\\Shop")}}), tray.notices());
    EXPECT_EQ(shop, TreeView_GetSelection(tree));
}

TEST_F(CardTreeViewTest, DragOntoTheRootOrACardMovesNothing) {
    const HTREEITEM shop = item(u"Shop");
    for (const HTREEITEM target : {rootItem, item(u"Home")}) {
        SCOPED_TRACE(::testing::PrintToString(itemText(tree, target)));
        const POINT from = centreOfText(tree, shop);
        const POINT onto = centreOfText(tree, target);
        PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at(from));
        PostMessageW(tree, WM_MOUSEMOVE, MK_LBUTTON, at(onto));
        PostMessageW(tree, WM_MOUSEMOVE, MK_LBUTTON, at(onto));
        pump();
        EXPECT_TRUE(host->view().dragging());
        for (const HTREEITEM shown : {shop, target}) {
            EXPECT_EQ(0u, TreeView_GetItemState(tree, shown, TVIS_DROPHILITED) & TVIS_DROPHILITED)
                << "shown as a drop target: " << ::testing::PrintToString(itemText(tree, shown));
        }
        PostMessageW(tree, WM_LBUTTONUP, 0, at(onto));
        pump();
    }
    EXPECT_FALSE(host->view().dragging());
    EXPECT_TRUE(FileExists(path(u"Shop\\Store.vrt")));
    EXPECT_TRUE(tray.notices().empty());
}

TEST_F(CardTreeViewTest, CardDraggedOntoAFolderSendsOnlyItsSidesNotice) {
    const POINT from = centreOfText(tree, item(u"Home"));
    const POINT onto = centreOfText(tree, item(u"Bank"));
    PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at(from));
    PostMessageW(tree, WM_MOUSEMOVE, MK_LBUTTON, at(onto));
    PostMessageW(tree, WM_LBUTTONUP, 0, at(onto));
    pump();
    EXPECT_EQ("home", testing::ReadBytes(path(u"Bank\\Home.vrt")));
    EXPECT_EQ((std::vector<Notice>{{20, path(u"Bank\\Home.vrt")}}), tray.notices());
}

TEST_F(CardTreeViewTest, CardRenamedInPlace) {
    const HTREEITEM home = item(u"Home");
    ASSERT_NE(nullptr, home);
    SetFocus(tree);
    const HWND edit = TreeView_EditLabel(tree, home);
    ASSERT_NE(nullptr, edit);
    SetWindowTextW(edit, L"House");
    TreeView_EndEditLabelNow(tree, FALSE);
    pump();
    EXPECT_TRUE(FileExists(path(u"House.vrt")));
    EXPECT_FALSE(FileExists(path(u"Home.vrt")));
    EXPECT_EQ(u"House", itemText(tree, home));
    EXPECT_EQ((std::vector<Notice>{{20, path(u"House.vrt")}}), tray.notices());
}

TEST_F(CardTreeViewTest, InPlaceNameLeavingTheFolderIsRefusedWithAWarning) {
    const HTREEITEM home = item(u"Home");
    SetFocus(tree);
    const HWND edit = TreeView_EditLabel(tree, home);
    ASSERT_NE(nullptr, edit);
    SetWindowTextW(edit, L"..\\Home");
    std::atomic<bool> warned{false};
    std::thread user([&] {
        if (const HWND warning = waitForDialog(L"Tarnwick Warning")) {
            warned = true;
            PostMessageW(warning, WM_COMMAND, IDOK, 0);
        }
    });
    TreeView_EndEditLabelNow(tree, FALSE);
    user.join();
    pump();
    EXPECT_TRUE(warned);
    EXPECT_TRUE(FileExists(path(u"Home.vrt")));
    EXPECT_FALSE(FileExists(folder.file(u"Home.vrt")));
    EXPECT_EQ(u"Home", itemText(tree, home));
    EXPECT_TRUE(tray.notices().empty());
}

TEST_F(CardTreeViewTest, ContextMenuCopyAndPasteAFolder) {
    const HTREEITEM shop = item(u"Shop");
    const HTREEITEM bank = item(u"Bank");
    ASSERT_NE(nullptr, shop);
    chooseFromContextMenu(bank, L'p');  // "&Paste", disabled while nothing was copied
    EXPECT_TRUE(tray.notices().empty());
    EXPECT_EQ(bank, TreeView_GetSelection(tree));
    chooseFromContextMenu(shop, L'c');  // "&Copy"
    EXPECT_EQ(path(u"Shop"), host->clipboard().copySource());
    chooseFromContextMenu(bank, L'p');  // "&Paste"
    EXPECT_EQ("store", testing::ReadBytes(path(u"Bank\\Shop\\Store.vrt")));
    EXPECT_TRUE(FileExists(path(u"Shop\\Store.vrt")));
    EXPECT_EQ((std::vector<Notice>{{10, path(u"Bank")}, {20, path(u"Bank")}}), tray.notices());
}

TEST_F(CardTreeViewTest, CutItemIsDimmed) {
    const HTREEITEM home = item(u"Home");
    TreeView_SelectItem(tree, home);
    SendMessageW(host->window(), WM_COMMAND, IdentityTreeFlavour().commands.cutCard, 0);
    EXPECT_EQ(UINT(TVIS_CUT), TreeView_GetItemState(tree, home, TVIS_CUT) & TVIS_CUT);
    EXPECT_EQ(path(u"Home.vrt"), host->clipboard().cutSource());
}

TEST_F(CardTreeViewTest, NewFolderDialogRefusesABadNameAndTakesAGoodOne) {
    TreeView_SelectItem(tree, item(u"Bank"));
    std::atomic<bool> refused{false};
    std::thread user([&] {
        const HWND dialog = waitForDialog(L"New Folder Name");
        if (dialog == nullptr) return;
        SetDlgItemTextW(dialog, kNameEditId, L"a/b");
        PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        if (const HWND warning = waitForDialog(L"Tarnwick Warning")) {
            refused = true;
            PostMessageW(warning, WM_COMMAND, IDOK, 0);
        }
        const DWORD start = GetTickCount();
        while (FindWindowExW(nullptr, nullptr, L"#32770", L"Tarnwick Warning") != nullptr &&
               GetTickCount() - start < kWindowBoundMs) {
            Sleep(20);
        }
        SetDlgItemTextW(dialog, kNameEditId, L"  Music");
        PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    SendMessageW(host->window(), WM_COMMAND, IdentityTreeFlavour().commands.newFolder, 0);
    user.join();
    EXPECT_TRUE(refused);
    EXPECT_TRUE(FileExists(path(u"Bank\\Music")));
    EXPECT_EQ((std::vector<Notice>{{10, path(u"Bank\\Music")}, {20, path(u"Bank\\Music")}}), tray.notices());
}

TEST_F(CardTreeViewTest, RenameFolderDialogStartsWithTheCurrentName) {
    TreeView_SelectItem(tree, item(u"Shop"));
    std::wstring shown;
    std::thread user([&] {
        const HWND dialog = waitForDialog(L"Rename Folder");
        if (dialog == nullptr) return;
        wchar_t text[300] = {};
        GetDlgItemTextW(dialog, kNameEditId, text, 300);
        shown = text;
        SetDlgItemTextW(dialog, kNameEditId, L"Market");
        PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    SendMessageW(host->window(), WM_COMMAND, IdentityTreeFlavour().commands.renameFolder, 0);
    user.join();
    EXPECT_EQ(L"Shop", shown);
    EXPECT_TRUE(FileExists(path(u"Market\\Store.vrt")));
    EXPECT_EQ((std::vector<Notice>{{10, path(u"Market")}, {20, path(u"Market")}}), tray.notices());
}

TEST_F(CardTreeViewTest, ReloadAnsweringARenameWaitsForTheEditToEnd) {
    tray.answerWithReloadTo(host->window());
    const HTREEITEM shop = item(u"Shop");
    SetFocus(tree);
    const HWND edit = TreeView_EditLabel(tree, shop);
    ASSERT_NE(nullptr, edit);
    SetWindowTextW(edit, L"Market");
    TreeView_EndEditLabelNow(tree, FALSE);
    pump();
    EXPECT_TRUE(FileExists(path(u"Market\\Store.vrt")));
    EXPECT_EQ(2u, tray.notices().size());
    // Rebuilt from the disk once the edit was over, with the new folder selected.
    EXPECT_EQ((TreeSelection{ItemKind::Folder, path(u"Market")}), host->view().selection());
    rootItem = TreeView_GetRoot(tree);
    EXPECT_NE(nullptr, item(u"Market"));
    EXPECT_EQ(nullptr, item(u"Shop"));
}

TEST_F(CardTreeViewTest, ReloadRequestRebuildsAndSelects) {
    CreateFolder(path(u"Bank\\Later"));
    const std::u16string text = path(u"Bank\\Later");
    COPYDATASTRUCT data{0, static_cast<DWORD>(2 * text.size() + 2), const_cast<char16_t*>(text.c_str())};
    SendMessageW(host->window(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    EXPECT_EQ((TreeSelection{ItemKind::Folder, path(u"Bank\\Later")}), host->view().selection());
    EXPECT_EQ(GetFocus(), tree);
}

TEST_F(CardTreeViewTest, ReloadRequestReadsThePathAsWindowsDoes) {
    CreateFolder(path(u"Bank\\Later"));
    auto request = [&](const std::u16string& text) {
        COPYDATASTRUCT data{0, static_cast<DWORD>(2 * text.size() + 2), const_cast<char16_t*>(text.c_str())};
        SendMessageW(host->window(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
        return host->view().selection();
    };
    EXPECT_EQ((TreeSelection{ItemKind::Folder, path(u"Bank\\Later")}), request(path(u"Shop/..\\Bank/./Later. ")));
    // Out of the library: the main folder is selected.
    EXPECT_EQ(ItemKind::Root, request(path(u"Bank/../../..\\Bank\\Later")).kind);
}

}  // namespace
}  // namespace tarnwick
