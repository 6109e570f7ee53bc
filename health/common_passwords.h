// The passwords people choose most, lower case, most common first: the
// dictionary of the strength estimate.
#pragma once

#include <optional>
#include <string_view>

namespace tarnwick {

// The 1-based rank of a lower-case word in the list, none when absent.
std::optional<int> CommonPasswordRank(std::string_view lowerWord);

}  // namespace tarnwick
