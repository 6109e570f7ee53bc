#include "search/win32/tree_find.h"

#include <commctrl.h>

#include <optional>

#include "foundation/primary_password.h"
#include "platform/win32/control_hook.h"
#include "platform/win32/wide.h"
#include "search/library_finder.h"

namespace tarnwick {
namespace {

// Room around the text inside the box's border.
constexpr int kBoxPadding = 8;
// A search text longer than any card's name or value is no search.
constexpr WPARAM kBoxChars = 1024;

bool shiftDown() { return GetKeyState(VK_SHIFT) < 0; }

}  // namespace

void TreeFind::create(HWND parent, int controlId, std::function<void()> relayout) {
    relayout_ = std::move(relayout);
    box_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", nullptr, WS_CHILD | WS_CLIPSIBLINGS | ES_AUTOHSCROLL, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), GetModuleHandleW(nullptr),
                           nullptr);
    if (box_ == nullptr) return;
    SendMessageW(box_, EM_SETLIMITTEXT, kBoxChars, 0);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(view_.window(), WM_GETFONT, 0, 0));
    if (font != nullptr) SendMessageW(box_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    TEXTMETRICW metrics{};
    HDC dc = GetDC(box_);
    HGDIOBJ old = SelectObject(dc, font != nullptr ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(box_, dc);
    height_ = metrics.tmHeight + kBoxPadding;
    HookControl(box_, [this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_KEYDOWN && onKey(wParam)) return 0;
        // The characters of Enter and Escape would only beep in a one-line box.
        if (message == WM_CHAR && (wParam == L'\r' || wParam == L'\n' || wParam == 0x1B)) return 0;
        return std::nullopt;
    });
}

void TreeFind::open() {
    if (box_ == nullptr) return;
    if (!isOpen()) {
        ShowWindow(box_, SW_SHOW);
        if (relayout_) relayout_();
    }
    SendMessageW(box_, EM_SETSEL, 0, -1);
    SetFocus(box_);
}

void TreeFind::close() {
    if (!isOpen()) return;
    ShowWindow(box_, SW_HIDE);
    if (relayout_) relayout_();
    SetFocus(view_.window());
}

void TreeFind::findNext(bool forward) {
    const std::u16string wanted = text();
    if (wanted.empty()) {
        open();
        return;
    }
    LibraryFinder finder(NativeFileSystem(), tree_.model().rootPath(), tree_.flavour().extension);
    const std::optional<std::u16string> found =
        finder.next(wanted, view_.selection().path, forward, {.openProtected = HasCurrentPrimaryPassword()});
    if (!found) {
        MessageBeep(MB_ICONASTERISK);
        return;
    }
    view_.selectPath(*found);
}

void TreeFind::carve(Rect& treePane) const {
    if (!isOpen()) return;
    const int height = height_ < treePane.height ? height_ : treePane.height;
    MoveWindow(box_, treePane.left, treePane.top, treePane.width, height, TRUE);
    treePane.top += height;
    treePane.height -= height;
}

std::u16string TreeFind::text() const {
    if (box_ == nullptr) return {};
    const int capacity = GetWindowTextLengthW(box_) + 1;
    std::wstring text(static_cast<std::size_t>(capacity), L'\0');
    const int length = GetWindowTextW(box_, text.data(), capacity);
    return FromWide(text.c_str(), static_cast<std::size_t>(length > 0 ? length : 0));
}

bool TreeFind::onKey(WPARAM key) {
    switch (key) {
        case VK_RETURN:
        case VK_F3:
            findNext(!shiftDown());
            return true;
        case VK_ESCAPE:
            close();
            return true;
        default:
            return false;
    }
}

}  // namespace tarnwick
