#include "cardtree/win32/card_tree_view.h"

#include <shellapi.h>
#include <windowsx.h>

#include <string>

#include "foundation/win32/win32_message_box.h"
#include "platform/win32/control_hook.h"
#include "platform/win32/private_messages.h"
#include "platform/win32/wide.h"

namespace tarnwick {
namespace {

constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                             TVS_EDITLABELS | TVS_SHOWSELALWAYS;
// The context menu opens only on the item's text and, 20 pixels to its left, its icon.
constexpr int kIconReach = 20;

// The shell's icon of a path in the system's small image list.
int shellIcon(const std::u16string& path, UINT extraFlags) {
    SHFILEINFOW info{};
    SHGetFileInfoW(AsWide(path), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | extraFlags);
    return info.iIcon;
}

// The shell's icon of a kind of entry, without looking at any file: a file
// by its extension, a folder as any folder.
int kindIcon(const wchar_t* name, DWORD attributes, UINT extraFlags) {
    SHFILEINFOW info{};
    SHGetFileInfoW(name, attributes, &info, sizeof info,
                   SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES | extraFlags);
    return info.iIcon;
}

HIMAGELIST systemSmallImages() {
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

}  // namespace

CardTreeView::CardTreeView(CardTree& tree) : cardTree_(tree) {}

CardTreeView::~CardTreeView() {
    // A control that outlives the view gets its own procedure back.
    if (tree_ != nullptr && IsWindow(tree_)) UnhookControl(tree_);
    if (dragImage_ != nullptr) ImageList_Destroy(dragImage_);
    if (font_ != nullptr) DeleteObject(font_);
}

HWND CardTreeView::create(HWND editor, HWND parent, int controlId) {
    editor_ = editor;
    cardTree_.setOwner(reinterpret_cast<WindowRef>(editor));
    tree_ =
        CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"", kTreeStyle, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleW(nullptr), nullptr);
    if (tree_ == nullptr) return nullptr;
    HookControl(tree_,
                [this](UINT message, WPARAM wParam, LPARAM lParam) { return onTreeMessage(message, wParam, lParam); });
    font_ = CreateDialogFont();
    SendMessageW(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    TreeView_SetImageList(tree_, systemSmallImages(), TVSIL_NORMAL);
    cardTree_.model().setRoot();
    rebuild();
    return tree_;
}

template <typename Operation>
void CardTreeView::whileBusy(Operation operation) {
    ++busy_;
    operation();
    // The control may still be inside its own code (ending a label edit): the
    // reload waits for the message queue.
    if (--busy_ == 0 && pendingReload_) PostMessageW(tree_, private_message::kTreeDeferredReload, 0, 0);
}

void CardTreeView::onDeferredReload() {
    if (!pendingReload_ || busy_ > 0 || dragging()) return;
    const auto [path, currentPath] = std::move(*pendingReload_);
    pendingReload_.reset();
    reload(path, currentPath);
}

void CardTreeView::reload(std::u16string_view path, std::u16string_view currentPath) {
    // A drag holds one of the items a reload would free: the reload waits for the drop.
    if (busy_ > 0 || dragging()) {
        pendingReload_.emplace(path, currentPath);
        return;
    }
    // The control lets go of the old items before the model frees them.
    clearItems();
    const TreeItem* item = cardTree_.reload(path, currentPath);
    rebuild();
    SetFocus(tree_);
    if (item != nullptr)
        selectPath(item->kind() == ItemKind::Card ? item->path() + std::u16string(cardTree_.flavour().extension)
                                                  : item->path());
}

void CardTreeView::clearItems() {
    handles_.clear();
    cutHandle_ = nullptr;
    TreeView_DeleteAllItems(tree_);
}

void CardTreeView::rebuild() {
    clearItems();
    const TreeItem* root = cardTree_.model().root();
    if (root == nullptr) return;
    const HTREEITEM handle = insert(*root, TVI_ROOT);
    insertChildren(handle);
    TreeView_Expand(tree_, handle, TVE_EXPAND);
}

HTREEITEM CardTreeView::insert(const TreeItem& item, HTREEITEM parent) {
    TVINSERTSTRUCTW insertion{};
    insertion.hParent = parent;
    insertion.hInsertAfter = TVI_LAST;
    TVITEMW& entry = insertion.item;
    entry.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    entry.pszText = const_cast<wchar_t*>(AsWide(item.text()));
    entry.lParam = reinterpret_cast<LPARAM>(&item);
    // The button and the shell's icons are asked for when the control first
    // needs them (onGetDisplayInfo): a folder of thousands of cards costs no
    // listing and no icon look-up for the items nobody scrolls to.
    entry.cChildren = I_CHILDRENCALLBACK;
    entry.iImage = I_IMAGECALLBACK;
    entry.iSelectedImage = I_IMAGECALLBACK;
    const HTREEITEM handle = TreeView_InsertItem(tree_, &insertion);
    handles_[&item] = handle;
    return handle;
}

void CardTreeView::insertChildren(HTREEITEM handle) {
    TreeItem* item = itemOf(handle);
    if (item == nullptr || TreeView_GetChild(tree_, handle) != nullptr) return;
    cardTree_.model().readChildren(*item);
    for (const auto& child : item->children()) insert(*child, handle);
}

HTREEITEM CardTreeView::handleOf(const TreeItem* item) const {
    const auto found = handles_.find(item);
    return found == handles_.end() ? nullptr : found->second;
}

TreeItem* CardTreeView::itemOf(HTREEITEM handle) const {
    if (handle == nullptr) return nullptr;
    TVITEMW entry{};
    entry.mask = TVIF_PARAM | TVIF_HANDLE;
    entry.hItem = handle;
    if (!TreeView_GetItem(tree_, &entry)) return nullptr;
    return reinterpret_cast<TreeItem*>(entry.lParam);
}

void CardTreeView::selectPath(std::u16string_view path) {
    const TreeItem* target = cardTree_.model().itemAt(path);
    if (target == nullptr) return;
    // Insert and expand the folders on the way down from the root.
    std::vector<const TreeItem*> way;
    for (const TreeItem* item = target; item != nullptr; item = item->parent()) way.insert(way.begin(), item);
    for (std::size_t i = 0; i + 1 < way.size(); ++i) {
        const HTREEITEM handle = handleOf(way[i]);
        insertChildren(handle);
        TreeView_Expand(tree_, handle, TVE_EXPAND);
    }
    TreeView_SelectItem(tree_, handleOf(target));
}

bool CardTreeView::preselectPath(std::u16string_view path) {
    preselecting_ = true;
    selectPath(path);
    preselecting_ = false;
    return TreeView_GetSelection(tree_) != nullptr;
}

TreeSelection CardTreeView::selection() const {
    const TreeItem* item = itemOf(TreeView_GetSelection(tree_));
    if (item == nullptr) item = cardTree_.model().root();
    return item == nullptr ? TreeSelection{ItemKind::Root, cardTree_.model().rootPath()} : item->selection();
}

bool CardTreeView::onCommand(unsigned id) {
    bool handled = false;
    whileBusy([&] {
        handled = cardTree_.runCommand(id, selection());
        if (handled) showCutItem();
    });
    return handled;
}

void CardTreeView::runOperation(const std::function<void()>& operation) {
    whileBusy([&] {
        operation();
        showCutItem();
    });
}

// Cut Folder and Cut card dim the cut item; an open label edit is ended first.
void CardTreeView::showCutItem() {
    const HTREEITEM cut = handleOf(cardTree_.model().cutItem());
    if (cut == cutHandle_) return;
    if (cut != nullptr) TreeView_EndEditLabelNow(tree_, TRUE);
    if (cutHandle_ != nullptr) TreeView_SetItemState(tree_, cutHandle_, 0, TVIS_CUT);
    if (cut != nullptr) TreeView_SetItemState(tree_, cut, TVIS_CUT, TVIS_CUT);
    cutHandle_ = cut;
    InvalidateRect(tree_, nullptr, TRUE);
}

// The selection stays plain to see while the focus is elsewhere (in the form,
// in a dialog): the system's colour for it is nearly the window's own.
LRESULT CardTreeView::onCustomDraw(NMTVCUSTOMDRAW& draw) const {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw.nmcd.uItemState & CDIS_SELECTED) != 0 &&
        GetFocus() != tree_) {
        draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
        draw.clrTextBk = GetSysColor(COLOR_BTNSHADOW);
    }
    return CDRF_DODEFAULT;
}

bool CardTreeView::onNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != tree_) return false;
    result = 0;
    switch (header.code) {
        case NM_CUSTOMDRAW:
            result = onCustomDraw(const_cast<NMTVCUSTOMDRAW&>(reinterpret_cast<const NMTVCUSTOMDRAW&>(header)));
            return true;
        case TVN_GETDISPINFOW:
            onGetDisplayInfo(const_cast<NMTVDISPINFOW&>(reinterpret_cast<const NMTVDISPINFOW&>(header)));
            return true;
        case TVN_ITEMEXPANDINGW:
            onItemExpanding(reinterpret_cast<const NMTREEVIEWW&>(header));
            return true;
        case TVN_ENDLABELEDITW:
            whileBusy([&] { result = onEndLabelEdit(reinterpret_cast<const NMTVDISPINFOW&>(header)); });
            return true;
        case TVN_BEGINDRAGW:
            onBeginDrag(reinterpret_cast<const NMTREEVIEWW&>(header));
            return true;
        default:
            return false;
    }
}

void CardTreeView::onGetDisplayInfo(NMTVDISPINFOW& info) {
    TVITEMW& entry = info.item;
    TreeItem* item = reinterpret_cast<TreeItem*>(entry.lParam);
    if (item == nullptr) return;
    if (entry.mask & TVIF_CHILDREN) entry.cChildren = cardTree_.model().hasButton(*item) ? 1 : 0;
    if (entry.mask & (TVIF_IMAGE | TVIF_SELECTEDIMAGE)) {
        const auto [icon, openIcon] = iconsOf(*item);
        entry.iImage = icon;
        entry.iSelectedImage = openIcon;
    }
    // The control keeps what it was told and does not ask again.
    entry.mask |= TVIF_DI_SETITEM;
}

// The shell's icons of an item's path. Looking a path up costs the shell a
// search for the folder's desktop.ini, so what is the same for every item of a
// kind is looked up once: a card file's icon comes from its type (the programs
// register no icon of a card's own), and a folder that is neither system nor
// read-only shows the plain folder icons (the shell reads desktop.ini only
// for those that are).
std::pair<int, int> CardTreeView::iconsOf(const TreeItem& item) {
    if (item.kind() == ItemKind::Card) {
        if (!cardIcon_) {
            const std::u16string name = u"card" + std::u16string(cardTree_.flavour().extension);
            cardIcon_ = kindIcon(AsWide(name), FILE_ATTRIBUTE_NORMAL, 0);
        }
        return {*cardIcon_, *cardIcon_};
    }
    const std::u16string path = item.path();
    const DWORD attributes = GetFileAttributesW(AsWide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY)))
        return {shellIcon(path, 0), shellIcon(path, SHGFI_OPENICON)};
    if (!folderIcons_) {
        folderIcons_.emplace(kindIcon(L"folder", FILE_ATTRIBUTE_DIRECTORY, 0),
                             kindIcon(L"folder", FILE_ATTRIBUTE_DIRECTORY, SHGFI_OPENICON));
    }
    return *folderIcons_;
}

void CardTreeView::onItemExpanding(const NMTREEVIEWW& info) {
    if (info.action & TVE_EXPAND) insertChildren(info.itemNew.hItem);
}

// In-place rename: the label takes the new name only when the item was renamed on disk.
LRESULT CardTreeView::onEndLabelEdit(const NMTVDISPINFOW& info) {
    TreeItem* item = itemOf(info.item.hItem);
    // A box shown below takes the focus from the edit, and some tree views then
    // end the same edit a second time: that one is the first one's.
    if (item == nullptr || info.item.pszText == nullptr || endingLabelEdit_) return FALSE;
    endingLabelEdit_ = true;
    const auto renamed = cardTree_.renameInPlace(item->selection(), FromWide(info.item.pszText));
    endingLabelEdit_ = false;
    if (!renamed) return FALSE;
    TVITEMW entry{};
    entry.mask = TVIF_TEXT | TVIF_HANDLE;
    entry.hItem = info.item.hItem;
    entry.pszText = const_cast<wchar_t*>(AsWide(item->text()));
    TreeView_SetItem(tree_, &entry);
    return FALSE;
}

// Drag and drop: a folder or card dragged onto another folder.
void CardTreeView::onBeginDrag(const NMTREEVIEWW& info) {
    dragged_ = info.itemNew.hItem;
    dragImage_ = TreeView_CreateDragImage(tree_, dragged_);
    if (dragImage_ != nullptr) {
        ImageList_BeginDrag(dragImage_, 0, 0, 0);
        ImageList_DragEnter(tree_, info.ptDrag.x, info.ptDrag.y);
    }
    SetCapture(tree_);
}

HTREEITEM CardTreeView::dropTargetAt(POINT point) const {
    TVHITTESTINFO hit{};
    hit.pt = point;
    const HTREEITEM handle = TreeView_HitTest(tree_, &hit);
    const TreeItem* target = itemOf(handle);
    const TreeItem* dragged = itemOf(dragged_);
    if (target == nullptr || dragged == nullptr) return nullptr;
    return cardTree_.canDrop(dragged->selection(), target->selection()) ? handle : nullptr;
}

void CardTreeView::onDragMove(POINT point) {
    ImageList_DragShowNolock(FALSE);
    showDropTarget(dropTargetAt(point));
    ImageList_DragShowNolock(TRUE);
    ImageList_DragMove(point.x, point.y);
}

void CardTreeView::showDropTarget(HTREEITEM target) {
    // Some tree views keep the drop mark when asked for no target at all.
    const HTREEITEM shown = TreeView_GetDropHilight(tree_);
    if (target == nullptr && shown != nullptr) TreeView_SetItemState(tree_, shown, 0, TVIS_DROPHILITED);
    TreeView_SelectDropTarget(tree_, target);
}

void CardTreeView::onDrop(POINT point) {
    const HTREEITEM target = dropTargetAt(point);
    const HTREEITEM dragged = dragged_;
    endDrag();
    if (target != nullptr) cardTree_.dropOnto(itemOf(dragged)->selection(), itemOf(target)->selection());
    TreeView_SelectItem(tree_, dragged);
}

void CardTreeView::endDrag() {
    dragged_ = nullptr;
    if (pendingReload_ && busy_ == 0) PostMessageW(tree_, private_message::kTreeDeferredReload, 0, 0);
    if (dragImage_ != nullptr) {
        ImageList_DragLeave(tree_);
        ImageList_EndDrag();
        ImageList_Destroy(dragImage_);
        dragImage_ = nullptr;
    }
    showDropTarget(nullptr);
    if (GetCapture() == tree_) ReleaseCapture();
}

// The context menu, on the right button.
void CardTreeView::onRightButtonDown(POINT point) {
    SetFocus(tree_);
    TVHITTESTINFO hit{};
    hit.pt = point;
    const HTREEITEM clicked = TreeView_HitTest(tree_, &hit);
    if (clicked != nullptr && clicked != TreeView_GetSelection(tree_)) TreeView_SelectItem(tree_, clicked);
    const HTREEITEM selected = TreeView_GetSelection(tree_);
    RECT reach{};
    if (selected == nullptr || !TreeView_GetItemRect(tree_, selected, &reach, TRUE)) return;
    reach.left -= kIconReach;
    if (!PtInRect(&reach, point)) return;
    if (const TreeItem* item = itemOf(selected)) {
        POINT screen = point;
        ClientToScreen(tree_, &screen);
        showContextMenu(*item, screen);
    }
}

void CardTreeView::showContextMenu(const TreeItem& item, POINT screenPoint) {
    const TreeContextMenu description = menuFor_ ? menuFor_(item.kind()) : cardTree_.contextMenuFor(item.kind());
    if (description.entries.empty()) return;
    HMENU menu = CreatePopupMenu();
    for (const MenuEntry& entry : description.entries) {
        if (entry.id == 0) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::u16string text(entry.text);
        AppendMenuW(menu, MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED), entry.id, AsWide(text));
    }
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, editor_, nullptr);
    DestroyMenu(menu);
}

std::optional<LRESULT> CardTreeView::onTreeMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_RBUTTONDOWN:
            whileBusy([&] { onRightButtonDown(point); });
            return 0;
        case WM_MOUSEMOVE:
            if (dragging()) {
                onDragMove(point);
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            if (dragging()) {
                whileBusy([&] { onDrop(point); });
                return 0;
            }
            break;
        case private_message::kTreeDeferredReload:
            onDeferredReload();
            return 0;
        case WM_KEYDOWN:
            if (dragging() && wParam == VK_ESCAPE) {
                endDrag();
                return 0;
            }
            break;
        case WM_CAPTURECHANGED:
            if (dragging() && reinterpret_cast<HWND>(lParam) != tree_) endDrag();
            break;
        default:
            break;
    }
    return std::nullopt;
}

}  // namespace tarnwick
