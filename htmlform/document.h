// A form document: the page an editor shows, parsed from its HTML, with the
// calls the editors make on it (getElementById, getElementsByTagName, body,
// the active element), the user's actions as the renderer reports them, and
// the layout that gives every element its place.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "htmlform/document_events.h"
#include "htmlform/element.h"
#include "htmlform/style_sheet.h"
#include "htmlform/text_measure.h"

namespace tarnwick::htmlform {

// The size of everything drawn, from the page's top-left corner: what scroll bars scroll.
struct PageSize {
    int width = 0;
    int height = 0;
    bool operator==(const PageSize&) const = default;
};

class Document {
public:
    // An empty page: html, head and an empty body.
    Document();
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // Parses a whole page. Never fails: broken markup gives what a browser would make of it.
    static std::unique_ptr<Document> parse(std::u16string_view html);

    Element& documentElement() const { return *root_; }
    Element* head() const;
    Element* body() const;
    // The first <title>'s text, white space collapsed.
    std::u16string title() const;

    // The first element in document order with that id, or null. Answered from
    // an index built at the first look-up after a change, so that a form that
    // finds each of its rows by id costs one walk, not one per row.
    Element* getElementById(std::u16string_view id) const;
    // Elements of that tag (either case; "*" for all) in document order.
    std::vector<Element*> getElementsByTagName(std::u16string_view tag) const;
    // Every input and select in document order: the controls a renderer shows.
    // Kept, like the id index, until the next change of the tree.
    const std::vector<Element*>& formControls() const;

    // The focused control; the body when none is focused, as a browser answers.
    Element* activeElement() const;
    // The program moves the focus (null: none); observers are told, the host is not.
    void setActiveElement(Element* element);

    // The user's actions, called by the renderer. Each updates the document,
    // tells the observers and, when the element's markup asks for it, reports
    // the edit to the host. Nothing is reported when nothing changed (a radio
    // click is always a click).
    void userSetValue(Element& input, std::u16string_view value);
    void userClickRadio(Element& radio);
    void userSelectOption(Element& select, int index);
    void userFocus(Element* element);

    void setHost(DocumentHost* host) { host_ = host; }
    DocumentHost* host() const { return host_; }
    void addObserver(DocumentObserver& observer);
    void removeObserver(DocumentObserver& observer);

    // The rules of the page's <style> elements (read again when one changes).
    const StyleSheet& styleSheet() const;

    // Layout. The renderer names its measure and width; until then geometry
    // asked of an element (offsetTop) is computed with FixedTextMeasure at 800 pixels.
    void setLayoutContext(TextMeasure* measure, int viewportWidth);
    // Lays the page out again when something changed since the last layout.
    const PageSize& ensureLayout();
    bool layoutIsCurrent() const { return layoutCurrent_; }
    // The page size of the last layout.
    const PageSize& pageSize() const { return pageSize_; }

    // For Element and the parser: a change happened.
    void notifySubtreeChanged(Element& parent);
    void notifySubtreeRemoving(Node& root);
    void notifyStateChanged(Element& control, ChangeCause cause);
    void notifyDisplayChanged(Element& element);
    void notifyStyleSheetChanged();
    void invalidateLayout() { layoutCurrent_ = false; }
    // For Element: an id was set; the index is built again when next asked.
    void invalidateIdIndex() { treeChanged(); }

private:
    // What is kept of the tree's shape (the id index, the controls) is built
    // again when next asked.
    void treeChanged() const {
        idIndexCurrent_ = false;
        controlsCurrent_ = false;
    }
    void reportEdit(Element& element, std::u16string_view handlerAttribute);
    void runHandlerFunctions(Element& element, std::u16string_view handlerAttribute);

    std::unique_ptr<Element> root_;
    mutable std::unordered_map<std::u16string, Element*> idIndex_;
    mutable bool idIndexCurrent_ = false;
    mutable std::vector<Element*> controls_;
    mutable bool controlsCurrent_ = false;
    Element* activeElement_ = nullptr;
    DocumentHost* host_ = nullptr;
    std::vector<DocumentObserver*> observers_;
    mutable std::unique_ptr<StyleSheet> styleSheet_;
    TextMeasure* measure_ = nullptr;
    int viewportWidth_ = 800;
    bool layoutCurrent_ = false;
    PageSize pageSize_;
};

}  // namespace tarnwick::htmlform
