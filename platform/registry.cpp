#include "platform/registry.h"

namespace tarnwick {

bool DeleteKeyTree(Registry& registry, std::u16string_view key) {
    std::u16string path(key);
    for (;;) {
        const std::vector<std::u16string> children = registry.subkeys(path);
        if (children.empty()) break;
        // A subkey that cannot be deleted would be offered again forever.
        if (!DeleteKeyTree(registry, path + u'\\' + children.front())) return false;
    }
    return registry.deleteKey(path);
}

}  // namespace tarnwick
