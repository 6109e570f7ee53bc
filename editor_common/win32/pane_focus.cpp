#include "editor_common/win32/pane_focus.h"

#include <memory>

#include "editor_common/pane_order.h"

namespace tarnwick {
namespace {

bool held(int key) { return GetKeyState(key) < 0; }

}  // namespace

void PaneFocus::addPane(HWND pane) { panes_.push_back({pane, nullptr}); }

void PaneFocus::addForm(FormView& form) {
    panes_.push_back({form.handle(), &form});
    const HWND pane = form.handle();
    form.onTabOut([this, pane](bool backwards) { moveFrom(pane, backwards, true); });
}

int PaneFocus::paneOf(HWND window) const {
    for (std::size_t index = 0; index < panes_.size(); ++index) {
        const HWND pane = panes_[index].window;
        if (pane != nullptr && (window == pane || IsChild(pane, window))) return static_cast<int>(index);
    }
    return -1;
}

bool PaneFocus::translate(const MSG& message) const {
    if (message.message != WM_KEYDOWN || panes_.empty()) return false;
    if (message.wParam != VK_TAB && message.wParam != VK_F6) return false;
    if (held(VK_CONTROL) || held(VK_MENU)) return false;
    // Keys of the window's own controls only, not of a box or another window of the thread.
    const HWND frame = GetAncestor(panes_.front().window, GA_ROOT);
    if (message.hwnd == nullptr || GetAncestor(message.hwnd, GA_ROOT) != frame) return false;
    const bool backwards = held(VK_SHIFT);
    if (message.wParam == VK_F6) {
        moveFrom(message.hwnd, backwards, false);
        return true;
    }
    // Tab: the form handles its own; in the other panes only the pane itself
    // (not, say, the box a tree label is being edited in) leaves on Tab.
    const int pane = paneOf(message.hwnd);
    if (pane < 0 || panes_[static_cast<std::size_t>(pane)].form != nullptr) return false;
    if (message.hwnd != panes_[static_cast<std::size_t>(pane)].window) return false;
    moveFrom(message.hwnd, backwards, true);
    return true;
}

void PaneFocus::moveFrom(HWND focus, bool backwards, bool tabbing) const {
    // Not a vector<bool>: NextPane takes a span of bool.
    const auto open = std::make_unique<bool[]>(panes_.size());
    for (std::size_t index = 0; index < panes_.size(); ++index)
        open[index] = IsWindowVisible(panes_[index].window) && IsWindowEnabled(panes_[index].window);
    const int current = paneOf(focus);
    std::optional<std::size_t> from;
    if (current >= 0) from = static_cast<std::size_t>(current);
    const auto next = NextPane(std::span<const bool>(open.get(), panes_.size()), from, backwards);
    if (!next) return;
    const Pane& target = panes_[*next];
    if (target.form != nullptr) {
        target.form->focusEnd(tabbing && backwards);
    } else {
        SetFocus(target.window);
    }
}

}  // namespace tarnwick
