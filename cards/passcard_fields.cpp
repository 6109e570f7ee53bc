#include "cards/passcard_fields.h"

#include <algorithm>

namespace tarnwick {

bool IsPasswordField(std::u16string_view fieldType) { return fieldType == kPasswordFieldType; }

std::optional<std::size_t> UserNameField(const std::vector<std::u16string>& fieldTypes) {
    const auto password = std::find_if(fieldTypes.begin(), fieldTypes.end(),
                                       [](const std::u16string& type) { return IsPasswordField(type); });
    if (password == fieldTypes.end()) return std::nullopt;
    for (auto it = password; it != fieldTypes.begin();) {
        --it;
        if (*it == kTextFieldType) return static_cast<std::size_t>(it - fieldTypes.begin());
    }
    return std::nullopt;
}

}  // namespace tarnwick
