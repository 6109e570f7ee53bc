// The mouse on the vertical splitter of an editor's main window: the east-west
// arrows over the bar, a press on it captures the mouse, each move places the
// bar (SplitterLayout holds both panes at their narrowest) and lays the window
// out again, the release lets go.
#pragma once

#include <windows.h>

#include <functional>

#include "editor_common/frame_layout.h"

namespace tarnwick {

class SplitterDrag {
public:
    // `layOut` places the panes after the bar has moved. The bar's left edge is
    // in the frame's client coordinates.
    SplitterDrag(SplitterLayout& layout, int barWidth, std::function<void()> layOut);

    // The frame's mouse, capture and cursor messages: true when they were the
    // splitter's, with the window procedure's `result`.
    bool onMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    bool overBar(int x) const;

    SplitterLayout& layout_;
    int barWidth_;
    std::function<void()> layOut_;
    bool dragging_ = false;
    int grabbedAt_ = 0;  // the press's distance from the bar's left edge
};

}  // namespace tarnwick
