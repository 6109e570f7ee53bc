// The native controls that show one form document: a static control for each
// line of text and a control for each input and select, kept in document order
// (which is also their z-order and tab order). A sync brings them in line with
// the document's last layout, reusing what it can: a rebuild of a page moves,
// re-texts and re-numbers controls rather than destroying and creating them.
#pragma once

#include <windows.h>

#include <map>
#include <unordered_map>
#include <utility>
#include <vector>

#include "htmlform/document.h"
#include "htmlform/win32/form_fonts.h"
#include "htmlform/win32/native_controls.h"

namespace tarnwick {

class FormControls {
public:
    FormControls(HWND pane, FormFonts& fonts);
    ~FormControls();
    FormControls(const FormControls&) = delete;
    FormControls& operator=(const FormControls&) = delete;

    // Brings every control in line with the document (laid out already),
    // scrolled by `scroll`. Returns the controls it created, so that the caller
    // can watch their keys.
    std::vector<HWND> sync(htmlform::Document& document, POINT scroll);
    // Moves every control to its place for a new scroll position.
    void place(POINT scroll);
    // `root` is leaving the document: its controls go with it.
    void forget(const htmlform::Node& root);
    // Destroys every control.
    void clear();
    // Puts the element's value, check or selection into its control.
    void showState(const htmlform::Element& element);

    HWND controlOf(const htmlform::Element* element) const;
    htmlform::Element* elementOf(HWND control) const;
    // The page rectangle of a control's element (empty when it has none).
    htmlform::Rect pageRectOf(HWND control) const;
    // The displayed control after (or before) `from` in document order, wrapping
    // around; `from` itself when it is the only one, nullptr when there is none.
    HWND neighbour(HWND from, bool backwards) const;
    // True while this class changes a control itself: the notifications the
    // control sends meanwhile are not the user's.
    bool updating() const { return updating_ > 0; }

private:
    struct Input {
        htmlform::Element* element = nullptr;
        HWND window = nullptr;
        ControlKind kind = ControlKind::Edit;
        htmlform::Rect rect;
        bool displayed = false;
    };
    struct Text {
        HWND window = nullptr;
        htmlform::Rect rect;
        bool shown = false;
        bool wanted = false;  // by the sync under way
    };
    // A line of text: its node and which of the node's lines.
    using TextKey = std::pair<const htmlform::Node*, std::size_t>;
    // One wanted control, in document order: a line of text or an input.
    struct Wanted {
        TextKey key{nullptr, 0};
        const htmlform::TextFragment* fragment = nullptr;
        htmlform::FontSpec font;
        htmlform::Element* element = nullptr;
    };
    class Updating;

    void collect(htmlform::Node& node, std::vector<Wanted>& wanted) const;
    HWND syncInput(htmlform::Element& element, int id, std::vector<Input>& inputs, std::vector<HWND>& created);
    HWND syncText(const Wanted& wanted, POINT scroll);
    void placeInput(Input& input, POINT scroll);
    void showStateOf(const Input& input);
    void setBounds(HWND window, const htmlform::Rect& rect, POINT scroll) const;
    void fitListField(HWND list, int fieldHeight) const;
    void putInZOrder(const std::vector<HWND>& order);
    void retire(Input& input);
    HWND takeSpare(ControlKind kind);

    HWND pane_;
    FormFonts& fonts_;
    std::vector<Input> inputs_;
    std::unordered_map<const htmlform::Element*, std::size_t> inputIndex_;
    std::vector<Input> spare_;
    // The shown controls in z-order, as the last sync left them.
    std::vector<HWND> order_;
    // Each line's static stays its line's while the line's node stays in the
    // document (shown, or hidden and emptied), so showing a table again only
    // re-texts and shows them.
    std::map<TextKey, Text> texts_;
    std::vector<HWND> spareTexts_;
    int updating_ = 0;
};

}  // namespace tarnwick
