#include "cardtree/tree_item.h"

#include "cardtree/tree_path.h"

namespace tarnwick {

std::u16string TreeItem::path() const {
    if (parent_ == nullptr) return rootPath_;
    return JoinPath(parent_->path(), text_);
}

}  // namespace tarnwick
