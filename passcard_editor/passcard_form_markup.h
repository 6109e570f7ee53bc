// The field table the Passcard Editor writes into its form page: one row per
// field, the label (with its type when details are shown) and an input box
// named after the field, a password box only for a "password" field while
// passwords are shown as stars. Names and values are escaped, so the page
// gives back exactly the texts written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

struct PasscardTableFields {
    const std::vector<std::u16string>& names;
    const std::vector<std::u16string>& types;
    const std::vector<std::u16string>& values;
};

// One row per value; a missing name or type counts as empty.
std::u16string PasscardTableMarkup(const PasscardTableFields& fields, bool stars, bool details);

}  // namespace tarnwick
