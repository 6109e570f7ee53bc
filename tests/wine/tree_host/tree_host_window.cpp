#include "tests/wine/tree_host/tree_host_window.h"

#include "foundation/toolbar_contract.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_windows.h"

namespace tarnwick {
namespace {

constexpr int kTreeControlId = 100;

std::u16string classOf(const TreeFlavour& flavour) {
    return std::u16string(flavour.cardKind == CardKind::Identity ? window_class::kIdentityEditor
                                                                 : window_class::kPasscardEditor);
}

}  // namespace

TreeHostWindow::TreeHostWindow(const TreeFlavour& flavour, std::u16string rootPath, CardTreePorts ports,
                               const MessageCatalogue& catalogue)
    : flavour_(flavour), tree_(flavour, std::move(rootPath), clipboard_, ports, catalogue), view_(tree_) {}

TreeHostWindow::~TreeHostWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
}

bool TreeHostWindow::create(DWORD style) {
    const std::u16string className = classOf(flavour_);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &TreeHostWindow::windowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = AsWide(className);
    RegisterClassExW(&windowClass);  // already registered is fine
    window_ = CreateWindowExW(0, AsWide(className), L"Library", style, 0, 0, 400, 500, nullptr,
                              nullptr, GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) return false;
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
    return view_.window() != nullptr;
}

LRESULT CALLBACK TreeHostWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TreeHostWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TreeHostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return self->onMessage(message, wParam, lParam);
}

LRESULT TreeHostWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: onCreate(); return 0;
    case WM_SIZE: onSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_NOTIFY: return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND: view_.onCommand(LOWORD(wParam)); return 0;
    case WM_COPYDATA: return onCopyData(lParam);
    case WM_DESTROY: window_ = nullptr; return 0;
    default: return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void TreeHostWindow::onCreate() { view_.create(window_, window_, kTreeControlId); }

void TreeHostWindow::onSize(int width, int height) {
    if (view_.window() != nullptr) MoveWindow(view_.window(), 0, 0, width, height, TRUE);
}

LRESULT TreeHostWindow::onNotify(const NMHDR& header) {
    LRESULT result = 0;
    view_.onNotify(header, result);
    return result;
}

// Code 0 with a path is the reload request the tray answers a notice with.
LRESULT TreeHostWindow::onCopyData(LPARAM lParam) {
    const auto received = ReceiveCopyDataMessage(lParam);
    if (!received || received->code != editor_code::kReload) return 0;
    const TreeSelection current = view_.selection();
    view_.reload(received->text.value_or(u""), current.path);
    return 0;
}

}  // namespace tarnwick
