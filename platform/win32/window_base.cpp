#include "platform/win32/window_base.h"

#include <windowsx.h>

#include <string>

namespace tarnwick {
namespace {

const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

bool registerOnce(const WindowClassLook& look, HINSTANCE instance, WNDPROC procedure) {
    const std::u16string name(look.name);
    WNDCLASSEXW known{};
    known.cbSize = sizeof known;
    // A system class of the same name (a common control's) does not count: a
    // program's own class of that name is found before it.
    if (GetClassInfoExW(instance, wide(name), &known) && known.lpfnWndProc == procedure) return true;
    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    info.style = look.style;
    info.lpfnWndProc = procedure;
    info.hInstance = instance;
    info.hIcon = look.icon;
    info.hIconSm = look.smallIcon;
    info.hCursor = look.cursor != nullptr ? look.cursor : LoadCursorW(nullptr, IDC_ARROW);
    info.hbrBackground = look.background;
    info.lpszClassName = wide(name);
    return RegisterClassExW(&info) != 0;
}

}  // namespace

WindowBase::~WindowBase() {
    if (window_ == nullptr) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    const HWND window = window_;
    window_ = nullptr;
    DestroyWindow(window);
}

bool WindowBase::createWindow(const WindowClassLook& windowClass, const WindowCreation& creation) {
    if (window_ != nullptr) return false;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!registerOnce(windowClass, instance, &WindowBase::windowProc)) return false;
    const std::u16string name(windowClass.name);
    const std::u16string title(creation.title);
    HMENU menuOrId = creation.menu;
    if ((creation.style & WS_CHILD) != 0) menuOrId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(creation.controlId));
    const HWND window =
        CreateWindowExW(creation.exStyle, wide(name), wide(title), creation.style, creation.x, creation.y,
                        creation.width, creation.height, creation.parent, menuOrId, instance, this);
    return window != nullptr && window == window_;
}

void WindowBase::destroyWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
}

LRESULT WindowBase::defaultProc(UINT message, WPARAM wParam, LPARAM lParam) const {
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<WindowBase*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window is gone after this message; the object may outlive it.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->dispatch(message, wParam, lParam);
}

LRESULT WindowBase::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return onCreate() ? 0 : -1;
        case WM_DESTROY:
            onDestroy();
            return 0;
        case WM_CLOSE:
            return onClose() ? 0 : defaultProc(message, wParam, lParam);
        case WM_SIZE:
            onSize(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_PAINT:
            return onPaintMessage();
        case WM_COMMAND:
            if (onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
            return defaultProc(message, wParam, lParam);
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (onNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return result;
            return defaultProc(message, wParam, lParam);
        }
        case WM_COPYDATA:
            return onCopyData(reinterpret_cast<HWND>(wParam), reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_TIMER:
            onTimer(wParam);
            return 0;
        case WM_ACTIVATE:
            if (focusFallback_ != nullptr && LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                if (focus != nullptr && IsChild(window_, focus)) lastFocus_ = focus;
            }
            return onMessage(message, wParam, lParam);
        case WM_SETFOCUS:
            if (focusFallback_ != nullptr) {
                const bool kept = lastFocus_ != nullptr && IsChild(window_, lastFocus_) && IsWindowVisible(lastFocus_);
                SetFocus(kept ? lastFocus_ : focusFallback_);
            }
            onSetFocus(reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_KILLFOCUS:
            onKillFocus(reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_KEYDOWN:
            return onKeyDown(static_cast<UINT>(wParam)) ? 0 : defaultProc(message, wParam, lParam);
        case WM_VSCROLL:
        case WM_HSCROLL:
            if (lParam == 0 && onScroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam))) return 0;
            return onMessage(message, wParam, lParam);
        case WM_MOUSEWHEEL:
            return onMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam)) ? 0 : defaultProc(message, wParam, lParam);
        default:
            return onMessage(message, wParam, lParam);
    }
}

LRESULT WindowBase::onPaintMessage() {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window_, &paint);
    onPaint(dc, paint);
    EndPaint(window_, &paint);
    return 0;
}

void WindowBase::onSize(int, int) {}
void WindowBase::onPaint(HDC, const PAINTSTRUCT&) {}
bool WindowBase::onCommand(int, int, HWND) { return false; }
bool WindowBase::onNotify(const NMHDR&, LRESULT&) { return false; }
LRESULT WindowBase::onCopyData(HWND, const COPYDATASTRUCT*) { return 0; }
void WindowBase::onTimer(UINT_PTR) {}
void WindowBase::onSetFocus(HWND) {}
void WindowBase::onKillFocus(HWND) {}
bool WindowBase::onKeyDown(UINT) { return false; }
bool WindowBase::onScroll(int, int) { return false; }
bool WindowBase::onMouseWheel(int) { return false; }

LRESULT WindowBase::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return defaultProc(message, wParam, lParam);
}

}  // namespace tarnwick
