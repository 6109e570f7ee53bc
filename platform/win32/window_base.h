// The one base of Tarnwick's own windows, top-level or child. It registers a
// window class once, creates the window with `this` stored at WM_NCCREATE, and
// turns the common messages into calls on virtual onX handlers. A derived window
// overrides the handlers it needs; every other message (WM_APP messages,
// registered messages, WM_HOTKEY, ...) reaches onMessage, whose override is a
// `switch` of one-line calls ending in `return WindowBase::onMessage(...)`.
//
//     class Pane : public WindowBase {
//     public:
//         bool create(HWND parent, int id) {
//             return createWindow({.name = u"TarnwickPane"}, {.style = WS_CHILD | WS_VISIBLE,
//                                                             .parent = parent, .controlId = id});
//         }
//     private:
//         void onSize(int width, int height) override;
//         bool onCommand(int id, int code, HWND control) override;
//     };
#pragma once

#include <windows.h>

#include <string_view>

namespace tarnwick {

// What a class is registered with. Every class has the base's procedure; a class
// that an earlier window of ours registered is reused (its look stays).
struct WindowClassLook {
    std::u16string_view name;
    UINT style = 0;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    HCURSOR cursor = nullptr;  // nullptr: the arrow
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
};

// Where and how one window is created.
struct WindowCreation {
    std::u16string_view title;
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = CW_USEDEFAULT;
    int height = CW_USEDEFAULT;
    HWND parent = nullptr;  // a child's parent, a top-level window's owner
    int controlId = 0;      // a child's (WS_CHILD) id, which its parent's WM_COMMAND and WM_NOTIFY carry
    HMENU menu = nullptr;   // a top-level window's menu
};

class WindowBase {
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    // A window still open is destroyed without reaching the handlers (the derived
    // part is gone by then); a derived class that must see onDestroy calls
    // destroyWindow in its own destructor.
    virtual ~WindowBase();

    // The window, or nullptr before it is created and after WM_NCDESTROY.
    HWND handle() const { return window_; }

protected:
    WindowBase() = default;

    // Registers the class (once) and creates the window; false when either
    // fails, onCreate refused, or this object's window is still open (one at a
    // time). The module is the program's own.
    bool createWindow(const WindowClassLook& windowClass, const WindowCreation& creation);
    // DestroyWindow while the whole object still stands (onDestroy runs).
    void destroyWindow();
    // DefWindowProcW on this window.
    LRESULT defaultProc(UINT message, WPARAM wParam, LPARAM lParam) const;
    // A frame: when the window is activated again, the keyboard focus goes back
    // to the child that had it when the window was left, else to `fallback`,
    // instead of staying on the frame where no key reaches a control.
    void keepChildFocus(HWND fallback) { focusFallback_ = fallback; }

    // WM_CREATE; false makes the creation fail.
    virtual bool onCreate() { return true; }
    // WM_DESTROY; the handle is still valid.
    virtual void onDestroy() {}
    // WM_CLOSE; true when handled (the default destroys the window).
    virtual bool onClose() { return false; }
    // WM_SIZE with the new client size.
    virtual void onSize(int width, int height);
    // WM_PAINT between BeginPaint and EndPaint.
    virtual void onPaint(HDC dc, const PAINTSTRUCT& paint);
    // WM_COMMAND from a menu (code 0), an accelerator (1) or a child control; true when handled.
    virtual bool onCommand(int id, int code, HWND control);
    // WM_NOTIFY from a child control; true when handled, with the reply in `result`.
    virtual bool onNotify(const NMHDR& header, LRESULT& result);
    // WM_COPYDATA; `data` is nullptr when the sender passed none. The reply goes back to the sender.
    virtual LRESULT onCopyData(HWND sender, const COPYDATASTRUCT* data);
    // WM_TIMER.
    virtual void onTimer(UINT_PTR id);
    // WM_SETFOCUS and WM_KILLFOCUS.
    virtual void onSetFocus(HWND previous);
    virtual void onKillFocus(HWND next);
    // WM_KEYDOWN; true when handled.
    virtual bool onKeyDown(UINT key);
    // WM_VSCROLL (SB_VERT) and WM_HSCROLL (SB_HORZ) of the window's own bars; true when
    // handled. A scroll bar control's messages go to onMessage.
    virtual bool onScroll(int bar, int request);
    // WM_MOUSEWHEEL with the wheel's delta; true when handled.
    virtual bool onMouseWheel(int delta);
    // Every message without a handler above; the default is defaultProc.
    virtual LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onPaintMessage();

    HWND window_ = nullptr;
    HWND focusFallback_ = nullptr;
    HWND lastFocus_ = nullptr;
};

}  // namespace tarnwick
