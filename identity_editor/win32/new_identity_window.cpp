#include "identity_editor/win32/new_identity_window.h"

#include <commctrl.h>

#include "identity_editor/resources/mirelune_resources.h"
#include "platform/win32/wide.h"

namespace tarnwick {
namespace {

static_assert(IDD_NEW_IDENTITY == kNewIdentityDialogResource);
static_assert(ID_CHOOSER_DELETE == kChooserDeleteFolder);
static_assert(ID_CHOOSER_RENAME == kChooserRenameFolder);

// Room between the chooser's tree, its button and the dialog's edge, in pixels.
constexpr int kChooserGap = 6;

// A child's rectangle in its dialog's client coordinates.
RECT placeOf(HWND dialog, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

NewIdentityWindow::NewIdentityWindow(NewIdentityDialog& rules, CardTree& chooser)
    : rules_(rules),
      chooser_(chooser),
      chooserView_(chooser) {}

bool NewIdentityWindow::show(HWND owner) { return runModal(IDD_NEW_IDENTITY, owner) == IDOK; }

bool NewIdentityWindow::onInitDialog() {
    const HWND dialog = handle();
    banner_.attach(dialog);
    SendMessageW(item(IDC_NEW_IDENTITY_NAME), EM_LIMITTEXT, kIdentityNameMaxChars, 0);
    EnableWindow(item(IDOK), FALSE);
    showProtect();
    // Taken by another program, a key simply does not reach the box.
    for (const DialogHotKey& key : kNewIdentityHotKeys) RegisterHotKey(dialog, key.id, key.modifiers, key.virtualKey);
    SetFocus(item(IDC_NEW_IDENTITY_NAME));
    return false;
}

void NewIdentityWindow::onDestroy() {
    for (const DialogHotKey& key : kNewIdentityHotKeys) UnregisterHotKey(handle(), key.id);
}

std::u16string NewIdentityWindow::typedName() const {
    wchar_t text[kIdentityNameMaxChars + 1] = {};
    GetWindowTextW(item(IDC_NEW_IDENTITY_NAME), text, static_cast<int>(kIdentityNameMaxChars + 1));
    return FromWide(text);
}

void NewIdentityWindow::showProtect() {
    CheckDlgButton(handle(), IDC_PROTECT_NEW_IDENTITY, rules_.protect() ? BST_CHECKED : BST_UNCHECKED);
}

bool NewIdentityWindow::onCommand(int id, int code) {
    switch (id) {
        case IDOK:
            // Enter in the chooser's label edit ends the edit, not the dialog.
            if (!endLabelEdit(false)) accept();
            return true;
        case IDCANCEL:
            if (!endLabelEdit(true)) end(IDCANCEL);
            return true;
        case IDC_NEW_IDENTITY_NAME:
            if (code == EN_CHANGE) EnableWindow(item(IDOK), NewIdentityDialog::okEnabled(typedName()) ? TRUE : FALSE);
            return true;
        case IDC_PROTECT_NEW_IDENTITY:
            if (code == BN_CLICKED &&
                (IsDlgButtonChecked(handle(), IDC_PROTECT_NEW_IDENTITY) == BST_CHECKED) != rules_.protect()) {
                rules_.toggleProtect();
            }
            return true;
        case IDC_CREATE_IN:
            toggleChooser();
            return true;
        case IDC_CHOOSER_NEW_FOLDER:
            newFolder();
            return true;
        case ID_CHOOSER_DELETE:
        case ID_CHOOSER_RENAME:
            chooserCommand(static_cast<unsigned>(id));
            return true;
        default:
            return false;
    }
}

INT_PTR NewIdentityWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_HOTKEY:
            if (rules_.hotKey(static_cast<int>(wParam))) showProtect();
            return TRUE;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (chooserView_.window() != nullptr && chooserView_.onNotify(*reinterpret_cast<NMHDR*>(lParam), result))
                return reply(result);
            return FALSE;
        }
        case WM_PAINT:
            banner_.paint(handle());
            return TRUE;
        default:
            return FALSE;
    }
}

bool NewIdentityWindow::endLabelEdit(bool cancel) {
    if (chooserView_.window() == nullptr || TreeView_GetEditControl(chooserView_.window()) == nullptr) return false;
    TreeView_EndEditLabelNow(chooserView_.window(), cancel ? TRUE : FALSE);
    return true;
}

void NewIdentityWindow::accept() {
    if (chooserShown_) {
        rules_.setChooserFolder(chooserView_.selection().path);
    } else {
        rules_.setChooserFolder(std::nullopt);
    }
    if (rules_.accept(reinterpret_cast<WindowRef>(handle()), typedName())) {
        end(IDOK);
        return;
    }
    // A cancelled password prompt unchecked the box.
    showProtect();
    SetFocus(item(IDC_NEW_IDENTITY_NAME));
}

// "Create In...": the chooser below the controls, the dialog grown to hold
// it; pressed again, hidden and the dialog back to its size.
void NewIdentityWindow::toggleChooser() {
    const HWND dialog = handle();
    if (!chooserShown_ && chooserView_.window() == nullptr) {
        chooserView_.setContextMenu(ChooserContextMenu);
        if (chooserView_.create(dialog, dialog, IDC_CHOOSER_TREE) == nullptr) return;
        chooserView_.selectPath(chooser_.model().rootPath());
        // Tabbing goes from the Create In... button into the tree.
        SetWindowPos(chooserView_.window(), item(IDC_CREATE_IN), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    chooserShown_ = !chooserShown_;
    RECT w{};
    GetWindowRect(dialog, &w);
    const int height = w.bottom - w.top + (chooserShown_ ? kChooserExtraHeight : -kChooserExtraHeight);
    SetWindowPos(dialog, nullptr, 0, 0, w.right - w.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (chooserShown_) placeChooser();
    const int command = chooserShown_ ? SW_SHOW : SW_HIDE;
    ShowWindow(chooserView_.window(), command);
    ShowWindow(item(IDC_CHOOSER_NEW_FOLDER), command);
    if (!chooserShown_ && (GetFocus() == chooserView_.window() || GetFocus() == item(IDC_CHOOSER_NEW_FOLDER)))
        SetFocus(item(IDC_CREATE_IN));
}

// The tree fills the added band from the name edit's left edge to the Cancel
// button's right edge, with the New Folder button under it.
void NewIdentityWindow::placeChooser() {
    const HWND dialog = handle();
    RECT client{};
    GetClientRect(dialog, &client);
    const RECT edit = placeOf(dialog, item(IDC_NEW_IDENTITY_NAME));
    const RECT cancel = placeOf(dialog, item(IDCANCEL));
    const RECT button = placeOf(dialog, item(IDC_CHOOSER_NEW_FOLDER));
    const int buttonHeight = button.bottom - button.top;
    const int top = client.bottom - kChooserExtraHeight;
    const int buttonTop = client.bottom - kChooserGap - buttonHeight;
    MoveWindow(chooserView_.window(), edit.left, top, cancel.right - edit.left, buttonTop - kChooserGap - top, TRUE);
    MoveWindow(item(IDC_CHOOSER_NEW_FOLDER), edit.left, buttonTop, button.right - button.left, buttonHeight, TRUE);
}

void NewIdentityWindow::newFolder() {
    const std::u16string parent = chooserView_.selection().path;
    const auto made = rules_.newFolder(reinterpret_cast<WindowRef>(handle()), parent);
    // The tray has the editors reload; the chooser shows the new folder at once.
    chooserView_.reload(made.value_or(parent), parent);
}

void NewIdentityWindow::chooserCommand(unsigned id) {
    const TreeSelection selected = chooserView_.selection();
    bool ran = false;
    chooserView_.runOperation([&] { ran = RunChooserCommand(chooser_, id, selected); });
    // A deleted or renamed folder is gone: the folder that held it is selected.
    if (ran) chooserView_.reload(selected.path, selected.path);
}

}  // namespace tarnwick
