#include "htmlform/element.h"

#include <algorithm>

#include "htmlform/ascii_text.h"
#include "htmlform/document.h"
#include "htmlform/html_parser.h"
#include "htmlform/markup_writer.h"
#include "htmlform/style_sheet.h"

namespace tarnwick::htmlform {

using namespace std::string_view_literals;
namespace {

constexpr std::u16string_view kInputTypes[] = {u"text",   u"password", u"radio", u"checkbox", u"hidden",
                                               u"submit", u"button",   u"reset", u"image",    u"file",
                                               u"email",  u"search",   u"tel",   u"url",      u"number"};

void CollectByTag(const Element& from, std::u16string_view lowerTag, std::vector<Element*>& out) {
    for (const auto& child : from.childNodes()) {
        Element* element = child->asElement();
        if (!element) continue;
        if (lowerTag == u"*" || element->localName() == lowerTag) out.push_back(element);
        CollectByTag(*element, lowerTag, out);
    }
}

void CollectOptions(const Element& from, std::vector<Element*>& out) {
    for (const auto& child : from.childNodes()) {
        Element* element = child->asElement();
        if (!element || element->isSelect()) continue;
        if (element->localName() == u"option"sv) out.push_back(element);
        else CollectOptions(*element, out);
    }
}

bool Contains(const Node& root, const Node* node) {
    for (const Node* n = node; n; n = n->parentElement())
        if (n == &root) return true;
    return false;
}

}  // namespace

Element::Element(Document& document, std::u16string localName)
    : Node(NodeKind::Element, document),
      localName_(std::move(localName)) {}

Element::~Element() {
    for (Attribute& attribute : attributes_) WipeText(attribute.value);
}

std::u16string Element::tagName() const {
    std::u16string upper = localName_;
    for (char16_t& c : upper)
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
    return upper;
}

bool Element::hasTag(std::u16string_view tag) const { return EqualsIgnoringAsciiCase(localName_, tag); }

const std::u16string* Element::findAttribute(std::u16string_view name) const {
    for (const Attribute& attribute : attributes_)
        if (EqualsIgnoringAsciiCase(attribute.name, name)) return &attribute.value;
    return nullptr;
}

std::u16string Element::getAttribute(std::u16string_view name) const {
    const std::u16string* value = findAttribute(name);
    return value ? *value : std::u16string();
}

void Element::setAttribute(std::u16string_view name, std::u16string_view value) {
    std::u16string lower = LowerAscii(name);
    std::u16string before = this->value();
    auto it = std::find_if(attributes_.begin(), attributes_.end(), [&](const Attribute& a) { return a.name == lower; });
    if (it == attributes_.end()) attributes_.push_back({lower, std::u16string(value)});
    else ReplaceText(it->value, value);
    document().invalidateLayout();
    if (lower == u"id"sv) document().invalidateIdIndex();
    if (lower == u"style"sv) {
        reparseInlineStyle();
        document().notifyDisplayChanged(*this);
    } else if (lower == u"type"sv && isInput()) {
        // Another type is another control (a password input hides its text).
        document().notifyDisplayChanged(*this);
    } else if (lower == u"value"sv && isInput() && !valueDirty_ && before != this->value()) {
        document().notifyStateChanged(*this, ChangeCause::Program);
    }
}

std::u16string_view Element::type() const {
    const std::u16string* attribute = findAttribute(u"type"sv);
    if (!isInput()) return attribute ? std::u16string_view(*attribute) : std::u16string_view();
    if (attribute) {
        const std::u16string_view written = TrimHtmlSpace(*attribute);
        for (std::u16string_view known : kInputTypes)
            if (EqualsIgnoringAsciiCase(written, known)) return known;
    }
    return u"text";
}

std::u16string Element::value() const {
    if (isInput()) return valueDirty_ ? value_.str() : getAttribute(u"value");
    if (isSelect()) {
        int index = selectedIndex();
        return index < 0 ? std::u16string() : options()[static_cast<std::size_t>(index)]->value();
    }
    if (localName_ == u"option"sv) {
        if (const std::u16string* attribute = findAttribute(u"value")) return *attribute;
        return CollapseHtmlSpace(textContent());
    }
    return {};
}

void Element::setValue(std::u16string_view value) {
    if (isSelect()) {
        std::vector<Element*> all = options();
        for (std::size_t i = 0; i < all.size(); ++i)
            if (all[i]->value() == value) return setSelectedIndex(static_cast<int>(i));
        return setSelectedIndex(-1);
    }
    if (!isInput()) return;
    bool changed = this->value() != value;
    value_.assign(value);
    valueDirty_ = true;
    if (changed) notifyStateChanged();
}

void Element::setChecked(bool checked) {
    if (checked_ == checked) return;
    checked_ = checked;
    notifyStateChanged();
    // A radio with a name leaves the others of its name, as in a browser.
    std::u16string group = name();
    if (!checked || type() != u"radio"sv || group.empty()) return;
    for (Element* other : document().getElementsByTagName(u"input"))
        if (other != this && other->type() == u"radio"sv && other->name() == group) other->setChecked(false);
}

std::vector<Element*> Element::options() const {
    std::vector<Element*> out;
    if (isSelect()) CollectOptions(*this, out);
    return out;
}

int Element::selectedIndex() const {
    std::vector<Element*> all = options();
    if (all.empty()) return -1;
    if (selectedIndex_) return *selectedIndex_ < static_cast<int>(all.size()) ? *selectedIndex_ : -1;
    // The last option marked selected wins, as when a browser parses them one by one.
    for (std::size_t i = all.size(); i-- > 0;)
        if (all[i]->hasAttribute(u"selected")) return static_cast<int>(i);
    return 0;
}

void Element::setSelectedIndex(int index) {
    if (!isSelect()) return;
    int count = static_cast<int>(options().size());
    if (index < 0 || index >= count) index = -1;
    int before = selectedIndex();
    selectedIndex_ = index;
    if (before != index) notifyStateChanged();
}

void Element::notifyStateChanged() { document().notifyStateChanged(*this, ChangeCause::Program); }

// Tree ----------------------------------------------------------------------

Node* Element::firstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
Node* Element::lastChild() const { return children_.empty() ? nullptr : children_.back().get(); }

std::vector<Element*> Element::children() const {
    std::vector<Element*> out;
    for (const auto& child : children_)
        if (Element* element = child->asElement()) out.push_back(element);
    return out;
}

std::unique_ptr<Node> Element::removeChild(Node& child) {
    auto it = std::find_if(children_.begin(), children_.end(), [&](const auto& c) { return c.get() == &child; });
    if (it == children_.end()) return nullptr;
    Document& doc = document();
    doc.notifySubtreeRemoving(child);
    if (Contains(child, doc.activeElement()) && doc.activeElement() != doc.body()) doc.setActiveElement(nullptr);
    std::unique_ptr<Node> removed = std::move(*it);
    children_.erase(it);
    removed->parent_ = nullptr;
    doc.notifySubtreeChanged(*this);
    return removed;
}

Node& Element::appendChild(std::unique_ptr<Node> child) { return insertBefore(std::move(child), nullptr); }

Node& Element::insertBefore(std::unique_ptr<Node> child, Node* before) {
    auto it = std::find_if(children_.begin(), children_.end(), [&](const auto& c) { return c.get() == before; });
    std::size_t at = static_cast<std::size_t>(it - children_.begin());
    Node& node = *child;
    std::vector<std::unique_ptr<Node>> one;
    one.push_back(std::move(child));
    adoptChildren(std::move(one), at);
    document().notifySubtreeChanged(*this);
    return node;
}

void Element::adoptChildren(std::vector<std::unique_ptr<Node>> nodes, std::size_t at) {
    at = std::min(at, children_.size());
    for (auto& node : nodes) node->parent_ = this;
    children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(at), std::make_move_iterator(nodes.begin()),
                     std::make_move_iterator(nodes.end()));
}

void Element::setInnerHtml(std::u16string_view html) {
    std::vector<std::unique_ptr<Node>> nodes = ParseFragment(document(), *this, html);
    Document& doc = document();
    for (const auto& child : children_) doc.notifySubtreeRemoving(*child);
    Element* active = doc.activeElement();
    if (active != this && Contains(*this, active) && active != doc.body()) doc.setActiveElement(nullptr);
    std::vector<std::unique_ptr<Node>> old = std::move(children_);
    children_.clear();
    for (auto& node : old) node->parent_ = nullptr;
    adoptChildren(std::move(nodes), 0);
    doc.notifySubtreeChanged(*this);
}

std::u16string Element::innerHtml() const {
    std::u16string out;
    for (const auto& child : children_) WriteMarkup(*child, out);
    return out;
}

std::u16string Element::outerHtml() const {
    std::u16string out;
    WriteMarkup(*this, out);
    return out;
}

bool Element::insertAdjacentHtml(std::u16string_view where, std::u16string_view html) {
    constexpr std::pair<std::u16string_view, AdjacentPosition> kPositions[] = {
        {u"beforebegin", AdjacentPosition::BeforeBegin},
        {u"afterbegin", AdjacentPosition::AfterBegin},
        {u"beforeend", AdjacentPosition::BeforeEnd},
        {u"afterend", AdjacentPosition::AfterEnd}};
    for (const auto& [text, position] : kPositions)
        if (EqualsIgnoringAsciiCase(where, text)) return insertAdjacentHtml(position, html);
    return false;
}

bool Element::insertAdjacentHtml(AdjacentPosition where, std::u16string_view html) {
    Element* target = this;
    std::size_t at = 0;
    switch (where) {
        case AdjacentPosition::AfterBegin:
            at = 0;
            break;
        case AdjacentPosition::BeforeEnd:
            at = children_.size();
            break;
        case AdjacentPosition::BeforeBegin:
        case AdjacentPosition::AfterEnd: {
            target = parentElement();
            if (!target) return false;
            const auto& siblings = target->children_;
            auto it = std::find_if(siblings.begin(), siblings.end(), [&](const auto& c) { return c.get() == this; });
            at = static_cast<std::size_t>(it - siblings.begin()) + (where == AdjacentPosition::AfterEnd ? 1 : 0);
            break;
        }
    }
    target->adoptChildren(ParseFragment(document(), *target, html), at);
    document().notifySubtreeChanged(*target);
    return true;
}

std::u16string Element::textContent() const {
    std::u16string out;
    for (const auto& child : children_) out += child->textContent();
    return out;
}

std::vector<Element*> Element::getElementsByTagName(std::u16string_view tag) const {
    std::vector<Element*> out;
    CollectByTag(*this, LowerAscii(tag), out);
    return out;
}

// Inline style --------------------------------------------------------------

void Element::reparseInlineStyle() {
    style_.clear();
    // Most elements have no style attribute: nothing to parse then.
    if (!findAttribute(u"style")) return;
    for (StyleDeclaration& declaration : ParseDeclarations(getAttribute(u"style")))
        style_.emplace_back(std::move(declaration.property), std::move(declaration.value));
}

std::u16string Element::inlineStyle(std::u16string_view property) const {
    std::u16string lower = LowerAscii(property);
    // The last declaration of a property wins.
    for (auto it = style_.rbegin(); it != style_.rend(); ++it)
        if (it->first == lower) return it->second;
    return {};
}

std::u16string Element::styleDisplay() const { return inlineStyle(u"display"); }

void Element::setStyleDisplay(std::u16string_view display) {
    std::u16string value(TrimHtmlSpace(display));
    if (styleDisplay() == value) return;
    std::erase_if(style_, [](const auto& declaration) { return declaration.first == u"display"sv; });
    if (!value.empty()) style_.emplace_back(u"display", value);
    writeStyleAttribute();
    document().invalidateLayout();
    document().notifyDisplayChanged(*this);
}

void Element::writeStyleAttribute() {
    std::u16string text;
    for (const auto& [property, value] : style_) {
        if (!text.empty()) text += u' ';
        text += property + u": " + value + u";";
    }
    auto it =
        std::find_if(attributes_.begin(), attributes_.end(), [](const Attribute& a) { return a.name == u"style"sv; });
    if (it == attributes_.end()) attributes_.push_back({u"style", text});
    else it->value = text;
}

// Geometry ------------------------------------------------------------------

bool Element::isDisplayed() const {
    document().ensureLayout();
    return layoutBox().rendered;
}

Element* Element::offsetParent() const {
    Document& doc = document();
    doc.ensureLayout();
    if (!layoutBox().rendered || this == doc.body()) return nullptr;
    for (Element* up = parentElement(); up; up = up->parentElement()) {
        const std::u16string& tag = up->localName();
        if (tag == u"td"sv || tag == u"th"sv || tag == u"table"sv || tag == u"body"sv) return up;
    }
    return nullptr;
}

int Element::offsetTop() const {
    Element* parent = offsetParent();
    if (!layoutBox().rendered) return 0;
    if (!parent || parent == document().body()) return layoutBox().rect.y;
    return layoutBox().rect.y - parent->layoutBox().rect.y;
}

int Element::offsetLeft() const {
    Element* parent = offsetParent();
    if (!layoutBox().rendered) return 0;
    if (!parent || parent == document().body()) return layoutBox().rect.x;
    return layoutBox().rect.x - parent->layoutBox().rect.x;
}

int Element::offsetWidth() const {
    document().ensureLayout();
    return layoutBox().rendered ? layoutBox().rect.width : 0;
}

int Element::offsetHeight() const {
    document().ensureLayout();
    return layoutBox().rendered ? layoutBox().rect.height : 0;
}

}  // namespace tarnwick::htmlform
