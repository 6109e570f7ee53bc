// A window system in memory for the host tests: windows with classes, titles,
// parents and answers; every copy-data sent, message posted and window brought
// forward is recorded. Payloads pass through the real encoder and receiver.
// Also a launcher that records what it is asked to start.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/copy_data.h"
#include "platform/launcher.h"
#include "platform/window_system.h"

namespace tarnwick::testing {

class RecordingWindows : public Windows {
public:
    // How a window answers copy-data; a window without one answers 0.
    using Answer = std::function<std::intptr_t(const ReceivedCopyData&)>;
    static Answer Always(std::intptr_t reply);
    static Answer EchoCode();  // answers every code with the code itself

    struct Sent {
        WindowRef to = kNoWindow;
        CopyDataCode code = 0;
        std::optional<std::u16string> text;
        std::uint32_t byteCount = 0;
        bool operator==(const Sent&) const = default;
    };
    struct Posted {
        WindowRef to = kNoWindow;
        std::uint32_t message = 0;
        std::uintptr_t wParam = 0;
        std::intptr_t lParam = 0;
        bool operator==(const Posted&) const = default;
    };

    WindowRef addTopLevel(std::u16string_view windowClass, std::u16string_view title = {}, Answer answer = {});
    WindowRef addChild(WindowRef parent, std::u16string_view windowClass, std::u16string_view title = {},
                       Answer answer = {});
    void setMajorVersion(std::uint32_t major) { majorVersion_ = major; }
    void setIntegrityFilterAvailable(bool available) { filterAvailable_ = available; }

    const std::vector<Sent>& sent() const { return sent_; }
    std::vector<WindowRef> sentTo() const;  // the receivers of sent(), in order
    const std::vector<Posted>& posted() const { return posted_; }
    const std::vector<WindowRef>& broughtToFront() const { return broughtToFront_; }
    const std::vector<std::uint32_t>& allowedMessages() const { return allowedMessages_; }

    std::vector<WindowRef> findTopLevel(std::u16string_view windowClass) override;
    std::vector<WindowRef> findChildren(WindowRef parent, std::u16string_view windowClass) override;
    WindowRef findFirstChild(WindowRef parent, std::u16string_view windowClass) override;
    std::u16string windowText(WindowRef window) override;
    std::intptr_t sendCopyData(WindowRef to, std::uintptr_t code, std::optional<std::u16string_view> text) override;
    void post(WindowRef to, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
    void restoreAndBringToFront(WindowRef window) override;
    std::uint32_t majorVersion() override { return majorVersion_; }
    bool allowFromLowerIntegrity(std::uint32_t message) override;

private:
    struct Window {
        WindowRef parent;
        std::u16string windowClass;
        std::u16string title;
        Answer answer;
    };
    const Window* find(WindowRef window) const;
    std::vector<WindowRef> matching(WindowRef parent, std::u16string_view windowClass) const;

    std::vector<Window> windows_;  // WindowRef n is windows_[n - 1]
    std::vector<Sent> sent_;
    std::vector<Posted> posted_;
    std::vector<WindowRef> broughtToFront_;
    std::vector<std::uint32_t> allowedMessages_;
    std::uint32_t majorVersion_ = 10;
    bool filterAvailable_ = true;
};

class RecordingLauncher : public Launcher {
public:
    struct ShellOpen {
        std::u16string file;
        std::u16string parameters;
        bool operator==(const ShellOpen&) const = default;
    };

    const std::vector<ShellOpen>& shellOpens() const { return shellOpens_; }
    const std::vector<std::u16string>& processes() const { return processes_; }

    // Every later start is recorded and fails, the system giving `reason`.
    void failStarts(std::u16string reason) {
        failing_ = true;
        reason_ = std::move(reason);
    }

    bool shellOpen(std::u16string_view file, std::u16string_view parameters) override;
    bool createProcess(std::u16string_view commandLine) override;
    std::u16string lastFailureReason() override { return failing_ ? reason_ : std::u16string(); }

private:
    std::vector<ShellOpen> shellOpens_;
    std::vector<std::u16string> processes_;
    bool failing_ = false;
    std::u16string reason_;
};

}  // namespace tarnwick::testing
