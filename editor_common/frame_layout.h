// Where the parts of an editor's main window go, as arithmetic on client
// sizes: the window itself at half the screen, the toolbar and status bar
// bands, the vertical splitter between the tree and the form (its bar starts
// at one third and keeps both panes at least the editor's narrowest width),
// and the Passcard Editor's fixed split above its address box.
#pragma once

#include <cstdint>

#include "editor_common/editor_traits.h"

namespace tarnwick {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

// Half the screen's width and height, centred or at the top-left corner.
Rect InitialWindowRect(int screenWidth, int screenHeight, WindowPlacement placement);

// The vertical splitter: the bar's left edge and width within a width.
class SplitterLayout {
public:
    SplitterLayout(int minimumPane, int barWidth);

    // The bar at one third of the width (held as the rules below allow).
    void start(int width);
    // The user dragged the bar's left edge to `x`.
    void dragTo(int x);
    // The window changed size: the bar stays where it was when it can.
    void resize(int width);

    int barLeft() const { return barLeft_; }
    Rect leftPane(int top, int height) const;
    Rect rightPane(int top, int height) const;

private:
    int held(int x) const;

    int minimumPane_;
    int barWidth_;
    int width_ = 0;
    int barLeft_ = 0;
};

// The client area below the toolbar band and above the status bar, each
// counted only while shown.
struct Bands {
    int toolbarHeight = 0;
    bool toolbarVisible = true;
    int statusBarHeight = 0;
    bool statusBarVisible = true;
};
Rect SplitterArea(int clientWidth, int clientHeight, const Bands& bands);

// The Passcard Editor's right pane: the form above, the address box in a band
// of fixed height below (23 pixels on major version 6, 16 elsewhere).
struct FormAndAddress {
    Rect form;
    Rect address;
};
FormAndAddress SplitFormAndAddress(const Rect& pane, std::uint32_t majorVersion);

}  // namespace tarnwick
