#include "editor_common/win32/splitter_drag.h"

#include <windowsx.h>

namespace tarnwick {

SplitterDrag::SplitterDrag(SplitterLayout& layout, int barWidth, std::function<void()> layOut)
    : layout_(layout),
      barWidth_(barWidth),
      layOut_(std::move(layOut)) {}

bool SplitterDrag::overBar(int x) const { return x >= layout_.barLeft() && x < layout_.barLeft() + barWidth_; }

bool SplitterDrag::onMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case WM_LBUTTONDOWN:
            if (!overBar(GET_X_LPARAM(lParam))) return false;
            dragging_ = true;
            grabbedAt_ = GET_X_LPARAM(lParam) - layout_.barLeft();
            SetCapture(frame);
            return true;
        case WM_MOUSEMOVE:
            if (!dragging_) return false;
            // The bar keeps the point it was taken by under the mouse.
            layout_.dragTo(GET_X_LPARAM(lParam) - grabbedAt_);
            if (layOut_) layOut_();
            return true;
        case WM_LBUTTONUP:
            if (!dragging_) return false;
            dragging_ = false;
            ReleaseCapture();
            return true;
        case WM_CAPTURECHANGED:
            // Another window took the mouse (a box, Alt+Tab): the drag ends where the bar is.
            dragging_ = false;
            return false;
        case WM_SETCURSOR: {
            if (reinterpret_cast<HWND>(wParam) != frame || LOWORD(lParam) != HTCLIENT) return false;
            POINT point{};
            GetCursorPos(&point);
            ScreenToClient(frame, &point);
            if (!overBar(point.x)) return false;
            SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
            result = TRUE;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace tarnwick
