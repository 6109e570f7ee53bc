#include "editor_common/card_name.h"

#include "cardtree/tree_path.h"

namespace tarnwick {

std::u16string CardPathBelowRoot(std::u16string_view rootPath, std::u16string_view path,
                                 std::u16string_view extension) {
    std::u16string_view rest = path;
    if (rest.size() >= rootPath.size() && SamePath(rest.substr(0, rootPath.size()), rootPath)) {
        rest.remove_prefix(rootPath.size());
    }
    if (rest.ends_with(extension)) rest.remove_suffix(extension.size());
    std::u16string name(rest);
    if (name.empty() || name.front() != u'\\') name.insert(name.begin(), u'\\');
    return name;
}

}  // namespace tarnwick
