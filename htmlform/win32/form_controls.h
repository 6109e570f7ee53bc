// The native controls that show one form document: a static control for each
// line of text and a control for each input and select, kept in document order
// (which is also their z-order and tab order). A sync brings them in line with
// the document's last layout, reusing what it can: a rebuild of a page moves,
// re-texts and re-numbers controls rather than destroying and creating them.
//
// A page of many controls is windowed: only its lines and inputs within a
// margin of the view have controls, taken over from rows that scrolled away,
// so a long card costs scroll range rather than windows. A control keeps the
// id of its element's position in the document either way; the focused input
// keeps its control wherever it scrolls, so its caret and undo stay.
#pragma once

#include <windows.h>

#include <map>
#include <string>
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

    // A page with more lines and inputs than this is windowed.
    static constexpr std::size_t kWindowedAbove = 150;
    // How far above and below the view a windowed page has controls (pixels).
    static constexpr int kMargin = 64;

    // Brings every control in line with the document (laid out already),
    // scrolled by `scroll` in a view `viewHeight` high. Returns the controls it
    // created, so that the caller can watch their keys.
    std::vector<HWND> sync(htmlform::Document& document, POINT scroll, int viewHeight);
    // Moves every control to its place for a new scroll position; a windowed
    // page also gets the controls of the rows coming into view (returned as by
    // sync) from those that left it.
    std::vector<HWND> place(POINT scroll);
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
    // The displayed input after (or before) `from` in document order, wrapping
    // around, whether it has a control now or not; `from` itself when it is the
    // only one, nullptr when there is none. From nullptr: the first (last) one.
    htmlform::Element* neighbour(const htmlform::Element* from, bool backwards) const;
    // True while this class changes a control itself: the notifications the
    // control sends meanwhile are not the user's.
    bool updating() const { return updating_ > 0; }

private:
    struct Input {
        htmlform::Element* element = nullptr;
        HWND window = nullptr;
        ControlKind kind = ControlKind::Edit;
        htmlform::Rect rect;
        // Shown; for a spare, one that left the view in the build under way.
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
    // One wanted control, in document order: a line of text or an input. The
    // line is copied: it outlives the layout it came from while the view scrolls.
    struct Wanted {
        TextKey key{nullptr, 0};
        std::u16string text;
        htmlform::Rect rect;
        htmlform::FontSpec font;
        htmlform::Element* element = nullptr;
        int id = 0;
        bool displayed = false;
    };
    class Updating;

    void collect(htmlform::Node& node, std::vector<Wanted>& wanted) const;
    std::vector<HWND> build(POINT scroll);
    bool inBand(const htmlform::Rect& rect) const;
    HWND syncInput(htmlform::Element& element, int id, std::vector<Input>& inputs, std::vector<HWND>& created);
    // Where a control goes in a build, and whether it moves or is shown there.
    struct Placement {
        HWND window = nullptr;
        htmlform::Rect rect;
        bool move = false;
        bool show = false;
        bool list = false;
    };
    Placement syncText(const Wanted& wanted, bool moved);
    Placement placeInput(Input& input, bool moved);
    void trimSpares();
    // How many controls there are, shown or kept for reuse.
    std::size_t windowCount() const;
    void showStateOf(const Input& input);
    void setBounds(HWND window, const htmlform::Rect& rect, POINT scroll) const;
    void fitListField(HWND list, int fieldHeight) const;
    void arrange(const std::vector<Placement>& order, POINT scroll);
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
    // Statics of lines that left the band during a build, still shown.
    std::vector<HWND> leavingTexts_;
    // What the last sync wanted, for a windowed page's builds as it scrolls.
    std::vector<Wanted> wanted_;
    bool windowed_ = false;
    bool wantedStale_ = false;  // a part of the page left the document since
    int viewHeight_ = 0;
    // The band of page rows that has controls, and the scroll they were placed for.
    int bandTop_ = 0;
    int bandBottom_ = 0;
    POINT placed_{0, 0};
    int updating_ = 0;
};

}  // namespace tarnwick
