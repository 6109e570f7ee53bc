// Generate Password in the Passcard Editor: which field gets the new password,
// and the words shown when none can or the policy is refused.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

inline constexpr std::u16string_view kNoFieldForPassword =
    u"Select the field that is to get a new password: this passcard has no password field to fill.";
inline constexpr std::u16string_view kRandomSourceFailed =
    u"No password was generated: the system's random source failed.";

// The box that gets the password: the selected field's (the one that has or
// last had the focus), else the first field of type password; none when the
// card has neither.
std::optional<std::size_t> PasswordFillTarget(int selectedIndex, const std::vector<std::u16string>& fieldTypes);

}  // namespace tarnwick
