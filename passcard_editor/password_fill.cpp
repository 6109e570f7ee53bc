#include "passcard_editor/password_fill.h"

#include "cards/passcard_fields.h"

namespace tarnwick {

std::optional<std::size_t> PasswordFillTarget(int selectedIndex, const std::vector<std::u16string>& fieldTypes) {
    if (selectedIndex >= 0 && static_cast<std::size_t>(selectedIndex) < fieldTypes.size()) {
        return static_cast<std::size_t>(selectedIndex);
    }
    for (std::size_t i = 0; i < fieldTypes.size(); ++i) {
        if (IsPasswordField(fieldTypes[i])) return i;
    }
    return std::nullopt;
}

}  // namespace tarnwick
