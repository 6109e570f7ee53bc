#include "passcard_editor/win32/keslowe_window.h"

#include <commctrl.h>
#include <vector>

#include "cardtree/tree_flavour.h"
#include "editor_common/editor_copy_data.h"
#include "editor_common/editor_traits.h"
#include "foundation/message_catalogue.h"
#include "foundation/toolbar_contract.h"
#include "foundation/win32/win32_message_box.h"
#include "passcard_editor/passcard_commands.h"
#include "passcard_editor/win32/keslowe_about_dialog.h"
#include "passcard_editor/win32/keslowe_policy_dialog.h"
#include "passcard_editor/resources/keslowe_resources.h"
#include "foundation/text_file.h"
#include "platform/utf8.h"
#include "platform/win32/private_messages.h"
#include "platform/win32/win32_prompts.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_layout.h"

namespace tarnwick {
namespace {

constexpr int kTreeId = 100;
constexpr int kFormId = 101;
constexpr int kAddressId = 102;
constexpr int kFindBoxId = 41303;
constexpr int kSplitterBarWidth = 4;
constexpr UINT kMessageFilterAdd = 1;  // MSGFLT_ADD

// The menu's ids are typed in the resource header for the script: they must
// be the editor's.
static_assert(IDM_SAVE == common_command::kSave && IDM_EXIT == common_command::kExit &&
              IDM_ABOUT == common_command::kAbout && IDM_TOOLBAR == common_command::kToolbar &&
              IDM_STATUS_BAR == common_command::kStatusBar);
static_assert(IDM_SAVE_AND_CLOSE == passcard_command::kSaveAndClose && IDM_RESET == passcard_command::kReset &&
              IDM_DEFAULT == passcard_command::kDefault && IDM_COPY == passcard_command::kCopy &&
              IDM_ADD_FIELD == passcard_command::kAddField && IDM_RENAME_FIELD == passcard_command::kRenameField &&
              IDM_DELETE_FIELD == passcard_command::kDeleteField &&
              IDM_PASSWORDS_AS_STARS == passcard_command::kPasswordsAsStars &&
              IDM_ALWAYS_ON_TOP == passcard_command::kAlwaysOnTop && IDM_DETAILS == passcard_command::kDetails &&
              IDM_IDENTITY_EDITOR == passcard_command::kIdentityEditor);
static_assert(IDM_GENERATE_PASSWORD == passcard_command::kGeneratePassword &&
              IDM_PASSWORD_POLICY == passcard_command::kPasswordPolicy);

void place(HWND window, const Rect& r) {
    if (window != nullptr) MoveWindow(window, r.left, r.top, r.width, r.height, TRUE);
}

// Lets the other programs reach the window with WM_COPYDATA across integrity levels.
void allowCopyData() {
    using Filter = BOOL(WINAPI*)(UINT, DWORD);
    HMODULE user32 = LoadLibraryW(L"user32.dll");
    if (user32 == nullptr) return;
    const auto filter =
        reinterpret_cast<Filter>(reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilter")));
    if (filter != nullptr) filter(WM_COPYDATA, kMessageFilterAdd);
}

std::u16string loadTitle() {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), IDS_TITLE, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return std::u16string(PasscardEditorTraits().title);
    return FromWide(text, static_cast<std::size_t>(length));
}

// The library's own operations (Protected aside, which rewrites only the card).
bool isTreeOperation(unsigned id) {
    const TreeCommandIds& tree = PasscardTreeFlavour().commands;
    for (unsigned operation :
         {tree.newFolder, tree.deleteFolder, tree.renameFolder, tree.copyFolder, tree.cutFolder, tree.paste,
          tree.exploreFolder, tree.refreshFolder, tree.deleteCard, tree.renameCard, tree.copyCard, tree.cutCard}) {
        if (id == operation) return true;
    }
    return false;
}

}  // namespace

KesloweWindow::KesloweWindow(KesloweParts parts)
    : parts_(parts),
      editor_(parts.session, parts.tree, parts.launches, *this),
      treeView_(parts.tree),
      find_(parts.tree, treeView_),
      bars_(PasscardCommands(), PasscardToolbar()),
      splitter_(PasscardEditorTraits().minimumPaneWidth, kSplitterBarWidth),
      splitterDrag_(splitter_, kSplitterBarWidth, [this] { layOut(); }) {}

KesloweWindow::~KesloweWindow() {
    destroyWindow();
    if (editorFont_ != nullptr) DeleteObject(editorFont_);
}

bool KesloweWindow::create(const std::u16string& firstPath, int showCommand) {
    HINSTANCE module = GetModuleHandleW(nullptr);
    const HICON icon = LoadIconW(module, MAKEINTRESOURCEW(IDI_PROGRAM));
    const Rect bounds = InitialWindowRect(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                          PasscardEditorTraits().placement);
    const std::u16string title = loadTitle();
    if (!createWindow({.name = window_class::kPasscardEditor, .icon = icon, .smallIcon = icon},
                      {.title = title,
                       .style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                       .x = bounds.left,
                       .y = bounds.top,
                       .width = bounds.width,
                       .height = bounds.height,
                       .menu = LoadMenuW(module, MAKEINTRESOURCEW(IDR_MAINFRAME))})) {
        return false;
    }
    accelerators_ = LoadAcceleratorsW(module, MAKEINTRESOURCEW(IDR_MAINFRAME));
    // The menu and the toolbar never show a command enabled that is not.
    applyStates(editor_.commandStates());
    keepChildFocus(treeView_.window());
    const bool preselected = treeView_.preselectPath(firstPath);
    ShowWindow(WindowBase::handle(), showCommand);
    UpdateWindow(WindowBase::handle());
    // Loaded once the window shows: a password asked for has the editor behind it.
    if (preselected) onSelectionChanged();
    SetFocus(treeView_.window());
    return true;
}

int KesloweWindow::run() {
    MSG message{};
    for (;;) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) onIdle();
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;
        // The editor's keys and its key watch are for its own window: keys
        // typed in the Password Health window neither run commands nor mark the card.
        const HWND main = WindowBase::handle();
        if (main != nullptr && message.hwnd != main && !IsChild(main, message.hwnd)) {
            if (health_ && health_->translate(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
            continue;
        }
        if (accelerators_ != nullptr && main != nullptr && TranslateAcceleratorW(main, accelerators_, &message)) {
            continue;
        }
        watch(message);
        if (panes_.translate(message)) continue;  // Tab between the panes, F6
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

// The keyboard watch: keys typed anywhere but in the tree may mark the card
// changed. The native form pane handles its keys itself, so nothing is offered on.
void KesloweWindow::watch(const MSG& message) {
    const bool keyboard = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
    const bool mouse = message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST;
    if (!keyboard && !mouse) return;
    const HWND labelEdit = TreeView_GetEditControl(treeView_.window());
    // The find box is the tree's too: what is typed there changes no card.
    const bool atTree = message.hwnd == treeView_.window() || (labelEdit != nullptr && message.hwnd == labelEdit) ||
                        find_.owns(message.hwnd);
    editor_.watchMessage(message.message, message.wParam, GetKeyState(VK_CONTROL) < 0,
                         atTree ? MessageTarget::LibraryTree : MessageTarget::Elsewhere);
}

void KesloweWindow::onIdle() {
    if (WindowBase::handle() == nullptr) return;
    applyStates(editor_.idle(addressBoxText()));
}

bool KesloweWindow::onCreate() {
    if (parts_.majorVersion == 6) allowCopyData();
    // Made topmost while it is created, the way Always on Top does it later.
    if (parts_.session.alwaysOnTop()) setTopmost(true);
    createChildren();
    return treeView_.window() != nullptr && addressBox_ != nullptr;
}

void KesloweWindow::createChildren() {
    HINSTANCE module = GetModuleHandleW(nullptr);
    const HWND self = WindowBase::handle();
    bars_.create(self, module, IDB_TOOLBAR);
    editorFont_ = CreateDialogFont(MessageCatalogue::Instance());
    treeView_.create(self, self, kTreeId);
    find_.create(self, kFindBoxId, [this] { layOut(); });
    formView_.create(self, kFormId, RECT{0, 0, 0, 0});
    formView_.setHost(&editor_);
    formView_.onDocumentComplete([this] { editor_.pageLoaded(*formBinding_); });
    formView_.onControlMenu([this](HWND control, POINT at) { return showFieldMenu(control, at); });
    formView_.loadResource(module, IDR_FORM_PAGE);
    formBinding_.emplace(formView_.document());
    addressBox_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", nullptr,
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | ES_AUTOHSCROLL, 0, 0, 0,
                                  0, self, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kAddressId)), module, nullptr);
    SendMessageW(addressBox_, EM_SETLIMITTEXT, kAddressBoxChars, 0);
    SendMessageW(addressBox_, WM_SETFONT, reinterpret_cast<WPARAM>(editorFont_), FALSE);
    panes_.addPane(treeView_.window());
    panes_.addForm(formView_);
    panes_.addPane(addressBox_);
}

void KesloweWindow::onDestroy() {
    // The copied card does not outlive the editor.
    secretClipboard_.clearIfOurs(WindowBase::handle());
    PostQuitMessage(0);
}

void KesloweWindow::onTimer(UINT_PTR id) {
    if (!secretClipboard_.onTimer(WindowBase::handle(), id)) WindowBase::onTimer(id);
}

bool KesloweWindow::onClose() {
    editor_.closeRequested();
    return true;
}

void KesloweWindow::onSize(int, int) { layOut(); }

void KesloweWindow::layOut() {
    if (addressBox_ == nullptr) return;
    RECT client{};
    GetClientRect(WindowBase::handle(), &client);
    bars_.resize();
    const Rect area = SplitterArea(client.right, client.bottom, bars_.bands());
    if (!splitterStarted_ && area.width > 0) {
        splitter_.start(area.width);
        splitterStarted_ = true;
    } else {
        splitter_.resize(area.width);
    }
    Rect tree = splitter_.leftPane(area.top, area.height);
    Rect right = splitter_.rightPane(area.top, area.height);
    tree.left += area.left;
    right.left += area.left;
    find_.carve(tree);
    place(treeView_.window(), tree);
    const FormAndAddress panes = SplitFormAndAddress(right, parts_.majorVersion);
    place(formView_.handle(), panes.form);
    place(addressBox_, panes.address);
}

bool KesloweWindow::onCommand(int id, int code, HWND control) {
    if (control == addressBox_) {
        // The address is compared at the next idle moment. Text set by another
        // program comes as a sent message, which leaves the loop asleep (and an
        // obscured box may never repaint): wake it.
        if (code == EN_CHANGE) PostMessageW(WindowBase::handle(), WM_NULL, 0, 0);
        return true;
    }
    if (find_.owns(control)) return true;
    const auto command = static_cast<unsigned>(id);
    if (command == passcard_command::kPasswordPolicy) {
        editPasswordPolicy();
        return true;
    }
    if (command == IDM_FIND) {
        find_.open();
        return true;
    }
    if (command == IDM_FIND_NEXT || command == IDM_FIND_PREVIOUS) {
        find_.findNext(command == IDM_FIND_NEXT);
        return true;
    }
    if (command == IDM_PASSWORD_HEALTH) {
        showPasswordHealth();
        return true;
    }
    if (isTreeOperation(command)) {
        treeView_.runOperation([&] { editor_.runCommand(command, treeView_.selection()); });
    } else {
        editor_.runCommand(command, treeView_.selection());
    }
    return true;
}

// A field's own edit menu, with Generate Password below it. A password
// field offers no Cut or Copy: its text leaves only through the editor's Copy,
// which keeps it from clipboard monitors and clears it again.
bool KesloweWindow::showFieldMenu(HWND control, POINT at) {
    wchar_t className[8] = {};
    GetClassNameW(control, className, 8);
    if (lstrcmpiW(className, L"Edit") != 0) return false;
    enum : UINT { kUndo = 1, kCut, kCopy, kPaste, kDelete, kSelectAll };
    const bool secret = (GetWindowLongW(control, GWL_STYLE) & ES_PASSWORD) != 0;
    const bool readOnly = (GetWindowLongW(control, GWL_STYLE) & ES_READONLY) != 0;
    DWORD from = 0, to = 0;
    SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    const bool selection = from != to;
    const auto flags = [](bool enabled) { return MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED); };
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, flags(!readOnly && SendMessageW(control, EM_CANUNDO, 0, 0) != 0), kUndo, L"&Undo");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, flags(!secret && !readOnly && selection), kCut, L"Cu&t");
    AppendMenuW(menu, flags(!secret && selection), kCopy, L"&Copy");
    AppendMenuW(menu, flags(!readOnly && IsClipboardFormatAvailable(CF_UNICODETEXT)), kPaste, L"&Paste");
    AppendMenuW(menu, flags(!readOnly && selection), kDelete, L"&Delete");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, flags(GetWindowTextLengthW(control) > 0), kSelectAll, L"Select &All");
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const UINT generateState = GetMenuState(GetMenu(WindowBase::handle()), IDM_GENERATE_PASSWORD, MF_BYCOMMAND);
    AppendMenuW(menu, flags(!readOnly && (generateState & MF_GRAYED) == 0), IDM_GENERATE_PASSWORD,
                L"&Generate Password");
    // A menu of a window that is not in front is closed again at once.
    SetForegroundWindow(WindowBase::handle());
    SetFocus(control);
    const UINT chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0,
                                       WindowBase::handle(), nullptr);
    DestroyMenu(menu);
    switch (chosen) {
        case kUndo:
            SendMessageW(control, EM_UNDO, 0, 0);
            break;
        case kCut:
            SendMessageW(control, WM_CUT, 0, 0);
            break;
        case kCopy:
            SendMessageW(control, WM_COPY, 0, 0);
            break;
        case kPaste:
            SendMessageW(control, WM_PASTE, 0, 0);
            break;
        case kDelete:
            SendMessageW(control, WM_CLEAR, 0, 0);
            break;
        case kSelectAll:
            SendMessageW(control, EM_SETSEL, 0, -1);
            break;
        case IDM_GENERATE_PASSWORD:
            // The control has the focus: it is the selected field.
            onCommand(IDM_GENERATE_PASSWORD, 0, nullptr);
            break;
        default:
            break;
    }
    return true;
}

// The dialog's rules are portable (AcceptPolicyEntry); here it is only shown
// and its policy kept in the option file.
void KesloweWindow::editPasswordPolicy() {
    Win32Prompts prompts;
    const auto policy = KeslowePolicyDialog(ReadPasswordPolicy(parts_.options), prompts).show(WindowBase::handle());
    if (!policy) return;
    try {
        WritePasswordPolicy(parts_.options, *policy);
    } catch (const CTextFileException& e) {
        ShowMessageText(prompts, handle(), kErrorBox, Utf8ToUtf16(e.what()), MessageCatalogue::Instance());
    }
}

void KesloweWindow::onSelectionChanged() {
    if (treeView_.dragging() || treeView_.preselecting()) return;
    // A reload request that arrives while this selection's boxes are open waits for them.
    treeView_.runOperation([&] { editor_.selectionChanged(treeView_.selection()); });
}

bool KesloweWindow::onNotify(const NMHDR& header, LRESULT& result) {
    result = 0;
    if (bars_.onNotify(header)) return true;
    if (header.hwndFrom == treeView_.window() && header.code == TVN_SELCHANGEDW) {
        onSelectionChanged();
        return true;
    }
    return treeView_.onNotify(header, result);
}

LRESULT KesloweWindow::onCopyData(HWND, const COPYDATASTRUCT* data) {
    if (data == nullptr) return 0;
    return HandleEditorCopyData(data->dwData, data->cbData, data->lpData, editor_);
}

LRESULT KesloweWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; splitterDrag_.onMessage(WindowBase::handle(), message, wParam, lParam, result))
        return result;
    switch (message) {
        case WM_MENUSELECT:
            bars_.onMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
            return 0;
        case private_message::kEditorReselectShown:
            treeView_.selectPath(reselectPath_);
            return 0;
        case private_message::kEditorShowReport:
            parts_.session.showPendingReport(handle());
            return 0;
        case WM_QUERYENDSESSION:
            return editor_.queryEndSession() ? TRUE : FALSE;
        case WM_ENDSESSION:
            // The session ends now: a last silent save of what is still unsaved,
            // and no copied card left behind.
            if (wParam != 0) {
                parts_.session.closeWithoutAsking();
                secretClipboard_.clearIfOurs(WindowBase::handle());
            }
            return 0;
        default:
            return WindowBase::onMessage(message, wParam, lParam);
    }
}

void KesloweWindow::applyStates(const std::vector<CommandState>& states) {
    HMENU menu = GetMenu(WindowBase::handle());
    for (const CommandState& state : states) {
        if (menu != nullptr) {
            EnableMenuItem(menu, state.id, MF_BYCOMMAND | (state.enabled ? MF_ENABLED : MF_GRAYED));
            CheckMenuItem(menu, state.id, MF_BYCOMMAND | (state.checked ? MF_CHECKED : MF_UNCHECKED));
        }
    }
    bars_.applyStates(states);
}

// A double-clicked line selects its card as a click in the tree does, so the
// card on show is left (and saved) the usual way.
void KesloweWindow::showPasswordHealth() {
    if (!health_) {
        health_ = std::make_unique<KesloweHealthWindow>(parts_.options, [this](const std::u16string& cardPath) {
            treeView_.selectPath(cardPath);
            SetFocus(treeView_.window());
        });
    }
    health_->show(WindowBase::handle());
}

std::u16string KesloweWindow::addressBoxText() const {
    // The whole text, however long: an address is never saved cut.
    const int capacity = GetWindowTextLengthW(addressBox_) + 1;
    std::wstring text(static_cast<std::size_t>(capacity), L'\0');
    const int length = GetWindowTextW(addressBox_, text.data(), capacity);
    return FromWide(text.c_str(), static_cast<std::size_t>(length > 0 ? length : 0));
}

// PasscardWindow: what the editor asks of the window.

WindowRef KesloweWindow::handle() const { return reinterpret_cast<WindowRef>(WindowBase::handle()); }

void KesloweWindow::showAddress(const std::u16string& address) {
    // The box takes 2,083 characters as typed, and a longer address whole.
    const std::size_t limit = address.size() > kAddressBoxChars ? address.size() : kAddressBoxChars;
    SendMessageW(addressBox_, EM_SETLIMITTEXT, limit, 0);
    SetWindowTextW(addressBox_, AsWide(address));
}

void KesloweWindow::putOnClipboard(const std::u16string& text) {
    secretClipboard_.put(WindowBase::handle(), text, ClipboardSeconds(parts_.options));
}

void KesloweWindow::setTopmost(bool topmost) { SetTopmost(WindowBase::handle(), topmost); }

void KesloweWindow::showBars(bool toolbar, bool statusBar) {
    bars_.show(toolbar, statusBar);
    layOut();
}

void KesloweWindow::showAbout(const AboutBoxTexts& about) { KesloweAboutDialog(about).show(WindowBase::handle()); }

// Not inside the tree's own notice: the tree goes back once it has ended.
void KesloweWindow::selectInTree(const std::u16string& path) {
    reselectPath_ = path;
    PostMessageW(WindowBase::handle(), private_message::kEditorReselectShown, 0, 0);
}

void KesloweWindow::reloadTree(const std::u16string& path) { treeView_.reload(path, treeView_.selection().path); }

void KesloweWindow::destroy() { destroyWindow(); }

void KesloweWindow::postClose() { PostMessageW(WindowBase::handle(), WM_CLOSE, 0, 0); }

void KesloweWindow::postReport() { PostMessageW(WindowBase::handle(), private_message::kEditorShowReport, 0, 0); }

}  // namespace tarnwick
