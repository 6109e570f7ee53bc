// The little CSS the form pages use: rules of simple selectors (a tag, *,
// .class, #id or tag.class / tag#id, in comma lists) with declarations, and
// inline style attributes. Selectors with combinators or pseudo-classes are
// skipped; the layout reads the properties it knows and ignores the rest.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::htmlform {

class Element;

struct StyleDeclaration {
    std::u16string property;  // lower case
    std::u16string value;     // trimmed, "!important" dropped
    bool operator==(const StyleDeclaration&) const = default;
};

struct StyleSelector {
    std::u16string tag;  // lower case; empty for * or none
    std::u16string id;
    std::u16string className;
    int specificity() const;
    bool matches(const Element& element) const;
};

struct StyleRule {
    StyleSelector selector;
    std::vector<StyleDeclaration> declarations;
};

// "a: b; c: d" as written in a rule's braces or a style attribute.
std::vector<StyleDeclaration> ParseDeclarations(std::u16string_view text);

class StyleSheet {
public:
    // Adds the rules of one <style> element's text.
    void append(std::u16string_view css);
    const std::vector<StyleRule>& rules() const { return rules_; }
    // The declarations that apply to `element`, weakest first (by specificity,
    // then by order); an inline style comes after all of them.
    std::vector<const StyleDeclaration*> matching(const Element& element) const;
    template <typename Visit>
    void forEachMatching(const Element& element, Visit visit) const {
        for (const StyleRule* rule : bySpecificity_)
            if (rule->selector.matches(element))
                for (const StyleDeclaration& declaration : rule->declarations) visit(declaration);
    }

private:
    void sortRules();

    std::vector<StyleRule> rules_;
    std::vector<const StyleRule*> bySpecificity_;
};

}  // namespace tarnwick::htmlform
