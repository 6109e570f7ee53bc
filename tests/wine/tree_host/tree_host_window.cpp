#include "tests/wine/tree_host/tree_host_window.h"

#include "foundation/toolbar_contract.h"
#include "platform/win32/win32_windows.h"

namespace tarnwick {
namespace {

constexpr int kTreeControlId = 100;

std::u16string_view classOf(const TreeFlavour& flavour) {
    return flavour.cardKind == CardKind::Identity ? window_class::kIdentityEditor : window_class::kPasscardEditor;
}

}  // namespace

TreeHostWindow::TreeHostWindow(const TreeFlavour& flavour, std::u16string rootPath, CardTreePorts ports,
                               const MessageCatalogue& catalogue)
    : flavour_(flavour),
      tree_(flavour, std::move(rootPath), clipboard_, ports, catalogue),
      view_(tree_) {}

TreeHostWindow::~TreeHostWindow() { destroyWindow(); }

bool TreeHostWindow::create(DWORD style) {
    if (!createWindow({.name = classOf(flavour_)},
                      {.title = u"Library", .style = style, .x = 0, .y = 0, .width = 400, .height = 500})) {
        return false;
    }
    ShowWindow(handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(handle());
    return view_.window() != nullptr;
}

bool TreeHostWindow::onCreate() {
    view_.create(handle(), handle(), kTreeControlId);
    return true;
}

void TreeHostWindow::onSize(int width, int height) {
    if (view_.window() != nullptr) MoveWindow(view_.window(), 0, 0, width, height, TRUE);
}

bool TreeHostWindow::onCommand(int id, int, HWND) {
    view_.onCommand(static_cast<unsigned>(id));
    return true;
}

bool TreeHostWindow::onNotify(const NMHDR& header, LRESULT& result) {
    result = 0;
    view_.onNotify(header, result);
    return true;
}

// Code 0 with a path is the reload request the tray answers a change notice with.
LRESULT TreeHostWindow::onCopyData(HWND, const COPYDATASTRUCT* data) {
    const auto received = ReceiveCopyDataMessage(data);
    if (!received || received->code != editor_code::kReload) return 0;
    const TreeSelection current = view_.selection();
    view_.reload(received->text.value_or(u""), current.path);
    return 0;
}

}  // namespace tarnwick
