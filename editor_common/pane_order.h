// Which pane of an editor's main window the keyboard moves to: F6 and Tab at
// a pane's end go to the next pane in the window's order and round again,
// Shift+F6 and Shift+Tab the other way, passing over panes that cannot take
// the focus now (hidden or disabled).
#pragma once

#include <cstddef>
#include <optional>
#include <span>

namespace tarnwick {

// `open[i]`: whether pane i can take the focus. With no current pane (the
// focus is elsewhere in the window), the first open pane, or the last one
// going backwards. The current pane itself when it is the only one open;
// nothing when none is.
std::optional<std::size_t> NextPane(std::span<const bool> open, std::optional<std::size_t> current, bool backwards);

}  // namespace tarnwick
