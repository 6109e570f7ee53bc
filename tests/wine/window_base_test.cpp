// The window and dialog bases against the real API: classes registered once,
// `this` reaching the handlers from the first message, child windows with
// their ids, creation refused, destruction and the replies that go back.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/win32/dialog_base.h"
#include "platform/win32/window_base.h"

namespace tarnwick {
namespace {

constexpr std::u16string_view kProbeClass = u"TarnwickWindowBaseProbe";
constexpr UINT kProbeMessage = WM_APP + 7;
constexpr int kChildId = 77;
constexpr int kButtonId = 5;

class Probe : public WindowBase {
public:
    ~Probe() override { destroyWindow(); }

    bool create(DWORD style = WS_POPUP, HWND parent = nullptr, int controlId = 0) {
        return createWindow({.name = kProbeClass}, {.title = u"probe",
                                                    .style = style,
                                                    .x = 0,
                                                    .y = 0,
                                                    .width = 200,
                                                    .height = 100,
                                                    .parent = parent,
                                                    .controlId = controlId});
    }
    void destroy() { destroyWindow(); }

    bool refuseCreation = false;
    bool keepOnClose = false;
    std::vector<std::string> events;
    std::vector<std::pair<int, int>> commands;
    std::pair<int, int> clientSize{-1, -1};

private:
    bool onCreate() override {
        events.push_back(handle() != nullptr ? "create with handle" : "create without handle");
        return !refuseCreation;
    }
    void onDestroy() override { events.push_back("destroy"); }
    bool onClose() override {
        events.push_back("close");
        return keepOnClose;
    }
    void onSize(int width, int height) override { clientSize = {width, height}; }
    bool onCommand(int id, int code, HWND) override {
        commands.emplace_back(id, code);
        return true;
    }
    LRESULT onCopyData(HWND, const COPYDATASTRUCT* data) override {
        return data == nullptr ? -1 : static_cast<LRESULT>(data->dwData + 1);
    }
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kProbeMessage) return static_cast<LRESULT>(wParam * 2);
        return WindowBase::onMessage(message, wParam, lParam);
    }
};

LRESULT sendCopyData(HWND window, ULONG_PTR code) {
    COPYDATASTRUCT data{code, 0, nullptr};
    return SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

TEST(WindowBaseWine, MessagesReachTheHandlersOfTheirObject) {
    Probe first;
    Probe second;  // the same class, registered once
    ASSERT_TRUE(first.create());
    ASSERT_TRUE(second.create());
    EXPECT_EQ(first.events, std::vector<std::string>{"create with handle"});

    EXPECT_EQ(SendMessageW(first.handle(), kProbeMessage, 21, 0), 42);
    EXPECT_EQ(sendCopyData(second.handle(), 9), 10);
    EXPECT_EQ(SendMessageW(second.handle(), WM_COPYDATA, 0, 0), -1);
    SendMessageW(first.handle(), WM_COMMAND, MAKEWPARAM(3, 0), 0);
    EXPECT_EQ(first.commands, (std::vector<std::pair<int, int>>{{3, 0}}));
    EXPECT_TRUE(second.commands.empty());

    SetWindowPos(first.handle(), nullptr, 0, 0, 150, 60, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(first.clientSize, std::make_pair(150, 60));
}

TEST(WindowBaseWine, AChildCarriesItsIdAndHearsItsOwnControls) {
    Probe parent;
    Probe child;
    ASSERT_TRUE(parent.create());
    ASSERT_TRUE(child.create(WS_CHILD | WS_VISIBLE, parent.handle(), kChildId));
    EXPECT_EQ(GetParent(child.handle()), parent.handle());
    EXPECT_EQ(GetDlgCtrlID(child.handle()), kChildId);

    const HWND button =
        CreateWindowExW(0, L"BUTTON", L"go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 40, 20, child.handle(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButtonId)), GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(button, nullptr);
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(child.commands, (std::vector<std::pair<int, int>>{{kButtonId, BN_CLICKED}}));
    EXPECT_TRUE(parent.commands.empty());
}

TEST(WindowBaseWine, ARefusedCreationFailsAndLeavesNoWindow) {
    Probe probe;
    probe.refuseCreation = true;
    EXPECT_FALSE(probe.create());
    EXPECT_EQ(probe.handle(), nullptr);
    // The object can try again.
    probe.refuseCreation = false;
    EXPECT_TRUE(probe.create());
}

TEST(WindowBaseWine, ClosingAndDestroyingReachTheObjectAndClearTheHandle) {
    Probe kept;
    kept.keepOnClose = true;
    ASSERT_TRUE(kept.create());
    SendMessageW(kept.handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(kept.handle()));

    Probe closed;
    ASSERT_TRUE(closed.create());
    const HWND window = closed.handle();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(closed.handle(), nullptr);
    EXPECT_EQ(closed.events, (std::vector<std::string>{"create with handle", "close", "destroy"}));

    HWND orphan = nullptr;
    {
        Probe shortLived;
        ASSERT_TRUE(shortLived.create());
        orphan = shortLived.handle();
    }
    EXPECT_FALSE(IsWindow(orphan));
}

// A modeless dialog that answers copy-data through its message result.
class ReplyingDialog : public DialogBase {
public:
    ~ReplyingDialog() override {
        if (handle() != nullptr) DestroyWindow(handle());
    }
    bool create() {
        const DialogTemplate layout(WS_POPUP | WS_CAPTION, 100, 50, u"Replying", 8, u"MS Shell Dlg");
        return createModeless(layout, nullptr);
    }
    bool initialised = false;

private:
    bool onInitDialog() override {
        initialised = true;
        return true;
    }
    INT_PTR onMessage(UINT message, WPARAM, LPARAM lParam) override {
        if (message != WM_COPYDATA) return FALSE;
        return reply(static_cast<LRESULT>(reinterpret_cast<const COPYDATASTRUCT*>(lParam)->dwData * 3));
    }
};

TEST(DialogBaseWine, AModelessDialogRepliesThroughItsMessageResult) {
    ReplyingDialog dialog;
    ASSERT_TRUE(dialog.create());
    EXPECT_TRUE(dialog.initialised);
    wchar_t className[16] = {};
    GetClassNameW(dialog.handle(), className, 16);
    EXPECT_EQ(std::wstring(className), L"#32770");
    EXPECT_EQ(sendCopyData(dialog.handle(), 5), 15);

    const HWND window = dialog.handle();
    DestroyWindow(window);
    EXPECT_EQ(dialog.handle(), nullptr);
}

}  // namespace
}  // namespace tarnwick
