// The Win32 Prompts against a real MessageBoxW: the box is found as a user
// would find it (a top-level "#32770"), read, and answered with its button.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "foundation/catalogue/catalogue_tables.h"
#include "foundation/message_box.h"
#include "foundation/win32/win32_message_box.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_prompts.h"
#include "support/own_windows.h"

using namespace std::chrono_literals;
using tarnwick::WindowRef;

namespace {

constexpr auto kBound = 10s;

// A box shown on its own thread, as the tray's update thread shows one. The
// state is shared so that a box never found cannot outlive what it writes to.
struct BoxRun {
    std::promise<HWND> owner;
    std::promise<int> answer;
};

std::shared_ptr<BoxRun> StartBox(tarnwick::MessageBoxKind kind, std::u16string text, bool owned) {
    auto run = std::make_shared<BoxRun>();
    std::thread([run, kind, text, owned] {
        HWND owner = owned ? CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                             nullptr, nullptr, nullptr)
                           : nullptr;
        run->owner.set_value(owner);
        tarnwick::Win32Prompts prompts;
        run->answer.set_value(tarnwick::ShowMessageText(prompts, reinterpret_cast<WindowRef>(owner), kind, text,
                                                        tarnwick::PasscardMessages()));
        if (owner) DestroyWindow(owner);
    }).detach();
    return run;
}

HWND WaitForBox(const std::u16string& caption) {
    return tarnwick::testing::WaitForOwnWindow(L"#32770", tarnwick::AsWide(caption), kBound);
}

std::u16string TextOf(HWND window) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(window, buffer, static_cast<int>(std::size(buffer)));
    return tarnwick::FromWide(buffer);
}

// The box's message: the text of its non-empty static control.
std::u16string MessageOf(HWND box) {
    std::u16string message;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM param) -> BOOL {
            wchar_t className[32] = {};
            GetClassNameW(child, className, static_cast<int>(std::size(className)));
            const std::u16string text = TextOf(child);
            if (lstrcmpiW(className, L"Static") != 0 || text.empty()) return TRUE;
            *reinterpret_cast<std::u16string*>(param) = text;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&message));
    return message;
}

int AnswerWithin(BoxRun& run) {
    std::future<int> answer = run.answer.get_future();
    if (answer.wait_for(kBound) != std::future_status::ready) {
        ADD_FAILURE() << "the message box did not return";
        return -1;
    }
    return answer.get();
}

TEST(Win32Prompts, OwnedQuestionIsAnsweredYes) {
    const std::u16string text =
        tarnwick::DamagedCardQuestion(tarnwick::CardKind::Passcard, u"\\Shop\\Store", tarnwick::PasscardMessages());
    auto run = StartBox(tarnwick::kDamagedCardBox, text, true);
    std::future<HWND> ownerFuture = run->owner.get_future();
    ASSERT_EQ(ownerFuture.wait_for(kBound), std::future_status::ready);
    const HWND owner = ownerFuture.get();
    ASSERT_NE(owner, nullptr);

    const HWND box = WaitForBox(u"Tarnwick");
    ASSERT_NE(box, nullptr) << "no message box titled Tarnwick";
    EXPECT_EQ(MessageOf(box),
              u"Can not read password card'\\Shop\\Store'File may be already damaged\n"
              u"Delete damaged password card?");
    EXPECT_EQ(GetWindow(box, GW_OWNER), owner);
    EXPECT_NE(GetDlgItem(box, IDNO), nullptr);
    const HWND yes = GetDlgItem(box, IDYES);
    ASSERT_NE(yes, nullptr);
    SendMessageW(yes, BM_CLICK, 0, 0);
    EXPECT_EQ(AnswerWithin(*run), tarnwick::kIdYes);
}

TEST(Win32Prompts, UnownedErrorHasOnlyOk) {
    auto run = StartBox(tarnwick::kErrorBox, tarnwick::PasscardMessages().Lookup(u"文件删除失败"), false);
    const HWND box = WaitForBox(u"Tarnwick Error");
    ASSERT_NE(box, nullptr) << "no message box titled Tarnwick Error";
    EXPECT_EQ(MessageOf(box), u"Delete File failure");
    EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
    EXPECT_EQ(GetDlgItem(box, IDYES), nullptr);
    const HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    SendMessageW(ok, BM_CLICK, 0, 0);
    EXPECT_EQ(AnswerWithin(*run), tarnwick::kIdOk);
}

TEST(Win32Prompts, ActiveWindowIsTheThreadsActiveWindow) {
    tarnwick::Win32Prompts prompts;
    const HWND window = CreateWindowExW(0, L"STATIC", L"active", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                        nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    SetActiveWindow(window);
    EXPECT_EQ(prompts.activeWindow(), reinterpret_cast<WindowRef>(window));
    DestroyWindow(window);
}

TEST(DialogFont, CreatedFromTheCataloguesFace) {
    const HFONT font = tarnwick::CreateDialogFont(tarnwick::PasscardMessages());
    ASSERT_NE(font, nullptr);
    LOGFONTW created{};
    ASSERT_EQ(GetObjectW(font, sizeof created, &created), static_cast<int>(sizeof created));
    DeleteObject(font);
    LOGFONTW expected{};
    expected.lfHeight = 12;
    lstrcpyW(expected.lfFaceName, L"MS Shell Dlg");
    EXPECT_EQ(std::memcmp(&created, &expected, sizeof created), 0);
    EXPECT_EQ(tarnwick::FromWide(created.lfFaceName), u"MS Shell Dlg");

    // A face name longer than the field keeps its terminator.
    const LOGFONTW cut = tarnwick::MakeDialogLogFont({12, std::u16string(40, u'x')});
    EXPECT_EQ(tarnwick::FromWide(cut.lfFaceName), std::u16string(31, u'x'));
}

}  // namespace
