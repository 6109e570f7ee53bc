#include "tray/current_user.h"

#include "foundation/toolbar_contract.h"

namespace tarnwick {

std::u16string ParentOf(std::u16string_view path) {
    const std::size_t at = path.rfind(u'\\');
    return at == std::u16string_view::npos ? std::u16string() : std::u16string(path.substr(0, at));
}

std::u16string LastComponentOf(std::u16string_view path) {
    const std::size_t at = path.rfind(u'\\');
    return std::u16string(at == std::u16string_view::npos ? path : path.substr(at + 1));
}

CurrentUser CurrentUserOf(std::u16string_view folder) {
    UserFolderParts parts = SplitUserFolder(folder);
    return CurrentUser{std::u16string(folder), std::move(parts.userName), std::move(parts.dataRoot)};
}

CurrentUser ReadCurrentUser(Registry& registry) {
    registry.createKey(registry::kTarnwickKey);
    const auto value =
        registry.readString(registry::kTarnwickKey, registry::kRootUserValue, kPathBufferChars);
    return CurrentUserOf(value.value_or(std::u16string()));
}

bool SetCurrentUser(Registry& registry, std::u16string_view folder) {
    registry.createKey(registry::kTarnwickKey);
    return registry.writeString(registry::kTarnwickKey, registry::kRootUserValue, folder);
}

}  // namespace tarnwick
