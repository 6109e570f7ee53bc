// The form host's top-level window: a form pane filling it, and the page's
// reports written to standard output as JSON lines.
#pragma once

#include <windows.h>

#include "htmlform/document_events.h"
#include "htmlform/win32/form_view.h"
#include "platform/win32/window_base.h"

namespace tarnwick {

class FormHostWindow : public WindowBase, private htmlform::DocumentHost, private htmlform::DocumentObserver {
public:
    FormHostWindow();
    ~FormHostWindow() override;

    // Creates the window (hidden) with the pane.
    bool create(int width, int height);
    // Shows a page's text in the pane and titles the window with its <title>.
    void loadPage(std::u16string_view html);
    FormView& view() { return view_; }

private:
    static constexpr int kViewId = 100;

    bool onCreate() override;
    void onSize(int width, int height) override;
    void onDestroy() override;

    void onUserEdit(htmlform::Element& source) override;
    void subtreeChanged(htmlform::Element&) override {}
    void subtreeRemoving(htmlform::Node&) override {}
    void stateChanged(htmlform::Element&, htmlform::ChangeCause) override {}
    void displayChanged(htmlform::Element&) override {}
    void focusChanged(htmlform::Element* focused, htmlform::ChangeCause cause) override;

    FormView view_;
};

// Writes one line to standard output at once (a pipe reader sees it before the window closes).
void WriteOutputLine(const std::string& line);

}  // namespace tarnwick
