// The tray program's lock: what takes the remembered primary password away,
// what each option value means, and that every editor hears of it.
#include "tray/primary_password_lock.h"

#include <gtest/gtest.h>

#include "unit/tray/tray_fixture.h"

namespace tarnwick {
namespace {

using Sent = testing::RecordingWindows::Sent;

constexpr std::uint64_t kMinute = 60'000;

class PrimaryPasswordLockTest : public TrayFixture {
protected:
    void SetUp() override {
        remember();
        setRootUser(alice);
        passcardEditor = windows.addTopLevel(window_class::kPasscardEditor, {}, testing::RecordingWindows::EchoCode());
        identityEditor = windows.addTopLevel(window_class::kIdentityEditor, {}, testing::RecordingWindows::EchoCode());
        startTray();
    }
    void remember() { WriteOptionLine(alice, option_key::kKey, u"sealed-password", files, NativeCodePage()); }
    void setOption(std::u16string_view key, std::u16string_view value) {
        WriteOptionLine(alice, key, value, files, NativeCodePage());
    }
    std::u16string key() { return ReadOptionLine(alice, option_key::kKey, files, NativeCodePage()).value; }
    std::size_t locks() {
        std::size_t count = 0;
        for (const Sent& sent : windows.sent()) count += sent.to == identityEditor ? 1 : 0;
        return count;
    }

    WindowRef passcardEditor = kNoWindow;
    WindowRef identityEditor = kNoWindow;
};

TEST_F(PrimaryPasswordLockTest, CodeSeventyForgetsTheKeyTellsEveryEditorAndAnswersSeventy) {
    EXPECT_EQ(service->onCopyData(tray_code::kLock, std::nullopt), 70);
    EXPECT_EQ(key(), u"0");
    EXPECT_EQ(windows.sent(), (std::vector<Sent>{{passcardEditor, editor_code::kForgetPassword, std::nullopt, 0},
                                                 {identityEditor, editor_code::kForgetPassword, std::nullopt, 0}}));
    // A text with it changes nothing: anyone may ask, and only for this.
    remember();
    EXPECT_EQ(service->onCopyData(tray_code::kLock, u"C:\\elsewhere"), 70);
    EXPECT_EQ(key(), u"0");
}

TEST_F(PrimaryPasswordLockTest, AnUnwritableOptionFileStillEmptiesTheEditors) {
    files.failCreateWith = kErrorAccessDenied;
    const CurrentUser user = CurrentUserOf(alice);
    PrimaryPasswordLock lock(files, NativeCodePage(), service->signals());
    EXPECT_FALSE(lock.lock(user));
    EXPECT_EQ(windows.sent().size(), 2u);
    files.failCreateWith = kErrorSuccess;
    // Nothing remembered: nothing to write, so nothing to fail.
    setOption(option_key::kKey, u"0");
    files.failCreateWith = kErrorAccessDenied;
    EXPECT_TRUE(lock.lock(user));
}

TEST_F(PrimaryPasswordLockTest, SessionLockFollowsItsOptionAndSuspendAlwaysLocks) {
    setOption(option_key::kLockOnSessionLock, u"0");
    service->onSessionLocked();
    EXPECT_EQ(key(), u"sealed-password");
    EXPECT_EQ(locks(), 0u);
    service->onSuspend();
    EXPECT_EQ(key(), u"0");
    EXPECT_EQ(locks(), 1u);
    // Anything but "0" is the default, on.
    for (const std::u16string_view value : {u"1", u"", u"off", u" 0"}) {
        remember();
        setOption(option_key::kLockOnSessionLock, value);
        service->onSessionLocked();
        EXPECT_EQ(key(), u"0") << std::string(value.begin(), value.end());
    }
}

TEST_F(PrimaryPasswordLockTest, IdleLocksOncePerStretchWithoutInput) {
    service->onIdle(600 * kMinute);  // no option: never
    EXPECT_EQ(locks(), 0u);
    setOption(option_key::kLockIdleMinutes, u"5");
    service->onIdle(5 * kMinute - 1);
    EXPECT_EQ(locks(), 0u);
    service->onIdle(5 * kMinute);
    EXPECT_EQ(locks(), 1u);
    EXPECT_EQ(key(), u"0");
    service->onIdle(9 * kMinute);
    EXPECT_EQ(locks(), 1u) << "one stretch, one lock";
    service->onIdle(1'000);  // input came
    service->onIdle(6 * kMinute);
    EXPECT_EQ(locks(), 2u);
}

TEST(LockIdleMinutes, OnlyPlainMinutesUpToAWeekCount) {
    EXPECT_EQ(LockIdleMinutes(u"15"), 15u);
    EXPECT_EQ(LockIdleMinutes(u"0007"), 7u);
    EXPECT_EQ(LockIdleMinutes(u"10080"), 10080u);
    for (const std::u16string_view bad : {u"", u"0", u"-5", u" 5", u"5 ", u"5min", u"+5", u"10081", u"4294967301"}) {
        EXPECT_EQ(LockIdleMinutes(bad), 0u) << std::string(bad.begin(), bad.end());
    }
}

}  // namespace
}  // namespace tarnwick
