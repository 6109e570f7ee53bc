#include "htmlform/win32/form_view.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "htmlform/element.h"
#include "htmlform/win32/form_view_ids.h"

namespace tarnwick {

using htmlform::ChangeCause;
using htmlform::Document;
using htmlform::Element;

namespace {

constexpr DWORD kPaneStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL;

int sizeOf(const RECT& rect, bool vertical) { return vertical ? rect.bottom - rect.top : rect.right - rect.left; }

}  // namespace

FormView::FormView() : document_(std::make_unique<Document>()) {
    background_ = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    document_->addObserver(*this);
}

FormView::~FormView() {
    document_->removeObserver(*this);
    destroyWindow();
}

bool FormView::create(HWND parent, int controlId, const RECT& bounds) {
    WindowClassLook look{kFormViewClass};
    look.background = background_;
    WindowCreation creation;
    creation.style = kPaneStyle;
    creation.exStyle = WS_EX_CONTROLPARENT;
    creation.x = bounds.left;
    creation.y = bounds.top;
    creation.width = sizeOf(bounds, false);
    creation.height = sizeOf(bounds, true);
    creation.parent = parent;
    creation.controlId = controlId;
    if (!createWindow(look, creation)) return false;
    refresh();
    if (pageLoaded_) postComplete();
    return true;
}

bool FormView::onCreate() {
    controls_ = std::make_unique<FormControls>(handle(), fonts_);
    return true;
}

void FormView::onDestroy() {
    if (controls_) controls_->clear();
}

bool FormView::loadResource(HMODULE module, int id) {
    const std::optional<std::u16string> page = LoadHtmlResource(module, id);
    if (!page) return false;
    loadText(*page);
    return true;
}

void FormView::loadText(std::u16string_view html) {
    attach(Document::parse(html));
    pageLoaded_ = true;
    postComplete();
}

void FormView::attach(std::unique_ptr<Document> document) {
    document_->removeObserver(*this);
    if (controls_) controls_->clear();
    document_ = std::move(document);
    document_->setHost(host_);
    document_->addObserver(*this);
    layoutWidth_ = -1;
    scroller_.scrollTo({0, 0});
    refresh();
}

void FormView::setHost(htmlform::DocumentHost* host) {
    host_ = host;
    document_->setHost(host);
}

void FormView::postComplete() {
    if (completePosted_ || handle() == nullptr) return;
    completePosted_ = true;
    PostMessageW(handle(), kFormViewDocumentComplete, 0, 0);
}

void FormView::onComplete() {
    if (completeReported_) return;
    completeReported_ = true;
    if (completeHandler_) completeHandler_();
}

// Layout and controls ---------------------------------------------------------

void FormView::refresh() {
    if (handle() == nullptr || !controls_ || refreshing_) return;
    if (held_ > 0) {
        refreshHeld_ = true;
        return;
    }
    refreshing_ = true;
    // Drawing is held while controls move, so a rebuild shows once, whole.
    const bool visible = IsWindowVisible(handle()) != FALSE;
    if (visible) SendMessageW(handle(), WM_SETREDRAW, FALSE, 0);
    layOut();
    border_ = BodyBorder(*document_);
    watch(controls_->sync(*document_, scroller_.position(), scroller_.visible().cy));
    if (visible) {
        SendMessageW(handle(), WM_SETREDRAW, TRUE, 0);
        RedrawWindow(handle(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
    refreshing_ = false;
}

void FormView::release() {
    if (--held_ > 0) return;
    if (refreshHeld_) {
        refreshHeld_ = false;
        refresh();
    }
    if (focusHeld_) {
        focusHeld_ = false;
        focusChanged(document_->activeElement() != document_->body() ? document_->activeElement() : nullptr,
                     ChangeCause::Program);
    }
}

// The page is laid out as wide as the pane less a vertical bar when it needs
// one; a bar narrows the page, which may make it taller, so the guess is
// checked again until it holds (it does after at most two more layouts).
void FormView::layOut() {
    RECT outer{};
    GetWindowRect(handle(), &outer);
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
    int width = 0;
    int height = 0;
    // The page laid out for the bars given; `width` and `height` are the view's then.
    const auto layOutWithBars = [&](bool vertical, bool horizontal) {
        width = std::max(0, sizeOf(outer, false) - (vertical ? barWidth : 0));
        height = std::max(0, sizeOf(outer, true) - (horizontal ? barHeight : 0));
        if (width != layoutWidth_) {
            document_->setLayoutContext(&measure_, width);
            layoutWidth_ = width;
        }
        return document_->ensureLayout();
    };
    // A long page is tried with the vertical bar first: one more than three
    // times as tall as the view there needs the bar at the full width too (a
    // bar's width more cannot halve a page's height), so it is laid out once
    // rather than first wide and then again narrower.
    if (!verticalBar_ && document_->formControls().size() > FormControls::kWindowedAbove) {
        const int pageHeight = layOutWithBars(true, horizontalBar_).height;  // sets `height`
        verticalBar_ = pageHeight > 3 * height;
    }
    htmlform::PageSize page;
    for (int pass = 0; pass < 4; ++pass) {
        page = layOutWithBars(verticalBar_, horizontalBar_);
        const bool vertical = page.height > height;
        const bool horizontal = page.width > width;
        if (vertical == verticalBar_ && horizontal == horizontalBar_) break;
        verticalBar_ = vertical;
        horizontalBar_ = horizontal;
    }
    scroller_.setExtent({page.width, page.height}, {width, height});
    scroller_.apply(handle());
}

void FormView::scrolled() {
    const bool visible = IsWindowVisible(handle()) != FALSE;
    if (visible) SendMessageW(handle(), WM_SETREDRAW, FALSE, 0);
    watch(controls_->place(scroller_.position()));
    scroller_.apply(handle());
    if (visible) {
        SendMessageW(handle(), WM_SETREDRAW, TRUE, 0);
        RedrawWindow(handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

void FormView::watch(const std::vector<HWND>& created) {
    for (HWND control : created) WatchControlKeys(control, *this);
}

// An input of a windowed page may have no control until it is scrolled to.
HWND FormView::controlShowing(Element* element) {
    if (element == nullptr || !controls_) return nullptr;
    if (HWND control = controls_->controlOf(element)) return control;
    if (!element->layoutBox().rendered) return nullptr;
    if (scroller_.scrollIntoView(element->layoutBox().rect)) scrolled();
    return controls_->controlOf(element);
}

// Window messages ---------------------------------------------------------------

void FormView::onPaint(HDC dc, const PAINTSTRUCT&) {
    if (border_) PaintPageBorder(dc, *border_, scroller_.position());
}

void FormView::onSize(int, int) {
    if (!refreshing_) refresh();
}

bool FormView::onScroll(int bar, int request) {
    if (scroller_.onScrollRequest(handle(), bar, request)) scrolled();
    return true;
}

bool FormView::onMouseWheel(int delta) {
    if (scroller_.onWheel(delta)) scrolled();
    return true;
}

// The pane itself has the focus after a click beside the controls: the
// page keys scroll it, as they scroll a page.
bool FormView::onKeyDown(UINT key) {
    int request = -1;
    switch (key) {
        case VK_UP:
            request = SB_LINEUP;
            break;
        case VK_DOWN:
            request = SB_LINEDOWN;
            break;
        case VK_PRIOR:
            request = SB_PAGEUP;
            break;
        case VK_NEXT:
            request = SB_PAGEDOWN;
            break;
        case VK_HOME:
            request = SB_TOP;
            break;
        case VK_END:
            request = SB_BOTTOM;
            break;
        case VK_TAB:
            // The pane itself has the focus (a click beside the inputs): Tab enters the inputs at an end.
            if (HWND input =
                    controls_ ? controlShowing(controls_->neighbour(nullptr, GetKeyState(VK_SHIFT) < 0)) : nullptr) {
                SetFocus(input);
            } else if (tabOutHandler_) {
                tabOutHandler_(GetKeyState(VK_SHIFT) < 0);
            }
            return true;
        default:
            return false;
    }
    if (scroller_.onScrollRequest(handle(), SB_VERT, request)) scrolled();
    return true;
}

void FormView::onControlWheel(WPARAM wParam, LPARAM) { onMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam)); }

bool FormView::onControlContextMenu(HWND control, LPARAM lParam) {
    if (!controlMenuHandler_) return false;
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (lParam == -1) {
        // From the keyboard: below the control's left corner.
        RECT bounds{};
        GetWindowRect(control, &bounds);
        at = {bounds.left, bounds.bottom};
    }
    return controlMenuHandler_(control, at);
}

LRESULT FormView::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CTLCOLORSTATIC:
            return onControlColour(reinterpret_cast<HDC>(wParam));
        case WM_LBUTTONDOWN:
            onLeftButtonDown();
            return 0;
        case kFormViewDocumentComplete:
            onComplete();
            return 0;
        default:
            return WindowBase::onMessage(message, wParam, lParam);
    }
}

// Texts and radio buttons on the page's white.
LRESULT FormView::onControlColour(HDC dc) {
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
    return reinterpret_cast<LRESULT>(background_);
}

// A click outside the controls takes the focus from them, as a page's body does.
void FormView::onLeftButtonDown() {
    SetFocus(handle());
    document_->userFocus(nullptr);
}

bool FormView::onCommand(int, int code, HWND control) {
    Element* element = controls_ ? controls_->elementOf(control) : nullptr;
    if (element == nullptr) return false;
    onUserAction(*element, code, control);
    return true;
}

void FormView::onUserAction(Element& element, int code, HWND control) {
    if (controls_->updating()) return;  // our own change of the control
    const bool isList = element.isSelect();
    const bool isButton = !isList && (element.type() == u"radio" || element.type() == u"checkbox");
    if (isList) {
        if (code == CBN_SELCHANGE) document_->userSelectOption(element, ListSelection(control));
        if (code == CBN_SETFOCUS) onControlFocused(element, control);
    } else if (isButton) {
        if (code == BN_CLICKED && element.type() == u"radio") document_->userClickRadio(element);
        if (code == BN_SETFOCUS) onControlFocused(element, control);
    } else {
        if (code == EN_CHANGE) document_->userSetValue(element, ControlText(control));
        if (code == EN_SETFOCUS) onControlFocused(element, control);
    }
}

void FormView::onControlFocused(Element& element, HWND control) {
    if (!focusing_) document_->userFocus(&element);
    if (scroller_.scrollIntoView(controls_->pageRectOf(control))) scrolled();
}

void FormView::onTabKey(HWND control, bool backwards) {
    Element* next = controls_->neighbour(controls_->elementOf(control), backwards);
    // Past either end the order would come round to the input at the other end.
    const bool roundTheEnd = next == nullptr || next == controls_->neighbour(nullptr, backwards);
    if (roundTheEnd && tabOutHandler_) {
        tabOutHandler_(backwards);
        return;
    }
    if (HWND input = controlShowing(next)) SetFocus(input);
}

void FormView::focusEnd(bool last) {
    HWND input = controls_ ? controlShowing(controls_->neighbour(nullptr, last)) : nullptr;
    SetFocus(input != nullptr ? input : handle());
}

void FormView::focusControl(HWND control) {
    focusing_ = true;
    SetFocus(control != nullptr ? control : handle());
    focusing_ = false;
}

// The document's changes --------------------------------------------------------

void FormView::subtreeChanged(Element&) {
    document_->invalidateLayout();
    refresh();
}

void FormView::subtreeRemoving(htmlform::Node& root) {
    if (controls_) controls_->forget(root);
}

void FormView::stateChanged(Element& control, ChangeCause) {
    if (held_ > 0) {
        refreshHeld_ = true;  // the rebuild at the end shows every value
        return;
    }
    if (controls_) controls_->showState(control);
}

void FormView::displayChanged(Element&) {
    document_->invalidateLayout();
    refresh();
}

void FormView::focusChanged(Element* focused, ChangeCause cause) {
    if (cause != ChangeCause::Program || handle() == nullptr) return;
    if (held_ > 0) {
        focusHeld_ = true;  // its control may not be there yet
        return;
    }
    HWND control = controlShowing(focused);
    if (control == nullptr && GetFocus() != nullptr && !IsChild(handle(), GetFocus())) return;
    focusControl(control);
}

}  // namespace tarnwick
