#include "htmlform/node.h"

#include "htmlform/element.h"

namespace tarnwick::htmlform {

namespace {

// This node's place among its parent's children.
std::size_t IndexIn(const Element& parent, const Node& node) {
    const auto& siblings = parent.childNodes();
    for (std::size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == &node) return i;
    return siblings.size();
}

}  // namespace

Node* Node::nextSibling() const {
    if (!parent_) return nullptr;
    std::size_t i = IndexIn(*parent_, *this) + 1;
    return i < parent_->childNodes().size() ? parent_->childNodes()[i].get() : nullptr;
}

Node* Node::previousSibling() const {
    if (!parent_) return nullptr;
    std::size_t i = IndexIn(*parent_, *this);
    return i > 0 && i <= parent_->childNodes().size() ? parent_->childNodes()[i - 1].get() : nullptr;
}

}  // namespace tarnwick::htmlform
