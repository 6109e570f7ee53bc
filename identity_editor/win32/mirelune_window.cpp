#include "identity_editor/win32/mirelune_window.h"

#include <commctrl.h>

#include "cardtree/tree_flavour.h"
#include "cardtree/tree_path.h"
#include "editor_common/about_box.h"
#include "editor_common/editor_traits.h"
#include "foundation/option_store.h"
#include "foundation/secret_text.h"
#include "identity_editor/identity_commands.h"
#include "identity_editor/resources/mirelune_resources.h"
#include "identity_editor/new_identity_dialog.h"
#include "identity_editor/win32/new_identity_window.h"
#include "platform/win32/private_messages.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_windows.h"
#include "platform/win32/window_layout.h"

namespace tarnwick {
namespace {

// The resource header and the command table name the same commands.
static_assert(ID_IDENTITY_NEW == identity_command::kNew);
static_assert(ID_IDENTITY_SAVE == common_command::kSave);
static_assert(ID_IDENTITY_SAVE_AND_CLOSE == identity_command::kSaveAndClose);
static_assert(ID_APP_EXIT == common_command::kExit);
static_assert(ID_EDIT_RESET == identity_command::kReset);
static_assert(ID_EDIT_ADD_CUSTOM_FIELD == identity_command::kAddCustomField);
static_assert(ID_EDIT_DELETE_CUSTOM_FIELD == identity_command::kDeleteCustomField);
static_assert(ID_EDIT_COPY_IDENTITY == identity_command::kCopy);
static_assert(ID_VIEW_ALWAYS_ON_TOP == identity_command::kAlwaysOnTop);
static_assert(ID_TOOLS_PASSCARD_EDITOR == identity_command::kPasscardEditor);
static_assert(ID_APP_ABOUT == common_command::kAbout);
static_assert(ID_VIEW_TOOLBAR == common_command::kToolbar);
static_assert(ID_VIEW_STATUS_BAR == common_command::kStatusBar);

constexpr int kTreeId = 100;
constexpr int kTabsId = 101;
constexpr int kFormId = 102;
constexpr int kStatusBarId = 103;
constexpr int kToolbarId = 104;
constexpr int kToolbarImageCount = 5;
constexpr int kSplitterBarWidth = 4;
constexpr int kFindBoxId = 41303;

HINSTANCE module() { return GetModuleHandleW(nullptr); }

// A command's string: "prompt\ntooltip" (the prompt again when there is no line feed).
std::wstring commandString(UINT id, bool tooltip) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return {};
    const std::wstring whole(text, static_cast<std::size_t>(length));
    const std::size_t separator = whole.find(L'\n');
    if (separator == std::wstring::npos) return whole;
    return tooltip ? whole.substr(separator + 1) : whole.substr(0, separator);
}

bool isTextBox(HWND window) {
    wchar_t name[16] = {};
    return window != nullptr && GetClassNameW(window, name, 16) > 0 && lstrcmpiW(name, L"Edit") == 0;
}

// New, Save and Find are the only accelerators with a handler; the others must
// not take the clipboard and undo keys from a text box.
bool belongsToTextBox(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    if (!isTextBox(message.hwnd)) return false;
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (message.wParam == VK_F3 && !control && !alt) return false;
    return !(control && !alt && !shift && (message.wParam == 'N' || message.wParam == 'S' || message.wParam == 'F'));
}

INT_PTR CALLBACK aboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        CentreOnOwner(dialog);
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

MireluneWindow::MireluneWindow(MirelunePorts ports)
    : ports_(ports),
      record_(ports.profile, ports.prompts),
      session_(ports.profile.userFolder(), record_, ports.prompts),
      tree_(IdentityTreeFlavour(), ports.profile.userFolder(), clipboard_,
            CardTreePorts{NativeFileSystem(), ports.prompts, ports.signals, ports.launcher}),
      treeView_(tree_),
      find_(tree_, treeView_),
      launches_(IdentityEditorTraits(), ports.profile, ports.signals, ports.launcher),
      alwaysOnTop_(ports.profile.options(), option_key::kIdentityEditorOnTop, AlwaysOnTopSetting::Read::Quietly),
      splitter_(IdentityEditorTraits().minimumPaneWidth, kSplitterBarWidth),
      splitterDrag_(splitter_, kSplitterBarWidth, [this] { layOut(); }) {
    // The tree asks the session before it moves, renames or deletes the card on show.
    tree_.setGuard(&session_);
}

MireluneWindow::~MireluneWindow() { destroyWindow(); }

WindowRef MireluneWindow::self() const { return ToWindowRef(handle()); }

bool MireluneWindow::create(const FirstSelection& first, int showCommand) {
    // The tree names a card without its extension.
    const std::u16string_view extension = IdentityTreeFlavour().extension;
    firstPath_ =
        IsCardFileName(first.path, extension) ? first.path.substr(0, first.path.size() - extension.size()) : first.path;
    const Rect place = InitialWindowRect(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                         IdentityEditorTraits().placement);
    HICON icon = LoadIconW(module(), MAKEINTRESOURCEW(IDI_PROGRAM));
    if (!createWindow({.name = IdentityEditorTraits().windowClass, .icon = icon, .smallIcon = icon},
                      {.title = IdentityEditorTraits().title,
                       .style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                       .x = place.left,
                       .y = place.top,
                       .width = place.width,
                       .height = place.height,
                       .menu = LoadMenuW(module(), MAKEINTRESOURCEW(IDR_MAINFRAME))})) {
        return false;
    }
    accelerators_ = LoadAcceleratorsW(module(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    keepChildFocus(treeView_.window());
    const bool preselected = treeView_.preselectPath(firstPath_);
    ShowWindow(handle(), showCommand);
    UpdateWindow(handle());
    // Loaded once the window shows: a password asked for has the editor behind it.
    if (preselected) onSelectionChanged();
    SetFocus(treeView_.window());
    return true;
}

bool MireluneWindow::translateAccelerator(MSG& message) const {
    if (accelerators_ != nullptr && !belongsToTextBox(message) &&
        TranslateAcceleratorW(handle(), accelerators_, &message))
        return true;
    // Tab between the panes, and F6 in a text box, which keeps the accelerators from it.
    return panes_.translate(message);
}

bool MireluneWindow::onCreate() {
    // Only on major version 6, which the signals check themselves.
    ports_.signals.AllowCopyDataFromLowerIntegrity();
    if (alwaysOnTop_.on()) SetTopmost(handle(), true);
    return createChildren();
}

bool MireluneWindow::createChildren() {
    createToolbar();
    statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, handle(),
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusBarId)), module(), nullptr);
    if (treeView_.create(handle(), handle(), kTreeId) == nullptr) return false;
    find_.create(handle(), kFindBoxId, [this] { layOut(); });
    tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, handle(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTabsId)), module(), nullptr);
    SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    for (int tab = 0; tab < kIdentityTabCount; ++tab) {
        std::u16string title = MessageCatalogue::Instance().Lookup(kIdentityTabTitleKeys[tab]);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(AsWide(title));
        SendMessageW(tabs_, TCM_INSERTITEMW, tab, reinterpret_cast<LPARAM>(&item));
    }
    // Some tab views start with no focused tab, and the arrow keys then move nowhere.
    SendMessageW(tabs_, TCM_SETCURFOCUS, 0, 0);
    const RECT none{0, 0, 0, 0};
    if (!form_.create(handle(), kFormId, none)) return false;
    SetWindowPos(form_.handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    form_.setHost(this);
    form_.onDocumentComplete([this] { onPageComplete(); });
    if (!form_.loadResource(module(), IDR_FORM_PAGE)) return false;
    identityView_.emplace(form_.document());
    // Read once at start, like the Passcard Editor's; absent is off.
    identityView_->showPasswordsAsStars(ports_.profile.options().ShowPassword() != 0);
    EnableWindow(form_.handle(), FALSE);
    panes_.addPane(treeView_.window());
    panes_.addPane(tabs_);
    panes_.addForm(form_);
    RECT client{};
    GetClientRect(handle(), &client);
    splitter_.start(client.right);
    layOut();
    updateCommands();
    return true;
}

// List-style buttons with their texts beside the images, separators between the groups.
void MireluneWindow::createToolbar() {
    toolbar_ = CreateWindowExW(
        0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS | CCS_TOP,
        0, 0, 0, 0, handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kToolbarId)), module(), nullptr);
    if (toolbar_ == nullptr) return;
    SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    SendMessageW(toolbar_, TB_SETBITMAPSIZE, 0, MAKELONG(16, 15));
    TBADDBITMAP bitmap{module(), IDR_MAINFRAME};
    SendMessageW(toolbar_, TB_ADDBITMAP, kToolbarImageCount, reinterpret_cast<LPARAM>(&bitmap));
    const auto slots = IdentityToolbar();
    for (std::size_t index = 0; index < slots.size(); ++index) {
        TBBUTTON button{};
        if (slots[index].isSeparator()) {
            button.fsStyle = BTNS_SEP;
        } else {
            // A text of its own, ended by two zeros as the toolbar wants.
            std::u16string text(slots[index].label);
            text.append(2, u'\0');
            button.iBitmap = ToolbarImageIndex(slots, index).value_or(0);
            button.idCommand = static_cast<int>(slots[index].id);
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
            button.iString = SendMessageW(toolbar_, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        SendMessageW(toolbar_, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
}

void MireluneWindow::toggleBar(HWND bar) {
    if (bar == nullptr) return;
    ShowWindow(bar, IsWindowVisible(bar) ? SW_HIDE : SW_SHOW);
    layOut();
}

void MireluneWindow::onDestroy() {
    // The copied card does not outlive the editor.
    secretClipboard_.clearIfOurs(handle());
    PostQuitMessage(0);
}

void MireluneWindow::onTimer(UINT_PTR id) {
    if (!secretClipboard_.onTimer(handle(), id)) WindowBase::onTimer(id);
}

bool MireluneWindow::onClose() {
    if (session_.mayClose(self())) destroyWindow();
    return true;
}

void MireluneWindow::onSize(int width, int) {
    if (statusBar_ != nullptr) SendMessageW(statusBar_, WM_SIZE, 0, 0);
    if (toolbar_ != nullptr) SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    splitter_.resize(width);
    layOut();
}

void MireluneWindow::layOut() {
    if (tabs_ == nullptr) return;
    RECT client{};
    GetClientRect(handle(), &client);
    Bands bands;
    bands.toolbarVisible = toolbar_ != nullptr && IsWindowVisible(toolbar_);
    if (bands.toolbarVisible) {
        RECT bar{};
        GetWindowRect(toolbar_, &bar);
        bands.toolbarHeight = bar.bottom - bar.top;
    }
    RECT status{};
    if (statusBar_ != nullptr && IsWindowVisible(statusBar_)) {
        GetWindowRect(statusBar_, &status);
        bands.statusBarHeight = status.bottom - status.top;
    }
    bands.statusBarVisible = statusBar_ != nullptr && IsWindowVisible(statusBar_);
    const Rect area = SplitterArea(client.right, client.bottom, bands);
    Rect left = splitter_.leftPane(area.top, area.height);
    find_.carve(left);
    const Rect right = splitter_.rightPane(area.top, area.height);
    MoveWindow(treeView_.window(), left.left, left.top, left.width, left.height, TRUE);
    MoveWindow(tabs_, right.left, right.top, right.width, right.height, TRUE);
    RECT page{right.left, right.top, right.left + right.width, right.top + right.height};
    TabCtrl_AdjustRect(tabs_, FALSE, &page);
    MoveWindow(form_.handle(), page.left, page.top, page.right - page.left, page.bottom - page.top, TRUE);
}

void MireluneWindow::onPageComplete() {
    session_.pageLoaded(*identityView_);
    showSummaryTab();
    EnableWindow(form_.handle(), session_.formEnabled() ? TRUE : FALSE);
    updateCommands();
}

void MireluneWindow::onUserEdit(htmlform::Element&) {
    session_.markModified();
    updateCommands();
}

void MireluneWindow::onSelectionChanged() {
    if (treeView_.dragging() || treeView_.preselecting()) return;
    // A reload request that arrives while this selection's boxes are open waits for them.
    treeView_.runOperation([&] { carryOut(session_.selectionChanged(treeView_.selection(), self())); });
}

void MireluneWindow::carryOut(const SelectionOutcome& outcome) {
    if (outcome.kind == SelectionOutcome::Kind::Reload) treeView_.reload(outcome.path, outcome.path);
    if (outcome.kind == SelectionOutcome::Kind::Shown) showSummaryTab();
    if (outcome.kind == SelectionOutcome::Kind::BackToShown && !outcome.path.empty()) {
        // Not inside the tree's own notification: the tree goes back once it has ended.
        reselectPath_ = outcome.path;
        PostMessageW(handle(), private_message::kEditorReselectShown, 0, 0);
    }
    EnableWindow(form_.handle(), session_.formEnabled() ? TRUE : FALSE);
    updateCommands();
}

void MireluneWindow::showSummaryTab() { SendMessageW(tabs_, TCM_SETCURSEL, 0, 0); }

void MireluneWindow::onTabChanged() {
    const auto tab = static_cast<int>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0));
    if (tab >= 0 && tab < kIdentityTabCount) {
        // A tab hides and shows several tables: the page is laid out once, for all of them.
        const auto hold = form_.holdUpdates();
        session_.tabActivated(static_cast<IdentityTab>(tab));
    }
    updateCommands();
}

bool MireluneWindow::onCommand(int id, int, HWND control) {
    if (control != nullptr && control != treeView_.window() && control != toolbar_) return false;
    const auto command = static_cast<unsigned>(id);
    switch (command) {
        case ID_IDENTITY_NEW:
            newIdentity();
            break;
        case ID_IDENTITY_SAVE:
            session_.saveCommand(self());
            break;
        case ID_IDENTITY_SAVE_AND_CLOSE:
            if (session_.saveAndClose(self())) destroyWindow();
            return true;
        case ID_APP_EXIT:
            PostMessageW(handle(), WM_CLOSE, 0, 0);
            break;
        case ID_EDIT_RESET:
            session_.reset(self());
            if (!session_.modified()) showSummaryTab();
            break;
        case ID_EDIT_PROTECTED:
            carryOut(session_.toggleProtection(self()));
            break;
        case ID_EDIT_ADD_CUSTOM_FIELD:
            session_.addCustomField();
            break;
        case ID_EDIT_DELETE_CUSTOM_FIELD:
            session_.deleteCustomField(self());
            break;
        case ID_EDIT_COPY_IDENTITY:
            copyCard();
            break;
        case ID_VIEW_ALWAYS_ON_TOP:
            toggleAlwaysOnTop();
            break;
        case ID_VIEW_TOOLBAR:
            toggleBar(toolbar_);
            break;
        case ID_VIEW_STATUS_BAR:
            toggleBar(statusBar_);
            break;
        case ID_TOOLS_PASSCARD_EDITOR:
            launches_.startOtherEditor(self());
            break;
        case ID_APP_ABOUT:
            showAbout();
            break;
        case ID_EDIT_FIND:
            find_.open();
            break;
        case ID_EDIT_FIND_NEXT:
        case ID_EDIT_FIND_PREVIOUS:
            find_.findNext(command == ID_EDIT_FIND_NEXT);
            break;
        case ID_NEXT_PANE:
        case ID_PREV_PANE:
            panes_.cycle(command == ID_PREV_PANE);
            break;
        default:
            if (launches_.openVendorPage(command, self())) break;
            // A card renamed, moved or deleted under the form is saved first
            // by the tree's guard, the session.
            treeView_.onCommand(command);
            break;
    }
    updateCommands();
    return true;
}

bool MireluneWindow::onNotify(const NMHDR& header, LRESULT& result) {
    result = 0;
    if (treeView_.onNotify(header, result)) return true;
    if (header.code == TTN_GETDISPINFOW)
        return onTooltip(const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header)));
    if (header.hwndFrom == treeView_.window() && header.code == TVN_SELCHANGEDW) onSelectionChanged();
    if (header.hwndFrom == tabs_ && header.code == static_cast<UINT>(TCN_SELCHANGE)) onTabChanged();
    return true;
}

LRESULT MireluneWindow::onCopyData(HWND, const COPYDATASTRUCT* data) {
    if (data == nullptr) return 0;
    return HandleEditorCopyData(data->dwData, data->cbData, data->lpData, *this);
}

LRESULT MireluneWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MENUSELECT) onMenuSelect(LOWORD(wParam), HIWORD(wParam));
    if (message == private_message::kEditorReselectShown) {
        reselectShown();
        return 0;
    }
    if (message == private_message::kEditorShowReport) {
        session_.showPendingReport(self());
        return 0;
    }
    if (message == WM_QUERYENDSESSION) return onQueryEndSession();
    if (message == WM_ENDSESSION) {
        // The session ends now: a last silent save of what is still unsaved,
        // and no copied card left behind.
        if (wParam != 0) {
            session_.closeWithoutAsking();
            secretClipboard_.clearIfOurs(handle());
        }
        return 0;
    }
    if (LRESULT result = 0; splitterDrag_.onMessage(handle(), message, wParam, lParam, result)) return result;
    return WindowBase::onMessage(message, wParam, lParam);
}

void MireluneWindow::reloadAndSelect(const std::u16string& path) { treeView_.reload(path, treeView_.selection().path); }

// Copy-data 1: the card is saved without asking before the sender has its
// answer; one that cannot be keeps the window open, and the failure is shown after.
void MireluneWindow::closeWithoutAsking() {
    PostMessageW(handle(), session_.closeWithoutAsking() ? WM_CLOSE : private_message::kEditorShowReport, 0, 0);
}

// Copy-data 2, the tray program's lock: the password goes, the card and its edits stay.
void MireluneWindow::forgetPrimaryPassword() { session_.forgetPrimaryPassword(); }

// Logoff or shutdown: the same silent save; a failure keeps the session from ending.
LRESULT MireluneWindow::onQueryEndSession() {
    if (session_.closeWithoutAsking()) return TRUE;
    PostMessageW(handle(), private_message::kEditorShowReport, 0, 0);
    return FALSE;
}

void MireluneWindow::toggleAlwaysOnTop() { SetTopmost(handle(), alwaysOnTop_.toggle()); }

// The tree selects the item the form still shows; the session already holds it.
void MireluneWindow::reselectShown() {
    if (reselectPath_.empty()) return;
    treeView_.selectPath(reselectPath_);
    reselectPath_.clear();
    updateCommands();
}

// New Identity: the dialog makes and announces the card; the tree shows it
// selected without waiting for the tray's reload.
void MireluneWindow::newIdentity() {
    IdentityRecord newCard(ports_.profile, ports_.prompts);
    NewIdentityDialog rules(ports_.profile, newCard, ports_.signals);
    EditorClipboard chooserClipboard;
    CardTree chooser(IdentityTreeFlavour(), ports_.profile.userFolder(), chooserClipboard,
                     CardTreePorts{NativeFileSystem(), ports_.prompts, ports_.signals, ports_.launcher});
    chooser.model().setShowCards(false);
    NewIdentityWindow dialog(rules, chooser);
    if (!dialog.show(handle())) return;
    treeView_.reload(rules.createdPath(), session_.currentPath());
}

void MireluneWindow::copyCard() {
    std::u16string text = session_.clipboardText();
    const WipeOnExit wipe(text);
    secretClipboard_.put(handle(), text, ClipboardSeconds(ports_.profile.options()));
}

void MireluneWindow::showAbout() { DialogBoxParamW(module(), MAKEINTRESOURCEW(IDD_ABOUT), handle(), aboutProc, 0); }

// The status bar shows the prompt of the menu item under the mouse.
void MireluneWindow::onMenuSelect(UINT id, UINT flags) {
    if (statusBar_ == nullptr) return;
    const bool closed = flags == 0xFFFF;
    const std::wstring prompt = closed || (flags & MF_POPUP) ? L"" : commandString(id, false);
    SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(prompt.c_str()));
}

// A toolbar button's tooltip, from the command's string.
bool MireluneWindow::onTooltip(NMTTDISPINFOW& info) {
    tooltip_ = commandString(static_cast<UINT>(info.hdr.idFrom), true);
    info.lpszText = tooltip_.data();
    info.hinst = nullptr;
    return true;
}

void MireluneWindow::updateCommands() {
    HMENU menu = GetMenu(handle());
    if (menu == nullptr) return;
    EditorViewState state = session_.viewState();
    state.alwaysOnTop = alwaysOnTop_.on();
    state.toolbarShown = toolbar_ != nullptr && IsWindowVisible(toolbar_);
    state.statusBarShown = statusBar_ != nullptr && IsWindowVisible(statusBar_);
    for (const CommandState& command : IdentityCommands().statesOf(state)) {
        EnableMenuItem(menu, command.id, MF_BYCOMMAND | (command.enabled ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(menu, command.id, MF_BYCOMMAND | (command.checked ? MF_CHECKED : MF_UNCHECKED));
        if (toolbar_ == nullptr) continue;
        SendMessageW(toolbar_, TB_ENABLEBUTTON, command.id, MAKELONG(command.enabled ? TRUE : FALSE, 0));
        SendMessageW(toolbar_, TB_CHECKBUTTON, command.id, MAKELONG(command.checked ? TRUE : FALSE, 0));
    }
}

}  // namespace tarnwick
