#include "editor_common/frame_layout.h"

#include <algorithm>

namespace tarnwick {
namespace {

constexpr std::uint32_t kVistaMajorVersion = 6;
constexpr int kAddressBandOnVista = 23;
constexpr int kAddressBandElsewhere = 16;

}  // namespace

Rect InitialWindowRect(int screenWidth, int screenHeight, WindowPlacement placement) {
    const int width = std::max(screenWidth, 0) / 2;
    const int height = std::max(screenHeight, 0) / 2;
    if (placement == WindowPlacement::TopLeft) return {0, 0, width, height};
    return {(screenWidth - width) / 2, (screenHeight - height) / 2, width, height};
}

SplitterLayout::SplitterLayout(int minimumPane, int barWidth)
    : minimumPane_(std::max(minimumPane, 0)),
      barWidth_(std::max(barWidth, 0)) {}

int SplitterLayout::held(int x) const {
    // The bar keeps both panes at their narrowest width; when the window is
    // too narrow for both, the tree keeps its width and the form gets the rest.
    const int lowest = minimumPane_;
    const int highest = width_ - barWidth_ - minimumPane_;
    if (highest < lowest) return std::max(0, std::min(lowest, width_ - barWidth_));
    return std::clamp(x, lowest, highest);
}

void SplitterLayout::start(int width) {
    width_ = std::max(width, 0);
    barLeft_ = held(width_ / 3);
}

void SplitterLayout::dragTo(int x) { barLeft_ = held(x); }

void SplitterLayout::resize(int width) {
    width_ = std::max(width, 0);
    barLeft_ = held(barLeft_);
}

Rect SplitterLayout::leftPane(int top, int height) const { return {0, top, barLeft_, height}; }

Rect SplitterLayout::rightPane(int top, int height) const {
    const int left = barLeft_ + barWidth_;
    return {left, top, std::max(width_ - left, 0), height};
}

Rect SplitterArea(int clientWidth, int clientHeight, const Bands& bands) {
    const int top = bands.toolbarVisible ? bands.toolbarHeight : 0;
    const int bottom = bands.statusBarVisible ? bands.statusBarHeight : 0;
    return {0, top, std::max(clientWidth, 0), std::max(clientHeight - top - bottom, 0)};
}

FormAndAddress SplitFormAndAddress(const Rect& pane, std::uint32_t majorVersion) {
    const int band = majorVersion == kVistaMajorVersion ? kAddressBandOnVista : kAddressBandElsewhere;
    const int formHeight = std::max(pane.height - band, 0);
    const Rect form{pane.left, pane.top, pane.width, formHeight};
    const Rect address{pane.left, pane.top + formHeight, pane.width, pane.height - formHeight};
    return {form, address};
}

}  // namespace tarnwick
