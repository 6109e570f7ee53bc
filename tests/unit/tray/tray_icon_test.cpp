// The icon record by shell version, Exit hiding it for good, a new taskbar
// getting it back, and the removal when the window goes.
#include "tray/tray_icon.h"

#include <gtest/gtest.h>

#include "support/tray_fakes.h"

namespace tarnwick {
namespace {

using Calls = std::vector<std::string>;

TEST(TrayIconTest, RecordSizeByShellVersion) {
    EXPECT_EQ(NotifyIconRecordSize(10), 952u);
    EXPECT_EQ(NotifyIconRecordSize(6), 952u);
    EXPECT_EQ(NotifyIconRecordSize(5), 936u);
    EXPECT_EQ(NotifyIconRecordSize(4), 152u);
}

TEST(TrayIconTest, AddedWithItsVersionHiddenByExitAndNotBroughtBack) {
    testing::RecordingNotifyIcon shell;
    TrayIcon icon(shell);
    icon.add(42);
    const NotifyIconRecord& record = shell.records.front();
    EXPECT_EQ(record.size, 952u);
    EXPECT_EQ(record.window, 42u);
    EXPECT_EQ(record.id, 128u);
    EXPECT_EQ(record.flags, 7u);
    EXPECT_EQ(record.callbackMessage, 0x464u);
    EXPECT_EQ(record.tip, u"Tarnwick");
    icon.onTaskbarCreated();
    icon.hide();
    icon.hide();
    icon.onTaskbarCreated();
    icon.remove();
    EXPECT_EQ(shell.calls, (Calls{"add", "version 3", "add", "version 3", "state 1/1", "remove"}));
}

TEST(TrayIconTest, OldShellDeletesOnExitAndAFailedAddRemovesNothing) {
    testing::RecordingNotifyIcon shell;
    shell.version = 4;
    shell.addSucceeds = false;
    TrayIcon icon(shell);
    icon.add(42);
    EXPECT_EQ(shell.records.front().size, 152u);
    EXPECT_FALSE(icon.added());
    icon.remove();
    icon.hide();
    EXPECT_EQ(shell.calls, (Calls{"add", "remove"}));
    EXPECT_TRUE(icon.hidden());
}

}  // namespace
}  // namespace tarnwick
