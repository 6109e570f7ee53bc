#include "tray/current_user.h"

#include "foundation/toolbar_contract.h"

namespace tarnwick {

CurrentUser CurrentUserOf(std::u16string_view folder) {
    UserFolderParts parts = SplitUserFolder(folder);
    return CurrentUser{std::u16string(folder), std::move(parts.userName), std::move(parts.dataRoot)};
}

CurrentUser ReadCurrentUser(Registry& registry) {
    registry.createKey(registry::kTarnwickKey);
    const auto value = registry.readString(registry::kTarnwickKey, registry::kRootUserValue, kPathBufferChars);
    return CurrentUserOf(value.value_or(std::u16string()));
}

bool SetCurrentUser(Registry& registry, std::u16string_view folder) {
    registry.createKey(registry::kTarnwickKey);
    return registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, folder);
}

}  // namespace tarnwick
