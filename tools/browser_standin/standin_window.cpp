#include "tools/browser_standin/standin_window.h"

#include "foundation/toolbar_contract.h"

namespace tarnwick::standin {
namespace {

// The toolbar's answers: a page handles 10, 20 and 28 by answering the code.
std::intptr_t replyOf(Role role, const ReceivedCopyData& received, Browser& browser) {
    if (role != Role::Page) return 0;
    if (received.code == tab_code::kOpenAddress) {
        browser.openedAddresses.push_back(received.text.value_or(u""));
        return static_cast<std::intptr_t>(received.code);
    }
    if (received.code == tab_code::kReloadPasscards || received.code == tab_code::kReloadIdentities) {
        return static_cast<std::intptr_t>(received.code);
    }
    return 0;
}

}  // namespace

bool StandinWindow::create(std::u16string_view windowClass, std::u16string_view title, HWND parent) {
    const DWORD style = parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    return createWindow({.name = windowClass}, {.title = title,
                                                .style = style,
                                                .x = 10,
                                                .y = 10,
                                                .width = parent ? 100 : 400,
                                                .height = parent ? 30 : 300,
                                                .parent = parent});
}

LRESULT StandinWindow::onCopyData(HWND, const COPYDATASTRUCT* data) {
    const auto received = browser_.log.appendCopyData(handle(), data);
    return received ? replyOf(role_, *received, browser_) : 0;
}

bool StandinWindow::onClose() {
    if (role_ != Role::Frame) return false;
    browser_.log.append("{\"class\":\"IEFrame\",\"message\":\"close\"}");
    destroyWindow();
    if (--browser_.openFrames == 0) PostQuitMessage(0);
    return true;
}

}  // namespace tarnwick::standin
