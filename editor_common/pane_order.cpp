#include "editor_common/pane_order.h"

namespace tarnwick {

std::optional<std::size_t> NextPane(std::span<const bool> open, std::optional<std::size_t> current, bool backwards) {
    const std::size_t count = open.size();
    if (count == 0) return std::nullopt;
    if (current && *current >= count) current.reset();
    // Without a current pane the walk starts just outside the order, so that its first step lands on an end.
    std::size_t at = current ? *current : (backwards ? 0 : count - 1);
    for (std::size_t step = 0; step < count; ++step) {
        at = backwards ? (at + count - 1) % count : (at + 1) % count;
        if (open[at]) return at;
    }
    return std::nullopt;
}

}  // namespace tarnwick
