// What the field types of a passcard say: which fields are passwords and which
// one holds the user name.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>
#include <string>

namespace tarnwick {

inline constexpr std::u16string_view kPasswordFieldType = u"password";
inline constexpr std::u16string_view kTextFieldType = u"text";

bool IsPasswordField(std::u16string_view fieldType);
// The nearest "text" field before the first password field; none when there
// is no password field or no "text" field before it.
std::optional<std::size_t> UserNameField(const std::vector<std::u16string>& fieldTypes);

}  // namespace tarnwick
