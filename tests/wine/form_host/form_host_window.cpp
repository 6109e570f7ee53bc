#include "tests/wine/form_host/form_host_window.h"

#include "htmlform/element.h"
#include "tests/wine/form_host/json_line.h"

namespace tarnwick {

void WriteOutputLine(const std::string& line) {
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

FormHostWindow::FormHostWindow() { view_.setHost(this); }

FormHostWindow::~FormHostWindow() { destroyWindow(); }

bool FormHostWindow::create(int width, int height) {
    WindowCreation creation;
    creation.title = u"Tarnwick";
    creation.style = WS_OVERLAPPEDWINDOW;
    creation.width = width;
    creation.height = height;
    return createWindow({u"TarnwickFormHost"}, creation);
}

bool FormHostWindow::onCreate() {
    RECT client{};
    GetClientRect(handle(), &client);
    return view_.create(handle(), kViewId, client);
}

void FormHostWindow::loadPage(std::u16string_view html) {
    view_.loadText(html);
    view_.document().addObserver(*this);
    SetWindowTextW(handle(), reinterpret_cast<const wchar_t*>(view_.document().title().c_str()));
}

void FormHostWindow::onSize(int width, int height) {
    if (view_.handle() != nullptr) MoveWindow(view_.handle(), 0, 0, width, height, TRUE);
}

void FormHostWindow::onDestroy() { PostQuitMessage(0); }

void FormHostWindow::onUserEdit(htmlform::Element& source) {
    WriteOutputLine(EditEventLine(source.id(), source.name(), source.value()));
}

void FormHostWindow::focusChanged(htmlform::Element* focused, htmlform::ChangeCause) {
    WriteOutputLine(FocusEventLine(focused != nullptr ? focused->id() : std::u16string()));
}

}  // namespace tarnwick
