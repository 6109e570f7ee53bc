#include "htmlform/win32/form_controls.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <set>
#include <unordered_set>

#include "htmlform/element.h"
#include "htmlform/win32/form_view_ids.h"

namespace tarnwick {

using htmlform::Element;
using htmlform::Node;
using htmlform::Rect;

namespace {

// Texts of these elements are never drawn; an option's text is its list's item.
bool drawsNoText(const Element& element) {
    return element.hasTag(u"head") || element.hasTag(u"script") || element.hasTag(u"style") ||
           element.hasTag(u"title") || element.hasTag(u"select") || element.hasTag(u"textarea");
}

ControlKind kindOf(const Element& element) {
    if (element.isSelect()) return ControlKind::DropDownList;
    const std::u16string_view type = element.type();
    if (type == u"password") return ControlKind::Password;
    if (type == u"radio") return ControlKind::Radio;
    if (type == u"checkbox") return ControlKind::CheckBox;
    return ControlKind::Edit;
}

// A node's text as a list shows it: white space runs made one space, trimmed.
std::u16string optionText(const Node& option) {
    std::u16string text;
    bool space = false;
    for (char16_t unit : option.textContent()) {
        const bool isSpace = unit == u' ' || unit == u'\t' || unit == u'\n' || unit == u'\r' || unit == u'\f';
        if (isSpace) {
            space = !text.empty();
            continue;
        }
        if (space) text.push_back(u' ');
        space = false;
        text.push_back(unit == 0xA0 ? u' ' : unit);
    }
    return text;
}

// A radio's or check box's own label: the text right after it ("None", "Male").
// The button is only as wide as its mark, so the text names it for screen
// readers without being drawn twice.
std::u16string buttonName(const Element& button) {
    const Node* next = button.nextSibling();
    return next != nullptr && next->asText() != nullptr ? optionText(*next) : std::u16string();
}

std::vector<std::u16string> optionTexts(const Element& select) {
    std::vector<std::u16string> texts;
    for (const Element* option : select.options()) texts.push_back(optionText(*option));
    return texts;
}

// A control leaving the page keeps no text: the window text of a hidden or
// pooled control is still there for any program to read.
void emptyControl(HWND control) { SetControlText(control, std::u16string()); }

// Hidden first, then emptied: an emptied control that is still shown would
// be drawn again for nothing (under Wine that costs more than the hiding).
void putAway(HWND control) {
    SetControlVisible(control, false);
    emptyControl(control);
}

bool isUnder(const Node& node, const Node& root) {
    for (const Node* at = &node; at != nullptr; at = at->parentElement()) {
        if (at == &root) return true;
    }
    return false;
}

}  // namespace

// Marks the changes this class makes itself, so that the controls'
// notifications about them are not taken for the user's.
class FormControls::Updating {
public:
    explicit Updating(FormControls& owner) : owner_(owner) { ++owner_.updating_; }
    ~Updating() { --owner_.updating_; }
    Updating(const Updating&) = delete;
    Updating& operator=(const Updating&) = delete;

private:
    FormControls& owner_;
};

FormControls::FormControls(HWND pane, FormFonts& fonts) : pane_(pane), fonts_(fonts) {}

FormControls::~FormControls() { clear(); }

void FormControls::clear() {
    Updating updating(*this);
    for (const Input& input : inputs_) {
        emptyControl(input.window);
        DestroyWindow(input.window);
    }
    for (const Input& input : spare_) DestroyWindow(input.window);
    for (const auto& [key, text] : texts_) {
        emptyControl(text.window);
        DestroyWindow(text.window);
    }
    for (HWND text : spareTexts_) DestroyWindow(text);
    inputs_.clear();
    spare_.clear();
    order_.clear();
    inputIndex_.clear();
    texts_.clear();
    spareTexts_.clear();
    wanted_.clear();
    windowed_ = false;
}

void FormControls::collect(Node& node, std::vector<Wanted>& wanted) const {
    if (auto* text = node.asText()) {
        if (!text->layoutBox().rendered) return;
        const auto& fragments = text->layoutBox().fragments;
        for (std::size_t i = 0; i < fragments.size(); ++i) {
            if (!fragments[i].text.empty() && fragments[i].rect.width > 0)
                wanted.push_back({{text, i}, fragments[i].text, fragments[i].rect, text->layoutBox().font});
        }
        return;
    }
    Element& element = *node.asElement();
    if (element.isFormControl()) {
        // Not rendered: under display:none (or a hidden input).
        const bool displayed = element.layoutBox().rendered && element.type() != u"hidden";
        wanted.push_back(
            {{nullptr, 0}, {}, element.layoutBox().rect, element.layoutBox().font, &element, 0, displayed});
        if (element.isSelect()) return;
    }
    if (drawsNoText(element)) return;
    for (const auto& child : element.childNodes()) collect(*child, wanted);
}

std::vector<HWND> FormControls::sync(htmlform::Document& document, POINT scroll, int viewHeight) {
    std::vector<Wanted> wanted;
    wanted.reserve(wanted_.size());  // most syncs want about what the last one did
    collect(document.documentElement(), wanted);

    // Each input's number is its place among the document's controls. Both
    // lists are in document order, so the inputs are found in one pass along
    // the controls; an input outside that list gets no control.
    const std::vector<Element*>& controls = document.formControls();
    std::size_t next = 0;
    std::erase_if(wanted, [&](Wanted& item) {
        if (item.element == nullptr) return false;
        const auto found =
            std::find(controls.begin() + static_cast<std::ptrdiff_t>(next), controls.end(), item.element);
        if (found == controls.end()) return true;
        next = static_cast<std::size_t>(found - controls.begin());
        item.id = kFirstFormControlId + static_cast<int>(next);
        ++next;
        return false;
    });
    wanted_ = std::move(wanted);
    wantedStale_ = false;
    windowed_ = wanted_.size() > kWindowedAbove;
    viewHeight_ = viewHeight;
    std::vector<HWND> created = build(scroll);
    trimSpares();
    return created;
}

// The controls of what the last sync wanted: all of it, or on a windowed page
// what lies in the band around the view, and the focused input wherever it is.
std::vector<HWND> FormControls::build(POINT scroll) {
    Updating updating(*this);
    bandTop_ = scroll.y - kMargin;
    bandBottom_ = scroll.y + viewHeight_ + kMargin;
    const bool moved = scroll.x != placed_.x || scroll.y != placed_.y;
    placed_ = scroll;

    std::vector<const Wanted*> chosen;
    chosen.reserve(windowed_ ? 64 : wanted_.size());
    std::unordered_set<const Element*> chosenInputs;
    std::set<TextKey> chosenTexts;
    const HWND focus = GetFocus();
    for (const Wanted& item : wanted_) {
        if (item.element != nullptr) {
            if (windowed_ && !(item.displayed && inBand(item.rect))) {
                const HWND own = controlOf(item.element);
                if (own == nullptr || own != focus) continue;
            }
            chosenInputs.insert(item.element);
        } else {
            if (windowed_ && !inBand(item.rect)) continue;
            chosenTexts.insert(item.key);
        }
        chosen.push_back(&item);
    }
    // What leaves the band first, so that what enters takes its controls over
    // as they are, shown: only what is left over is emptied and hidden.
    if (windowed_) {
        for (Input& input : inputs_) {
            if (input.window == nullptr || chosenInputs.contains(input.element)) continue;
            spare_.push_back({nullptr, input.window, input.kind, {}, true});
            input.window = nullptr;
        }
        for (auto text = texts_.begin(); text != texts_.end();) {
            if (chosenTexts.contains(text->first)) {
                ++text;
                continue;
            }
            leavingTexts_.push_back(text->second.window);
            text = texts_.erase(text);
        }
    }

    std::vector<Input> inputs;
    std::vector<HWND> created;
    for (auto& [key, text] : texts_) text.wanted = false;
    std::vector<Placement> order;
    order.reserve(chosen.size());
    for (const Wanted* item : chosen) {
        Placement placement;
        if (item->element != nullptr) {
            if (syncInput(*item->element, item->id, inputs, created) != nullptr)
                placement = placeInput(inputs.back(), moved);
        } else {
            placement = syncText(*item, moved);
        }
        if (placement.window != nullptr) order.push_back(placement);
    }
    arrange(order, scroll);
    // What the document no longer shows is kept hidden for the next rebuild.
    for (Input& input : inputs_) {
        if (input.window != nullptr) retire(input);
    }
    for (Input& spare : spare_) {
        if (spare.displayed) retire(spare);
    }
    for (HWND text : leavingTexts_) {
        putAway(text);
        spareTexts_.push_back(text);
    }
    leavingTexts_.clear();
    for (auto& [key, text] : texts_) {
        if (text.wanted || !text.shown) continue;
        putAway(text.window);
        text.shown = false;
    }
    inputs_ = std::move(inputs);
    inputIndex_.clear();
    for (std::size_t i = 0; i < inputs_.size(); ++i) inputIndex_.emplace(inputs_[i].element, i);
    return created;
}

bool FormControls::inBand(const Rect& rect) const { return rect.bottom() > bandTop_ && rect.y < bandBottom_; }

// Controls kept for reuse beyond what a windowed page needs are destroyed:
// a long page once shown leaves no thousand hidden windows behind.
void FormControls::trimSpares() {
    constexpr std::size_t kMostControls = 160;
    Updating updating(*this);
    while (windowCount() > kMostControls && !spareTexts_.empty()) {
        DestroyWindow(spareTexts_.back());
        spareTexts_.pop_back();
    }
    while (windowCount() > kMostControls && !spare_.empty()) {
        DestroyWindow(spare_.back().window);
        spare_.pop_back();
    }
}

std::size_t FormControls::windowCount() const {
    return inputs_.size() + spare_.size() + texts_.size() + spareTexts_.size();
}

HWND FormControls::syncInput(Element& element, int id, std::vector<Input>& inputs, std::vector<HWND>& created) {
    const ControlKind kind = kindOf(element);
    Input input;
    if (auto found = inputIndex_.find(&element); found != inputIndex_.end()) {
        Input& old = inputs_[found->second];
        if (old.kind == kind) {
            input = old;
            old.window = nullptr;  // taken over
        }
    }
    HFONT font = fonts_.get(element.layoutBox().font);
    bool fresh = false;
    if (input.window == nullptr) {
        input.window = takeSpare(kind);
        if (input.window == nullptr) {
            input.window = CreateNativeControl(pane_, kind, id, font);
            if (input.window == nullptr) return nullptr;
            created.push_back(input.window);
        }
        input.kind = kind;
        input.element = &element;
        input.rect = {};
        input.displayed = false;
        fresh = true;
    }
    if (GetDlgCtrlID(input.window) != id) SetWindowLongPtrW(input.window, GWLP_ID, id);
    SetControlFont(input.window, font);
    if (kind == ControlKind::DropDownList) SetListItems(input.window, optionTexts(element));
    if (kind == ControlKind::Radio || kind == ControlKind::CheckBox) SetControlText(input.window, buttonName(element));
    inputs.push_back(input);
    showStateOf(inputs.back());
    // What was typed into the row it showed before is no undo of this one.
    if (fresh && (kind == ControlKind::Edit || kind == ControlKind::Password))
        SendMessageW(input.window, EM_EMPTYUNDOBUFFER, 0, 0);
    return input.window;
}

void FormControls::showStateOf(const Input& input) {
    Updating updating(*this);
    switch (input.kind) {
        case ControlKind::Radio:
        case ControlKind::CheckBox:
            SetControlChecked(input.window, input.element->checked());
            break;
        case ControlKind::DropDownList:
            SetListSelection(input.window, input.element->selectedIndex());
            break;
        default:
            SetControlText(input.window, input.element->value());
            break;
    }
}

void FormControls::showState(const Element& element) {
    if (auto found = inputIndex_.find(&element); found != inputIndex_.end()) showStateOf(inputs_[found->second]);
}

FormControls::Placement FormControls::syncText(const Wanted& wanted, bool moved) {
    auto found = texts_.find(wanted.key);
    if (found == texts_.end()) {
        HWND window = nullptr;
        if (!leavingTexts_.empty()) {
            window = leavingTexts_.back();
            leavingTexts_.pop_back();
        } else if (!spareTexts_.empty()) {
            window = spareTexts_.back();
            spareTexts_.pop_back();
        } else {
            window = CreateNativeControl(pane_, ControlKind::Text, kFormTextControlId, fonts_.get(wanted.font));
        }
        if (window == nullptr) return {};
        found = texts_.emplace(wanted.key, Text{window, {}, false, false}).first;
    }
    Text& text = found->second;
    text.wanted = true;
    SetControlFont(text.window, fonts_.get(wanted.font));
    SetControlText(text.window, wanted.text);
    // A pixel to spare: a glyph's overhang past its advance is not clipped.
    Rect rect = wanted.rect;
    rect.width += 1;
    const Placement placement{text.window, rect, moved || text.rect != rect || !text.shown,
                              (GetWindowLongPtrW(text.window, GWL_STYLE) & WS_VISIBLE) == 0, false};
    text.rect = rect;
    text.shown = true;
    return placement;
}

FormControls::Placement FormControls::placeInput(Input& input, bool moved) {
    // Not rendered: under display:none (or a hidden input).
    const bool displayed = input.element->layoutBox().rendered && input.element->type() != u"hidden";
    const Rect rect = input.element->layoutBox().rect;
    Placement placement{input.window, rect, displayed && (moved || rect != input.rect || !input.displayed), false,
                        input.kind == ControlKind::DropDownList};
    if (displayed) {
        placement.show = (GetWindowLongPtrW(input.window, GWL_STYLE) & WS_VISIBLE) == 0;
    } else {
        SetControlVisible(input.window, false);
    }
    input.rect = rect;
    input.displayed = displayed;
    return placement;
}

void FormControls::setBounds(HWND window, const Rect& rect, POINT scroll) const {
    int height = rect.height;
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (lstrcmpiW(className, WC_COMBOBOXW) == 0) height = std::max(height, 240);  // the list it drops
    SetWindowPos(window, nullptr, rect.x - scroll.x, rect.y - scroll.y, rect.width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

// A drop-down list's field is as tall as its item height makes it; make it the
// height the layout gave the select.
void FormControls::fitListField(HWND list, int fieldHeight) const {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    RECT window{};
    GetWindowRect(list, &window);
    const int current = window.bottom - window.top;
    if (current == fieldHeight || fieldHeight <= 0) return;
    const auto item = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    const int wantedItem = item + fieldHeight - current;
    if (wantedItem > 0) SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), wantedItem);
}

// A control whose element left the document: emptied, hidden, without an id, ready
// to show another element of its kind (making controls is what costs).
void FormControls::retire(Input& input) {
    SetWindowLongPtrW(input.window, GWLP_ID, 0);
    putAway(input.window);
    if (input.element == nullptr) {
        input.displayed = false;  // a spare already, now put away
        return;
    }
    spare_.push_back({nullptr, input.window, input.kind, {}, false});
    input.window = nullptr;
}

// The latest first: a control just scrolled out of view is still shown.
HWND FormControls::takeSpare(ControlKind kind) {
    for (auto spare = spare_.rbegin(); spare != spare_.rend(); ++spare) {
        if (spare->kind != kind) continue;
        HWND window = spare->window;
        spare_.erase(std::next(spare).base());
        return window;
    }
    return nullptr;
}

std::vector<HWND> FormControls::place(POINT scroll) {
    if (windowed_ && !wantedStale_ && (scroll.y < bandTop_ || scroll.y + viewHeight_ > bandBottom_))
        return build(scroll);
    placed_ = scroll;
    for (const auto& [key, text] : texts_) {
        if (text.shown) setBounds(text.window, text.rect, scroll);
    }
    for (const Input& input : inputs_) {
        if (input.displayed) setBounds(input.window, input.rect, scroll);
    }
    return {};
}

// The shown controls first, in document order, each moved, shown and put in
// its z-order place by one call. Only the pane's own children are reordered,
// and only by this, so the order left by the last sync tells where the new
// one first differs; nothing before that moves in z-order.
void FormControls::arrange(const std::vector<Placement>& order, POINT scroll) {
    std::size_t same = 0;
    while (same < order.size() && same < order_.size() && order[same].window == order_[same]) ++same;
    std::vector<HWND> windows;
    windows.reserve(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Placement& placement = order[i];
        windows.push_back(placement.window);
        UINT flags = SWP_NOACTIVATE | SWP_NOOWNERZORDER;
        if (i < same) flags |= SWP_NOZORDER;
        if (!placement.move) flags |= SWP_NOMOVE | SWP_NOSIZE;
        if (placement.show) flags |= SWP_SHOWWINDOW;
        constexpr UINT kNothing = SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE;
        if ((flags & kNothing) == kNothing && !placement.show) continue;
        const Rect& rect = placement.rect;
        // A drop-down list is as tall as the list it drops.
        const int height = placement.list ? std::max(rect.height, 240) : rect.height;
        SetWindowPos(placement.window, i == 0 ? HWND_TOP : order[i - 1].window, rect.x - scroll.x, rect.y - scroll.y,
                     rect.width, height, flags);
        if (placement.list && placement.move) fitListField(placement.window, rect.height);
    }
    order_ = std::move(windows);
}

void FormControls::forget(const Node& root) {
    Updating updating(*this);
    std::vector<Input> kept;
    for (Input& input : inputs_) {
        if (isUnder(*input.element, root)) {
            retire(input);
        } else {
            kept.push_back(input);
        }
    }
    inputs_ = std::move(kept);
    for (auto text = texts_.begin(); text != texts_.end();) {
        if (isUnder(*text->first.first, root)) {
            putAway(text->second.window);
            spareTexts_.push_back(text->second.window);
            text = texts_.erase(text);
        } else {
            ++text;
        }
    }
    inputIndex_.clear();
    for (std::size_t i = 0; i < inputs_.size(); ++i) inputIndex_.emplace(inputs_[i].element, i);
    // Its lines and inputs are no longer there to build until the next sync.
    wantedStale_ = true;
    wanted_.clear();
}

HWND FormControls::controlOf(const Element* element) const {
    if (auto found = inputIndex_.find(element); found != inputIndex_.end()) return inputs_[found->second].window;
    return nullptr;
}

Element* FormControls::elementOf(HWND control) const {
    for (const Input& input : inputs_) {
        if (input.window == control) return input.element;
    }
    return nullptr;
}

Rect FormControls::pageRectOf(HWND control) const {
    for (const Input& input : inputs_) {
        if (input.window == control) return input.rect;
    }
    return {};
}

Element* FormControls::neighbour(const Element* from, bool backwards) const {
    std::vector<Element*> order;
    std::optional<std::size_t> at;
    for (const Wanted& item : wanted_) {
        if (item.element == nullptr || !item.displayed) continue;
        const HWND window = controlOf(item.element);
        if (window != nullptr && !IsWindowEnabled(window)) continue;
        if (item.element == from) at = order.size();
        order.push_back(item.element);
    }
    if (order.empty()) return nullptr;
    if (!at) return backwards ? order.back() : order.front();
    const std::size_t count = order.size();
    return order[backwards ? (*at + count - 1) % count : (*at + 1) % count];
}

}  // namespace tarnwick
