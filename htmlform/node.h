// The node tree of a form document: elements and the text between them.
// Nodes belong to one Document, which is told of every change made through them.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "htmlform/layout_box.h"

namespace tarnwick::htmlform {

class Document;
class Element;
class TextNode;

enum class NodeKind { Element, Text };

class Node {
public:
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    virtual ~Node() = default;

    NodeKind kind() const { return kind_; }
    bool isElement() const { return kind_ == NodeKind::Element; }
    // Defined in element.h: they are on every walk of the tree.
    inline Element* asElement();
    inline const Element* asElement() const;
    inline TextNode* asText();
    inline const TextNode* asText() const;

    Document& document() const { return *document_; }
    // The element holding this node, or null for the root and for a node removed from the tree.
    Element* parentElement() const { return parent_; }
    Node* nextSibling() const;
    Node* previousSibling() const;
    // The text of this node and of everything under it, as written (not collapsed).
    virtual std::u16string textContent() const = 0;

    // The last layout's result for this node (see Document::ensureLayout).
    const LayoutBox& layoutBox() const { return box_; }
    LayoutBox& mutableLayoutBox() { return box_; }

protected:
    Node(NodeKind kind, Document& document) : kind_(kind), document_(&document) {}

private:
    friend class Element;
    friend class TreeBuilder;
    NodeKind kind_;
    Document* document_;
    Element* parent_ = nullptr;
    LayoutBox box_;
};

// A run of character data. Adjacent text is kept in one node.
class TextNode : public Node {
public:
    TextNode(Document& document, std::u16string text) : Node(NodeKind::Text, document), text_(std::move(text)) {}

    const std::u16string& data() const { return text_; }
    void appendData(std::u16string_view more) { text_.append(more); }
    std::u16string textContent() const override { return text_; }

private:
    std::u16string text_;
};

}  // namespace tarnwick::htmlform
