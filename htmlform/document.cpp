#include "htmlform/document.h"

#include <algorithm>

#include "htmlform/ascii_text.h"
#include "htmlform/form_layout.h"
#include "htmlform/html_parser.h"

namespace tarnwick::htmlform {
namespace {

Element* ChildWithTag(const Element& parent, std::u16string_view tag) {
    for (const auto& child : parent.childNodes())
        if (Element* element = child->asElement(); element && element->localName() == tag) return element;
    return nullptr;
}

// Attribute names are kept in lower case, so "id" is matched as it is; the
// first "id" counts, as findAttribute has it.
const std::u16string* OwnId(const Element& element) {
    for (const Attribute& attribute : element.attributes())
        if (attribute.name.size() == 2 && attribute.name[0] == u'i' && attribute.name[1] == u'd')
            return &attribute.value;
    return nullptr;
}

// Every id below `from` in document order; the first element keeps an id.
void IndexIds(const Element& from, std::unordered_map<std::u16string, Element*>& index) {
    for (const auto& child : from.childNodes()) {
        Element* element = child->asElement();
        if (!element) continue;
        if (const std::u16string* own = OwnId(*element); own && !own->empty()) index.emplace(*own, element);
        if (!element->childNodes().empty()) IndexIds(*element, index);
    }
}

void CollectStyles(const Element& from, StyleSheet& sheet) {
    for (const auto& child : from.childNodes()) {
        const Element* element = child->asElement();
        if (!element) continue;
        if (element->localName() == u"style") sheet.append(element->textContent());
        else CollectStyles(*element, sheet);
    }
}

// The names of the functions a handler attribute calls, in order:
// "checkradio(this); onChange()" gives checkradio and onChange.
std::vector<std::u16string> CalledFunctions(std::u16string_view handler) {
    std::vector<std::u16string> names;
    std::size_t start = 0;
    while (start <= handler.size()) {
        std::size_t end = handler.find(u';', start);
        if (end == std::u16string_view::npos) end = handler.size();
        std::u16string_view statement = TrimHtmlSpace(handler.substr(start, end - start));
        for (std::u16string_view prefix : {u"javascript:", u"return "})
            if (statement.size() >= prefix.size() &&
                EqualsIgnoringAsciiCase(statement.substr(0, prefix.size()), prefix))
                statement = TrimHtmlSpace(statement.substr(prefix.size()));
        std::size_t paren = statement.find(u'(');
        if (paren != std::u16string_view::npos) names.emplace_back(TrimHtmlSpace(statement.substr(0, paren)));
        start = end + 1;
    }
    return names;
}

constexpr std::u16string_view kEditFunction = u"onChange";
constexpr std::u16string_view kRadioGroupFunction = u"checkradio";

bool CallsFunction(const Element& element, std::u16string_view handler, std::u16string_view function) {
    const std::u16string* text = element.findAttribute(handler);
    if (!text) return false;
    std::vector<std::u16string> names = CalledFunctions(*text);
    return std::find(names.begin(), names.end(), function) != names.end();
}

}  // namespace

Document::Document() : root_(std::make_unique<Element>(*this, u"html")) {
    root_->appendChild(std::make_unique<Element>(*this, u"head"));
    root_->appendChild(std::make_unique<Element>(*this, u"body"));
}

Document::~Document() = default;

std::unique_ptr<Document> Document::parse(std::u16string_view html) {
    auto document = std::make_unique<Document>();
    ParseDocumentInto(*document, html);
    document->invalidateLayout();
    document->invalidateIdIndex();
    return document;
}

Element* Document::head() const { return ChildWithTag(*root_, u"head"); }
Element* Document::body() const { return ChildWithTag(*root_, u"body"); }

std::u16string Document::title() const {
    std::vector<Element*> titles = getElementsByTagName(u"title");
    return titles.empty() ? std::u16string() : CollapseHtmlSpace(titles.front()->textContent());
}

Element* Document::getElementById(std::u16string_view id) const {
    if (id.empty()) return nullptr;
    if (!idIndexCurrent_) {
        idIndex_.clear();
        IndexIds(*root_, idIndex_);
        idIndexCurrent_ = true;
    }
    const auto found = idIndex_.find(std::u16string(id));
    return found == idIndex_.end() ? nullptr : found->second;
}

std::vector<Element*> Document::getElementsByTagName(std::u16string_view tag) const {
    std::vector<Element*> out;
    std::u16string lower = LowerAscii(tag);
    if (lower == u"*" || root_->localName() == lower) out.push_back(root_.get());
    std::vector<Element*> below = root_->getElementsByTagName(lower);
    out.insert(out.end(), below.begin(), below.end());
    return out;
}

namespace {

void CollectFormControls(const Element& from, std::vector<Element*>& out) {
    for (const auto& child : from.childNodes()) {
        Element* element = child->asElement();
        if (element == nullptr) continue;
        if (element->isFormControl()) out.push_back(element);
        CollectFormControls(*element, out);
    }
}

}  // namespace

// One walk that keeps only the controls, and only after the tree changed: a
// page of a thousand rows is asked for them on every layout.
const std::vector<Element*>& Document::formControls() const {
    if (!controlsCurrent_) {
        controls_.clear();
        CollectFormControls(*root_, controls_);  // the root is always <html>
        controlsCurrent_ = true;
    }
    return controls_;
}

Element* Document::activeElement() const { return activeElement_ ? activeElement_ : body(); }

void Document::setActiveElement(Element* element) {
    if (element == body()) element = nullptr;
    if (element == activeElement_) return;
    activeElement_ = element;
    for (DocumentObserver* observer : std::vector(observers_)) observer->focusChanged(element, ChangeCause::Program);
}

// User actions ---------------------------------------------------------------

void Document::userSetValue(Element& input, std::u16string_view value) {
    if (!input.isInput() || input.value() == value) return;
    input.value_.assign(value);
    input.valueDirty_ = true;
    notifyStateChanged(input, ChangeCause::User);
    runHandlerFunctions(input, u"onpropertychange");
}

void Document::userClickRadio(Element& radio) {
    if (!radio.isInput() || radio.type() != u"radio") return;
    if (!radio.checked_) {
        radio.checked_ = true;
        notifyStateChanged(radio, ChangeCause::User);
        std::u16string group = radio.name();
        if (!group.empty())
            for (Element* other : getElementsByTagName(u"input"))
                if (other != &radio && other->checked_ && other->type() == u"radio" && other->name() == group) {
                    other->checked_ = false;
                    notifyStateChanged(*other, ChangeCause::User);
                }
    }
    runHandlerFunctions(radio, u"onclick");
}

void Document::userSelectOption(Element& select, int index) {
    if (!select.isSelect() || index < 0 || index >= static_cast<int>(select.options().size())) return;
    if (select.selectedIndex() == index) return;
    select.selectedIndex_ = index;
    notifyStateChanged(select, ChangeCause::User);
    runHandlerFunctions(select, u"onchange");
}

void Document::userFocus(Element* element) {
    if (element == body()) element = nullptr;
    if (element == activeElement_) return;
    activeElement_ = element;
    for (DocumentObserver* observer : std::vector(observers_)) observer->focusChanged(element, ChangeCause::User);
}

// The page's script functions, as the document carries them out: onChange
// reports the edit; checkradio checks the clicked radio and unchecks every
// other radio whose click calls it.
void Document::runHandlerFunctions(Element& element, std::u16string_view handlerAttribute) {
    const std::u16string* handler = element.findAttribute(handlerAttribute);
    if (!handler) return;
    for (const std::u16string& function : CalledFunctions(*handler)) {
        if (function == kRadioGroupFunction) {
            for (Element* other : getElementsByTagName(u"input"))
                if (other != &element && other->checked_ && CallsFunction(*other, u"onclick", kRadioGroupFunction)) {
                    other->checked_ = false;
                    notifyStateChanged(*other, ChangeCause::User);
                }
            if (!element.checked_) {
                element.checked_ = true;
                notifyStateChanged(element, ChangeCause::User);
            }
        } else if (function == kEditFunction) {
            reportEdit(element, handlerAttribute);
        }
    }
}

void Document::reportEdit(Element& element, std::u16string_view) {
    if (host_) host_->onUserEdit(element);
}

// Observers ------------------------------------------------------------------

void Document::addObserver(DocumentObserver& observer) {
    if (std::find(observers_.begin(), observers_.end(), &observer) == observers_.end()) observers_.push_back(&observer);
}

void Document::removeObserver(DocumentObserver& observer) { std::erase(observers_, &observer); }

namespace {

bool HoldsStyleElement(const Element& element) {
    if (element.localName() == u"style") return true;
    for (const auto& child : element.childNodes())
        if (const Element* below = child->asElement(); below && HoldsStyleElement(*below)) return true;
    return false;
}

bool HoldsStyle(const Node& node) {
    const Element* element = node.asElement();
    if (!element) return node.parentElement() && node.parentElement()->localName() == u"style";
    return HoldsStyleElement(*element);
}

}  // namespace

void Document::notifySubtreeChanged(Element& parent) {
    invalidateLayout();
    treeChanged();
    if (HoldsStyle(parent)) styleSheet_.reset();
    for (DocumentObserver* observer : std::vector(observers_)) observer->subtreeChanged(parent);
}

void Document::notifySubtreeRemoving(Node& root) {
    treeChanged();
    if (HoldsStyle(root)) styleSheet_.reset();
    for (DocumentObserver* observer : std::vector(observers_)) observer->subtreeRemoving(root);
}

void Document::notifyStateChanged(Element& control, ChangeCause cause) {
    for (DocumentObserver* observer : std::vector(observers_)) observer->stateChanged(control, cause);
}

void Document::notifyDisplayChanged(Element& element) {
    invalidateLayout();
    for (DocumentObserver* observer : std::vector(observers_)) observer->displayChanged(element);
}

void Document::notifyStyleSheetChanged() {
    styleSheet_.reset();
    invalidateLayout();
}

const StyleSheet& Document::styleSheet() const {
    if (!styleSheet_) {
        styleSheet_ = std::make_unique<StyleSheet>();
        CollectStyles(*root_, *styleSheet_);
    }
    return *styleSheet_;
}

// Layout ---------------------------------------------------------------------

void Document::setLayoutContext(TextMeasure* measure, int viewportWidth) {
    measure_ = measure;
    viewportWidth_ = std::max(viewportWidth, 0);
    invalidateLayout();
}

const PageSize& Document::ensureLayout() {
    if (!layoutCurrent_) {
        static FixedTextMeasure fixed;
        pageSize_ = LayoutDocument(*this, measure_ ? *measure_ : fixed, viewportWidth_);
        layoutCurrent_ = true;
    }
    return pageSize_;
}

}  // namespace tarnwick::htmlform
