#include "htmlform/form_layout.h"

#include <algorithm>
#include <atomic>

#include "htmlform/ascii_text.h"
#include "htmlform/layout_engine.h"

namespace tarnwick::htmlform {
namespace {

// Every node forgets the last layout; what this one does not reach stays not rendered.
void ResetBoxes(Node& node) {
    LayoutBox& box = node.mutableLayoutBox();
    box.rendered = false;
    box.rect = {};
    box.fragments.clear();
    if (Element* element = node.asElement())
        for (const auto& child : element->childNodes()) ResetBoxes(*child);
}

int RightmostEdge(const Node& node) {
    int right = node.layoutBox().rendered ? node.layoutBox().rect.right() : 0;
    if (const Element* element = node.asElement())
        for (const auto& child : element->childNodes()) right = std::max(right, RightmostEdge(*child));
    return right;
}

// Each pass a number of its own, never 0 (an element not yet laid out).
unsigned nextPass() {
    static std::atomic<unsigned> last{0};
    unsigned pass = ++last;
    while (pass == 0) pass = ++last;
    return pass;
}

}  // namespace

LayoutEngine::LayoutEngine(Document& document, TextMeasure& measure)
    : document_(document),
      measure_(measure),
      sheet_(document.styleSheet()),
      pass_(nextPass()) {
    intrinsics_.reserve(128);
}

PageSize LayoutEngine::run(int viewportWidth) {
    Element& root = document_.documentElement();
    ResetBoxes(root);
    int height = layoutBlockLevel(root, 0, 0, viewportWidth);
    int right = 0;
    if (Element* body = document_.body(); body && body->layoutBox().rendered)
        right = RightmostEdge(*body) + style(*body).margin.right;
    return {std::max(viewportWidth, right), height};
}

const ComputedStyle& LayoutEngine::style(const Element& element) {
    Element::LayoutScratch& scratch = element.layoutScratch();
    if (scratch.stylePass == pass_) return scratch.style;
    const Element* parent = element.parentElement();
    scratch.style = ComputeStyle(element, parent ? style(*parent) : RootStyle(), sheet_);
    scratch.stylePass = pass_;
    return scratch.style;
}

bool LayoutEngine::isBlockLevel(const Element& element) {
    Element::LayoutScratch& scratch = element.layoutScratch();
    if (scratch.blockPass == pass_) return scratch.blockLevel;
    Display display = style(element).display;
    bool block = display != Display::Inline && display != Display::Control && display != Display::None;
    if (display == Display::Inline)  // an inline element holding blocks is laid out as one
        for (const Element* child : element.children())
            if (isBlockLevel(*child)) {
                block = true;
                break;
            }
    scratch.blockLevel = block;
    scratch.blockPass = pass_;
    return block;
}

int LayoutEngine::layoutBlockLevel(Element& element, int x, int y, int available) {
    const ComputedStyle& cs = style(element);
    if (cs.display == Display::None) return 0;
    if (cs.display == Display::Table) return layoutTable(element, x, y, available);
    int edges = cs.padding.horizontal() + cs.border.horizontal();
    int outer = std::max(0, available - cs.margin.horizontal());
    int borderBox = cs.width.set ? cs.width.resolve(outer) + edges : outer;
    int contentX = x + cs.margin.left + cs.border.left + cs.padding.left;
    int contentY = y + cs.margin.top + cs.border.top + cs.padding.top;
    int height = layoutContents(element, contentX, contentY, std::max(0, borderBox - edges));
    LayoutBox& box = element.mutableLayoutBox();
    box.rendered = true;
    box.rect = {x + cs.margin.left, y + cs.margin.top, borderBox,
                height + cs.padding.vertical() + cs.border.vertical()};
    box.font = cs.font;
    box.align = cs.align;
    return box.rect.height + cs.margin.vertical();
}

int LayoutEngine::layoutContents(Element& element, int x, int y, int width) {
    int cursor = y;
    std::vector<InlineAtom> atoms;
    std::vector<InlineSpan> spans;
    auto flush = [&] {
        if (atoms.empty()) return;
        cursor = ClampPixels(static_cast<long long>(cursor) +
                             layoutInline(atoms, spans, style(element).align, x, cursor, width, style(element).font));
        atoms.clear();
        spans.clear();
    };
    for (const auto& child : element.childNodes()) {
        Element* childElement = child->asElement();
        if (childElement && style(*childElement).display == Display::None) continue;
        if (childElement && isBlockLevel(*childElement)) {
            flush();
            cursor = ClampPixels(static_cast<long long>(cursor) + layoutBlockLevel(*childElement, x, cursor, width));
        } else {
            collectAtoms(*child, atoms, spans);
        }
    }
    flush();
    return cursor - y;
}

Intrinsic LayoutEngine::intrinsicContents(Element& element) {
    auto found = intrinsics_.find(&element);
    if (found != intrinsics_.end()) return found->second;
    Intrinsic result;
    std::vector<InlineAtom> atoms;
    std::vector<InlineSpan> spans;
    auto flush = [&] {
        Intrinsic run = intrinsicInline(atoms);
        result.min = std::max(result.min, run.min);
        result.max = std::max(result.max, run.max);
        atoms.clear();
        spans.clear();
    };
    for (const auto& child : element.childNodes()) {
        Element* childElement = child->asElement();
        if (childElement && style(*childElement).display == Display::None) continue;
        if (childElement && isBlockLevel(*childElement)) {
            flush();
            Intrinsic outer = intrinsicOuter(*childElement);
            result.min = std::max(result.min, outer.min);
            result.max = std::max(result.max, outer.max);
        } else {
            collectAtoms(*child, atoms, spans);
        }
    }
    flush();
    intrinsics_.emplace(&element, result);
    return result;
}

Intrinsic LayoutEngine::intrinsicOuter(Element& element) {
    const ComputedStyle& cs = style(element);
    if (cs.display == Display::None) return {};
    Intrinsic inner = cs.display == Display::Table ? intrinsicTable(element) : intrinsicContents(element);
    int edges = cs.display == Display::Table ? 0 : cs.padding.horizontal() + cs.border.horizontal();
    if (cs.display != Display::Table && cs.width.set && !cs.width.percent) inner = {cs.width.value, cs.width.value};
    int margins = cs.margin.horizontal();
    return {inner.min + edges + margins, inner.max + edges + margins};
}

void LayoutEngine::shift(Node& node, int dx, int dy) {
    LayoutBox& box = node.mutableLayoutBox();
    box.rect.x += dx;
    box.rect.y += dy;
    for (TextFragment& fragment : box.fragments) {
        fragment.rect.x += dx;
        fragment.rect.y += dy;
    }
    if (Element* element = node.asElement())
        for (const auto& child : element->childNodes()) shift(*child, dx, dy);
}

PageSize LayoutDocument(Document& document, TextMeasure& measure, int viewportWidth) {
    LayoutEngine engine(document, measure);
    return engine.run(std::max(viewportWidth, 0));
}

TextExtent TextInputSize(TextMeasure& measure, const FontSpec& font, int sizeAttribute) {
    // A size-20 box of average letters, with the 2-pixel sunken border and 1-pixel padding.
    constexpr int kDefaultSize = 20;
    constexpr int kEdges = 6;
    int size = sizeAttribute > 0 ? std::min(sizeAttribute, 1000) : kDefaultSize;
    // The wider of a letter and a digit a character, and room for one wide
    // character more, as browsers size a box: a size-4 year box shows four digits.
    TextExtent letter = measure.measure(u"x", font);
    letter.width = std::max(letter.width, measure.measure(u"0", font).width);
    const int wide = std::max(0, measure.measure(u"W", font).width - letter.width);
    return {letter.width * size + wide + kEdges, letter.height + kEdges};
}

TextExtent RadioSize() { return {13, 13}; }

TextExtent SelectSize(TextMeasure& measure, const FontSpec& font, const Element& select) {
    // The widest option, the drop-down button and the border.
    constexpr int kButtonAndEdges = 24;
    int widest = 0;
    for (const Element* option : select.options())
        widest = std::max(widest, measure.measure(CollapseHtmlSpace(option->textContent()), font).width);
    TextExtent line = measure.measure(u"x", font);
    return {widest + kButtonAndEdges, line.height + 6};
}

}  // namespace tarnwick::htmlform
