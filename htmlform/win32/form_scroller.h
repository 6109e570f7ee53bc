// Where the pane is scrolled to in a page larger than itself, and its two
// scroll bars: a bar is shown only when the page is larger than the pane.
#pragma once

#include <windows.h>

#include "htmlform/layout_box.h"

namespace tarnwick {

class FormScroller {
public:
    // One line of the arrows and of the wheel's notches.
    static constexpr int kLine = 16;

    // The page's size and the visible part's; the position is kept inside.
    void setExtent(SIZE page, SIZE visible);
    POINT position() const { return position_; }
    SIZE visible() const { return visible_; }

    // A WM_VSCROLL (SB_VERT) or WM_HSCROLL (SB_HORZ) request; `window`'s bar
    // gives the thumb's track position. True when the position changed.
    bool onScrollRequest(HWND window, int bar, int request);
    // The wheel: positive `delta` scrolls up. True when the position changed.
    bool onWheel(int delta);
    // Scrolls just enough that `rect` (page coordinates) is in view.
    bool scrollIntoView(const htmlform::Rect& rect);
    bool scrollTo(POINT position);
    // Puts ranges, pages and positions into the window's bars.
    void apply(HWND window) const;

private:
    POINT clamped(POINT position) const;

    SIZE page_{0, 0};
    SIZE visible_{0, 0};
    POINT position_{0, 0};
    int wheelRemainder_ = 0;
};

}  // namespace tarnwick
