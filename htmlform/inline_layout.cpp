// Inline content: words, collapsed spaces, controls and line breaks, broken
// into lines, aligned, and given back to their text nodes as fragments.
#include <algorithm>

#include "htmlform/ascii_text.h"
#include "htmlform/form_layout.h"
#include "htmlform/layout_engine.h"

namespace tarnwick::htmlform {

using namespace std::string_view_literals;
namespace {

using Kind = InlineAtom::Kind;

bool Placed(const InlineAtom& atom) { return atom.line >= 0; }

Rect Union(const Rect& a, const Rect& b) {
    int left = std::min(a.x, b.x), top = std::min(a.y, b.y);
    return {left, top, std::max(a.right(), b.right()) - left, std::max(a.bottom(), b.bottom()) - top};
}

// The border-box size of a control in its font.
TextExtent ControlSize(TextMeasure& measure, const Element& control, const ComputedStyle& cs) {
    FontSpec font{cs.font.sizePx, false};  // controls keep their own weight
    if (control.isSelect()) return SelectSize(measure, font, control);
    if (control.localName() == u"textarea"sv) {
        TextExtent letter = measure.measure(u"x", font);
        return {letter.width * 20 + 6, letter.height * 2 + 6};
    }
    const std::u16string_view type = control.isInput() ? control.type() : u"submit";
    if (type == u"radio"sv || type == u"checkbox"sv) return RadioSize();
    if (type == u"submit"sv || type == u"button"sv || type == u"reset"sv) {
        TextExtent text = measure.measure(control.isInput() ? control.value() : control.textContent(), font);
        return {text.width + 16, text.height + 6};
    }
    Length size = ParseLength(control.getAttribute(u"size"));
    TextExtent box = TextInputSize(measure, font, size.set && !size.percent ? size.value : 0);
    if (cs.paddingSet) {  // the page's padding replaces the box's own pixel
        box.width += cs.padding.horizontal() - 2;
        box.height += cs.padding.vertical() - 2;
    }
    if (cs.width.set && !cs.width.percent) box.width = cs.width.value;
    return box;
}

}  // namespace

void LayoutEngine::collectAtoms(Node& node, std::vector<InlineAtom>& atoms, std::vector<InlineSpan>& spans) {
    if (TextNode* text = node.asText()) {
        if (!text->parentElement()) return;
        FontSpec font = style(*text->parentElement()).font;
        const std::u16string& data = text->data();
        for (std::size_t i = 0; i < data.size();) {
            if (IsHtmlSpace(data[i])) {
                while (i < data.size() && IsHtmlSpace(data[i])) ++i;
                if (!atoms.empty() && atoms.back().kind == Kind::Space) continue;
                InlineAtom space{Kind::Space, text, u" ", font};
                space.width = measure_.measure(u" ", font).width;
                space.height = measure_.measure(u" ", font).height;
                atoms.push_back(std::move(space));
                continue;
            }
            std::size_t start = i;
            while (i < data.size() && !IsHtmlSpace(data[i])) ++i;
            InlineAtom word{Kind::Word, text, data.substr(start, i - start), font};
            TextExtent extent = measure_.measure(word.text, font);
            word.width = extent.width;
            word.height = extent.height;
            atoms.push_back(std::move(word));
        }
        return;
    }
    Element& element = *node.asElement();
    const ComputedStyle& cs = style(element);
    if (cs.display == Display::None) return;
    if (element.localName() == u"br"sv) {
        InlineAtom lineBreak{Kind::Break, &element, {}, cs.font};
        lineBreak.height = measure_.measure(u"", cs.font).height;
        atoms.push_back(std::move(lineBreak));
        return;
    }
    if (cs.display == Display::Control) {
        InlineAtom control{Kind::Control, &element, {}, FontSpec{cs.font.sizePx, false}};
        TextExtent size = ControlSize(measure_, element, cs);
        control.width = size.width;
        control.height = size.height;
        control.marginLeft = cs.margin.left;
        control.marginRight = cs.margin.right;
        atoms.push_back(std::move(control));
        return;
    }
    std::size_t first = atoms.size();
    for (const auto& child : element.childNodes()) collectAtoms(*child, atoms, spans);
    spans.push_back({&element, first, atoms.size()});
}

int LayoutEngine::layoutInline(std::vector<InlineAtom>& atoms, std::vector<InlineSpan>& spans, TextAlign align, int x,
                               int y, int width, const FontSpec& font) {
    int top = y;
    std::size_t lineBegin = 0;
    int line = 0;
    int cursor = 0;
    bool hasContent = false;
    long pendingSpace = -1;
    // Places the atoms of the line [lineBegin, end): height, vertical centring, alignment.
    auto finishLine = [&](std::size_t end) {
        int height = 0;
        bool any = false;
        for (std::size_t i = lineBegin; i < end; ++i)
            if (Placed(atoms[i])) height = std::max(height, atoms[i].height), any = true;
        if (!any) {
            lineBegin = end;
            return;
        }
        int slack = std::max(0, width - cursor);
        int dx = align == TextAlign::Right ? slack : align == TextAlign::Center ? slack / 2 : 0;
        for (std::size_t i = lineBegin; i < end; ++i) {
            if (!Placed(atoms[i])) continue;
            atoms[i].x += x + dx;
            atoms[i].y = top + (height - atoms[i].height) / 2;
        }
        top = ClampPixels(static_cast<long long>(top) + height);
        ++line;
        cursor = 0;
        hasContent = false;
        lineBegin = end;
    };
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        InlineAtom& atom = atoms[i];
        if (atom.kind == Kind::Space) {
            atom.line = -1;
            if (hasContent) pendingSpace = static_cast<long>(i);
            continue;
        }
        if (atom.kind == Kind::Break) {
            pendingSpace = -1;
            atom.line = line;
            atom.x = cursor;
            finishLine(i + 1);
            continue;
        }
        int outer = atom.marginLeft + atom.width + atom.marginRight;
        int spaceWidth = pendingSpace >= 0 ? atoms[static_cast<std::size_t>(pendingSpace)].width : 0;
        if (hasContent && cursor + spaceWidth + outer > width) {
            pendingSpace = -1;
            finishLine(i);
            spaceWidth = 0;
        }
        if (pendingSpace >= 0) {
            InlineAtom& space = atoms[static_cast<std::size_t>(pendingSpace)];
            space.line = line;
            space.x = cursor;
            cursor = ClampPixels(static_cast<long long>(cursor) + spaceWidth);
            pendingSpace = -1;
        }
        atom.line = line;
        atom.x = cursor + atom.marginLeft;
        cursor = ClampPixels(static_cast<long long>(cursor) + outer);
        hasContent = true;
    }
    finishLine(atoms.size());
    if (top == y && atoms.empty()) return 0;

    // Text nodes: one fragment per line; controls and breaks: their boxes.
    for (std::size_t i = 0; i < atoms.size(); ++i) {
        const InlineAtom& atom = atoms[i];
        if (!Placed(atom)) continue;
        Rect rect{atom.x, atom.y, atom.width, atom.height};
        LayoutBox& box = atom.node->mutableLayoutBox();
        if (atom.kind == Kind::Word || atom.kind == Kind::Space) {
            bool sameFragment = !box.fragments.empty() && i > 0 && Placed(atoms[i - 1]) &&
                                atoms[i - 1].node == atom.node && atoms[i - 1].line == atom.line;
            if (!sameFragment) box.fragments.push_back({rect, {}});
            TextFragment& fragment = box.fragments.back();
            fragment.rect = sameFragment ? Union(fragment.rect, rect) : rect;
            fragment.text += atom.text;
            box.rect = box.rendered ? Union(box.rect, rect) : rect;
        } else {
            box.rect = rect;
        }
        box.rendered = true;
        box.font = atom.font;
        box.align = align;
    }
    for (const InlineSpan& span : spans) {
        LayoutBox& box = span.element->mutableLayoutBox();
        box.rendered = true;
        box.font = style(*span.element).font;
        bool any = false;
        for (std::size_t i = span.first; i < span.last; ++i) {
            if (!Placed(atoms[i])) continue;
            Rect rect{atoms[i].x, atoms[i].y, atoms[i].width, atoms[i].height};
            box.rect = any ? Union(box.rect, rect) : rect;
            any = true;
        }
        if (!any) box.rect = {x, y, 0, 0};
    }
    (void)font;
    return top - y;
}

Intrinsic LayoutEngine::intrinsicInline(const std::vector<InlineAtom>& atoms) {
    Intrinsic result;
    int line = 0;
    bool hasContent = false;
    int pending = 0;
    for (const InlineAtom& atom : atoms) {
        if (atom.kind == Kind::Break) {
            result.max = std::max(result.max, line);
            line = 0;
            hasContent = false;
            pending = 0;
        } else if (atom.kind == Kind::Space) {
            if (hasContent) pending = atom.width;
        } else {
            int outer = atom.marginLeft + atom.width + atom.marginRight;
            result.min = std::max(result.min, outer);
            line = ClampPixels(static_cast<long long>(line) + pending + outer);
            pending = 0;
            hasContent = true;
        }
    }
    result.max = std::max(result.max, line);
    return result;
}

}  // namespace tarnwick::htmlform
