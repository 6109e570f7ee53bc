// An element of a form document with what the editors' page code calls on, in
// the names a page script uses: id, name, type, the current value (apart from
// the value attribute it started with), checked, a select's options and
// selectedIndex, innerHTML, insertAdjacentHTML, firstChild/removeChild,
// parentElement, style.display and the offset geometry from the layout.
// Setters here are the program's: they tell the document's observers but never
// report a user edit (see Document's user... entry points for those).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/secret_text.h"
#include "htmlform/computed_style.h"
#include "htmlform/node.h"

namespace tarnwick::htmlform {

struct Attribute {
    std::u16string name;  // lower case
    std::u16string value;
    bool operator==(const Attribute&) const = default;
};

// Where insertAdjacentHTML puts the new nodes.
enum class AdjacentPosition { BeforeBegin, AfterBegin, BeforeEnd, AfterEnd };

// Tags asked for on every element a layout meets: their lengths are known
// when compiled.
inline constexpr std::u16string_view kInputTag = u"input";
inline constexpr std::u16string_view kSelectTag = u"select";

class Element : public Node {
public:
    // `localName` in lower case ("input").
    Element(Document& document, std::u16string localName);
    ~Element() override;

    // Tag --------------------------------------------------------------------
    const std::u16string& localName() const { return localName_; }
    // The tag as scripts see it: upper case ("INPUT").
    std::u16string tagName() const;
    // Whether the tag is `tag`, in either case.
    bool hasTag(std::u16string_view tag) const;

    // Attributes (names in either case; the first of duplicated names counts) --
    const std::vector<Attribute>& attributes() const { return attributes_; }
    const std::u16string* findAttribute(std::u16string_view name) const;
    bool hasAttribute(std::u16string_view name) const { return findAttribute(name) != nullptr; }
    // The value, or empty text when absent.
    std::u16string getAttribute(std::u16string_view name) const;
    // Sets the attribute. "style" replaces the inline style; "value" on an input
    // the user has not edited and the program has not set also sets its value.
    void setAttribute(std::u16string_view name, std::u16string_view value);
    std::u16string id() const { return getAttribute(u"id"); }
    std::u16string name() const { return getAttribute(u"name"); }
    // An input's type in lower case, "text" when absent or unknown; another
    // element's type attribute as written (good until the attribute changes).
    std::u16string_view type() const;

    // Form state --------------------------------------------------------------
    bool isInput() const { return localName_ == kInputTag; }
    bool isSelect() const { return localName_ == kSelectTag; }
    // An input or a select: what the renderer shows as a native control.
    bool isFormControl() const { return isInput() || isSelect(); }
    // An input's current value; a select's selected option's value; an
    // option's value attribute, or its text when it has none; else empty.
    std::u16string value() const;
    // The program sets an input's value (a select's: selects the first option of that value).
    void setValue(std::u16string_view value);
    // Radios and check boxes.
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    // A select's option elements in document order (inside optgroups too).
    std::vector<Element*> options() const;
    // A select's selected option, -1 when it has none.
    int selectedIndex() const;
    // Out-of-range indices select nothing (-1), as a browser does.
    void setSelectedIndex(int index);

    // Tree --------------------------------------------------------------------
    const std::vector<std::unique_ptr<Node>>& childNodes() const { return children_; }
    Node* firstChild() const;
    Node* lastChild() const;
    // Child elements only.
    std::vector<Element*> children() const;
    // Detaches `child` (which must be a child of this element) and returns it;
    // null when it is not. Focus inside it is lost.
    std::unique_ptr<Node> removeChild(Node& child);
    Node& appendChild(std::unique_ptr<Node> child);
    Node& insertBefore(std::unique_ptr<Node> child, Node* before);
    // Parses `html` in this element's context and replaces the children by it.
    void setInnerHtml(std::u16string_view html);
    // The children serialised as markup (texts and attribute values escaped).
    std::u16string innerHtml() const;
    std::u16string outerHtml() const;
    // Parses `html` and inserts it; `where` is "beforeBegin", "afterBegin",
    // "beforeEnd" or "afterEnd" in any case; false (nothing done) for another
    // text, or for before/after an element that has no parent.
    bool insertAdjacentHtml(std::u16string_view where, std::u16string_view html);
    bool insertAdjacentHtml(AdjacentPosition where, std::u16string_view html);
    std::u16string textContent() const override;
    // Descendant elements of that tag (either case; "*" for all), in document order.
    std::vector<Element*> getElementsByTagName(std::u16string_view tag) const;

    // Inline style ------------------------------------------------------------
    // style.display: the inline declaration's value ("none", "block"), empty when there is none.
    std::u16string styleDisplay() const;
    // Sets (or with empty text removes) the inline display declaration.
    void setStyleDisplay(std::u16string_view display);
    // Any inline declaration by property name (lower case), empty when absent.
    std::u16string inlineStyle(std::u16string_view property) const;
    // The inline declarations in the order written: property (lower case), value.
    const std::vector<std::pair<std::u16string, std::u16string>>& inlineDeclarations() const { return style_; }

    // Geometry from the layout (brought up to date first, as a browser does) ---
    // td, th, table or body nearest above, as a browser computes it; null for
    // the body, for elements not rendered and for elements outside the tree.
    Element* offsetParent() const;
    // Relative to the offset parent's border box; from the page's top-left
    // corner when the offset parent is the body. Zero when not rendered.
    int offsetTop() const;
    int offsetLeft() const;
    int offsetWidth() const;
    int offsetHeight() const;

    // Whether this element is displayed (neither it nor an ancestor has display none).
    bool isDisplayed() const;

    // The layout's working state of this element, good for the layout pass
    // numbered in it: kept here, not in maps of the pass, so that a page of
    // thousands of elements is laid out without an allocation per element.
    struct LayoutScratch {
        unsigned stylePass = 0;
        unsigned blockPass = 0;
        bool blockLevel = false;
        ComputedStyle style;
    };
    LayoutScratch& layoutScratch() const { return scratch_; }

private:
    friend class Document;
    friend class TreeBuilder;
    void adoptChildren(std::vector<std::unique_ptr<Node>> nodes, std::size_t at);
    void reparseInlineStyle();
    void writeStyleAttribute();
    void notifyStateChanged();

    std::u16string localName_;
    std::vector<Attribute> attributes_;
    std::vector<std::unique_ptr<Node>> children_;
    // Inline style declarations in the order written, names lower case.
    std::vector<std::pair<std::u16string, std::u16string>> style_;
    // Inputs: the current value, and whether it left the value attribute. A
    // form's values are secrets (passwords, answers): they, and the attribute
    // values the markup brought, are wiped when they change and when the
    // element goes.
    SecretText value_;
    bool valueDirty_ = false;
    bool checked_ = false;
    // Selects: the chosen option; nullopt until chosen, then the attribute-selected or first one counts.
    std::optional<int> selectedIndex_;
    mutable LayoutScratch scratch_;
};

inline Element* Node::asElement() { return isElement() ? static_cast<Element*>(this) : nullptr; }
inline const Element* Node::asElement() const { return isElement() ? static_cast<const Element*>(this) : nullptr; }
inline TextNode* Node::asText() { return isElement() ? nullptr : static_cast<TextNode*>(this); }
inline const TextNode* Node::asText() const { return isElement() ? nullptr : static_cast<const TextNode*>(this); }

}  // namespace tarnwick::htmlform
