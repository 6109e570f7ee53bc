#include "support/recording_windows.h"

#include <algorithm>

namespace tarnwick::testing {

namespace {

// Window classes are matched as FindWindowExW matches them: ignoring ASCII case.
bool sameClass(std::u16string_view a, std::u16string_view b) {
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

}  // namespace

RecordingWindows::Answer RecordingWindows::Always(std::intptr_t reply) {
    return [reply](const ReceivedCopyData&) { return reply; };
}

RecordingWindows::Answer RecordingWindows::EchoCode() {
    return [](const ReceivedCopyData& data) { return static_cast<std::intptr_t>(data.code); };
}

WindowRef RecordingWindows::addTopLevel(std::u16string_view windowClass, std::u16string_view title, Answer answer) {
    return addChild(kNoWindow, windowClass, title, std::move(answer));
}

WindowRef RecordingWindows::addChild(WindowRef parent, std::u16string_view windowClass, std::u16string_view title,
                                     Answer answer) {
    windows_.push_back(Window{parent, std::u16string(windowClass), std::u16string(title), std::move(answer)});
    return windows_.size();
}

const RecordingWindows::Window* RecordingWindows::find(WindowRef window) const {
    if (window == kNoWindow || window > windows_.size()) return nullptr;
    return &windows_[window - 1];
}

std::vector<WindowRef> RecordingWindows::matching(WindowRef parent, std::u16string_view windowClass) const {
    std::vector<WindowRef> found;
    for (std::size_t i = 0; i < windows_.size(); ++i) {
        if (windows_[i].parent == parent && sameClass(windows_[i].windowClass, windowClass)) {
            found.push_back(i + 1);
        }
    }
    return found;
}

std::vector<WindowRef> RecordingWindows::sentTo() const {
    std::vector<WindowRef> receivers;
    for (const Sent& one : sent_) receivers.push_back(one.to);
    return receivers;
}

std::vector<WindowRef> RecordingWindows::findTopLevel(std::u16string_view windowClass) {
    return matching(kNoWindow, windowClass);
}

std::vector<WindowRef> RecordingWindows::findChildren(WindowRef parent, std::u16string_view windowClass) {
    if (parent == kNoWindow) return {};
    return matching(parent, windowClass);
}

WindowRef RecordingWindows::findFirstChild(WindowRef parent, std::u16string_view windowClass) {
    const auto children = findChildren(parent, windowClass);
    return children.empty() ? kNoWindow : children.front();
}

std::u16string RecordingWindows::windowText(WindowRef window) {
    const Window* found = find(window);
    if (found == nullptr) return {};
    return found->title.substr(0, kMaxWindowTextChars);
}

std::intptr_t RecordingWindows::sendCopyData(WindowRef to, std::uintptr_t code,
                                             std::optional<std::u16string_view> text) {
    // What the receiver sees is what the system copies: cbData bytes of lpData.
    const CopyDataPayload payload = CopyDataPayload::of(code, text);
    const ReceivedCopyData received = ReceiveCopyData(payload.code(), payload.byteCount(), payload.data());
    sent_.push_back(Sent{to, received.code, received.text, payload.byteCount()});
    const Window* found = find(to);
    if (found == nullptr || !found->answer) return 0;
    return found->answer(received);
}

void RecordingWindows::post(WindowRef to, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    posted_.push_back(Posted{to, message, wParam, lParam});
}

void RecordingWindows::restoreAndBringToFront(WindowRef window) { broughtToFront_.push_back(window); }

bool RecordingWindows::allowFromLowerIntegrity(std::uint32_t message) {
    if (!filterAvailable_) return false;
    allowedMessages_.push_back(message);
    return true;
}

bool RecordingLauncher::shellOpen(std::u16string_view file, std::u16string_view parameters) {
    shellOpens_.push_back(ShellOpen{std::u16string(file), std::u16string(parameters)});
    return !failing_;
}

bool RecordingLauncher::createProcess(std::u16string_view commandLine) {
    processes_.emplace_back(commandLine);
    return !failing_;
}

}  // namespace tarnwick::testing
