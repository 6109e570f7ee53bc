#include "passcard_editor/win32/keslowe_bars.h"

#include <commctrl.h>

namespace tarnwick {
namespace {

constexpr int kImageWidth = 16;
constexpr int kImageHeight = 15;

// A button's label as the toolbar draws it: "&&" is one ampersand there too.
std::wstring labelOf(std::u16string_view label) { return std::wstring(label.begin(), label.end()); }

}  // namespace

KesloweBars::KesloweBars(const CommandTable& commands, std::span<const ToolbarSlot> slots)
    : commands_(commands),
      slots_(slots) {}

bool KesloweBars::create(HWND parent, HINSTANCE module, int bitmapId) {
    rebar_ = CreateWindowExW(
        WS_EX_TOOLWINDOW, REBARCLASSNAMEW, nullptr,
        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT | RBS_BANDBORDERS | CCS_NODIVIDER, 0,
        0, 0, 0, parent, nullptr, module, nullptr);
    status_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, parent,
                              nullptr, module, nullptr);
    if (rebar_ == nullptr || status_ == nullptr) return false;
    createToolbar(module, bitmapId);
    return toolbar_ != nullptr;
}

void KesloweBars::createToolbar(HINSTANCE module, int bitmapId) {
    toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TOOLTIPS | CCS_NORESIZE |
                                   CCS_NODIVIDER | CCS_NOPARENTALIGN,
                               0, 0, 0, 0, rebar_, nullptr, module, nullptr);
    if (toolbar_ == nullptr) return;
    // Its commands and tooltip requests go straight to the editor's window.
    SendMessageW(toolbar_, TB_SETPARENT, reinterpret_cast<WPARAM>(GetParent(rebar_)), 0);
    SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(kImageWidth, kImageHeight));
    int images = 0;
    for (const ToolbarSlot& slot : slots_) images += slot.isSeparator() ? 0 : 1;
    TBADDBITMAP bitmap{module, static_cast<UINT_PTR>(bitmapId)};
    SendMessageW(toolbar_, TB_ADDBITMAP, images, reinterpret_cast<LPARAM>(&bitmap));

    labels_.clear();
    for (const ToolbarSlot& slot : slots_) labels_.push_back(labelOf(slot.label));
    std::vector<TBBUTTON> buttons;
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        TBBUTTON button{};
        const auto image = ToolbarImageIndex(slots_, i);
        button.iBitmap = image.value_or(0);
        button.idCommand = static_cast<int>(slots_[i].id);
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = slots_[i].isSeparator() ? BTNS_SEP : BTNS_BUTTON | BTNS_AUTOSIZE;
        button.iString = slots_[i].isSeparator() ? 0 : reinterpret_cast<INT_PTR>(labels_[i].c_str());
        buttons.push_back(button);
    }
    SendMessageW(toolbar_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);

    const DWORD size = static_cast<DWORD>(SendMessageW(toolbar_, TB_GETBUTTONSIZE, 0, 0));
    SIZE ideal{};
    SendMessageW(toolbar_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
    REBARBANDINFOW band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE | RBBIM_IDEALSIZE;
    band.fStyle = RBBS_CHILDEDGE | RBBS_GRIPPERALWAYS;
    band.hwndChild = toolbar_;
    band.cxMinChild = 0;
    band.cyMinChild = HIWORD(size);
    band.cx = ideal.cx;
    band.cxIdeal = ideal.cx;
    SendMessageW(rebar_, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

void KesloweBars::show(bool toolbar, bool statusBar) {
    ShowWindow(rebar_, toolbar ? SW_SHOW : SW_HIDE);
    ShowWindow(status_, statusBar ? SW_SHOW : SW_HIDE);
}

void KesloweBars::resize() {
    SendMessageW(rebar_, WM_SIZE, 0, 0);
    SendMessageW(status_, WM_SIZE, 0, 0);
}

int KesloweBars::height(HWND bar) const {
    RECT bounds{};
    GetWindowRect(bar, &bounds);
    return bounds.bottom - bounds.top;
}

Bands KesloweBars::bands() const {
    return Bands{height(rebar_), IsWindowVisible(rebar_) != FALSE, height(status_), IsWindowVisible(status_) != FALSE};
}

void KesloweBars::applyStates(const std::vector<CommandState>& states) {
    for (const CommandState& state : states) {
        if (SendMessageW(toolbar_, TB_COMMANDTOINDEX, state.id, 0) < 0) continue;
        LPARAM flags = state.enabled ? TBSTATE_ENABLED : 0;
        if (state.checked) flags |= TBSTATE_CHECKED;
        SendMessageW(toolbar_, TB_SETSTATE, state.id, flags);
    }
}

bool KesloweBars::onNotify(const NMHDR& header) {
    if (header.code != TTN_GETDISPINFOW) return false;
    auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    const std::u16string_view tip = commands_.tooltip(static_cast<unsigned>(header.idFrom));
    tooltip_.assign(tip.begin(), tip.end());
    info.lpszText = tooltip_.data();
    return true;
}

void KesloweBars::onMenuSelect(unsigned id, unsigned flags, HMENU menu) {
    const bool closed = flags == 0xFFFF && menu == nullptr;
    const std::u16string_view prompt =
        closed || (flags & (MF_POPUP | MF_SEPARATOR)) != 0 ? std::u16string_view() : commands_.statusPrompt(id);
    const std::wstring text(prompt.begin(), prompt.end());
    SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace tarnwick
