// The form pane: a child window that shows a form document with native
// controls (texts as static controls, inputs as edit controls, radios as radio
// buttons the document checks, selects as drop-down lists), on white, in the
// page's font, scrolled when the page is larger than the pane. What the user
// does in a control goes to the document's user entry points, which report
// edits to the document's host; every change of the document shows at once.
// The page is reported complete once, from the message queue, after it is
// first shown.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "htmlform/document.h"
#include "htmlform/win32/control_keys.h"
#include "htmlform/win32/form_controls.h"
#include "htmlform/win32/form_fonts.h"
#include "htmlform/win32/form_scroller.h"
#include "htmlform/win32/gdi_text_measure.h"
#include "htmlform/win32/html_resource.h"
#include "htmlform/win32/page_border.h"
#include "platform/win32/window_base.h"

namespace tarnwick {

class FormView : public WindowBase, private htmlform::DocumentObserver, private ControlKeyListener {
public:
    FormView();
    ~FormView() override;

    // Creates the pane in `parent` at `bounds` (parent's client coordinates).
    bool create(HWND parent, int controlId, const RECT& bounds);

    // Shows a page: HTML resource `id` of `module`, or a page's text. The
    // document shown before is dropped. False when the resource is missing.
    bool loadResource(HMODULE module, int id = kFormPageResourceId);
    void loadText(std::u16string_view html);

    htmlform::Document& document() { return *document_; }
    // Who hears of the user's edits (the editor); kept across loads.
    void setHost(htmlform::DocumentHost* host);
    // Called once, from the message queue, after the first page is first shown.
    void onDocumentComplete(std::function<void()> handler) { completeHandler_ = std::move(handler); }
    bool complete() const { return completeReported_; }
    // Tab past the last input, or Shift+Tab before the first, goes to `handler`
    // (the window moves on to its next pane) instead of round to the other end.
    void onTabOut(std::function<void(bool backwards)> handler) { tabOutHandler_ = std::move(handler); }
    // A right click (or the menu key) in an input's control goes to `handler`
    // with the control and the screen point; it returns false to leave the
    // control its own menu.
    void onControlMenu(std::function<bool(HWND control, POINT at)> handler) {
        controlMenuHandler_ = std::move(handler);
    }
    // Gives the focus to the first input that takes it (the last one), or to
    // the pane itself when there is none.
    void focusEnd(bool last);

    // While the returned object lives, the document's changes (values too) are
    // gathered and shown once at its end: an editor filling a whole page holds
    // the pane.
    class Hold {
    public:
        explicit Hold(FormView& view) : view_(view) { ++view_.held_; }
        ~Hold() { view_.release(); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        FormView& view_;
    };
    Hold holdUpdates() { return Hold(*this); }

    // The control showing an input or select (nullptr when there is none).
    HWND controlOf(const htmlform::Element& element) const { return controls_->controlOf(&element); }
    // The face of the page's font ("Verdana", or "Arial" where it is missing).
    const std::wstring& fontFace() const { return fonts_.face(); }
    POINT scrollPosition() const { return scroller_.position(); }

private:
    // Window messages.
    bool onCreate() override;
    void onDestroy() override;
    void onSize(int width, int height) override;
    void onPaint(HDC dc, const PAINTSTRUCT& paint) override;
    bool onCommand(int id, int code, HWND control) override;
    bool onScroll(int bar, int request) override;
    bool onMouseWheel(int delta) override;
    bool onKeyDown(UINT key) override;
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT onControlColour(HDC dc);
    void onLeftButtonDown();
    void onComplete();

    // The document's changes.
    void subtreeChanged(htmlform::Element& parent) override;
    void subtreeRemoving(htmlform::Node& root) override;
    void stateChanged(htmlform::Element& control, htmlform::ChangeCause cause) override;
    void displayChanged(htmlform::Element& element) override;
    void focusChanged(htmlform::Element* focused, htmlform::ChangeCause cause) override;

    // The controls' keys.
    void onTabKey(HWND control, bool backwards) override;
    void onControlWheel(WPARAM wParam, LPARAM lParam) override;
    bool onControlContextMenu(HWND control, LPARAM lParam) override;

    void attach(std::unique_ptr<htmlform::Document> document);
    // Lays the page out for the pane's size, shows the bars it needs and brings
    // the controls in line, with drawing held until all is done.
    void refresh();
    void layOut();
    void scrolled();
    void focusControl(HWND control);
    void watch(const std::vector<HWND>& created);
    HWND controlShowing(htmlform::Element* element);
    void release();
    void onUserAction(htmlform::Element& element, int code, HWND control);
    void onControlFocused(htmlform::Element& element, HWND control);
    void postComplete();

    FormFonts fonts_;
    GdiTextMeasure measure_{fonts_};
    std::unique_ptr<htmlform::Document> document_;
    std::unique_ptr<FormControls> controls_;
    FormScroller scroller_;
    std::optional<PageBorder> border_;
    htmlform::DocumentHost* host_ = nullptr;
    std::function<void()> completeHandler_;
    std::function<void(bool backwards)> tabOutHandler_;
    std::function<bool(HWND, POINT)> controlMenuHandler_;
    HBRUSH background_ = nullptr;
    int layoutWidth_ = -1;
    bool refreshing_ = false;
    int held_ = 0;
    bool refreshHeld_ = false;
    bool focusHeld_ = false;
    bool verticalBar_ = false;
    bool horizontalBar_ = false;
    bool pageLoaded_ = false;
    bool focusing_ = false;
    bool completePosted_ = false;
    bool completeReported_ = false;
};

}  // namespace tarnwick
