// When the tray program takes the remembered primary password away: the
// session is locked, the machine is about to suspend, nobody has touched the
// keyboard or mouse for longer than the user allows, or someone asks (the
// menu's Lock, copy-data 70, the CLI). A lock writes "[KEY]" = "0" and tells
// every editor to drop the copy it holds in memory.
#pragma once

#include <cstdint>
#include <string_view>

#include "foundation/window_signals.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "tray/current_user.h"

namespace tarnwick {

// How often the tray window asks the system how long it has been idle.
inline constexpr unsigned kIdlePollMilliseconds = 15'000;
// Longer than a week without input is no setting anyone means: read as off.
inline constexpr unsigned kMaxLockIdleMinutes = 7 * 24 * 60;

// The user's lock options as read. A value that is not what its key takes
// reads as the key's default: a lock on session lock, no idle lock.
struct LockOptions {
    bool onSessionLock = true;  // "[LOCKONSESSIONLOCK]": off only for "0"
    unsigned idleMinutes = 0;   // "[LOCKIDLEMINUTES]": 1 to kMaxLockIdleMinutes; 0 never
};
LockOptions ReadLockOptions(std::u16string_view userFolder, FileSystem& files, const CodePage& codePage);
// "[LOCKIDLEMINUTES]": plain decimal digits only; anything else is 0.
unsigned LockIdleMinutes(std::u16string_view value);

class PrimaryPasswordLock {
public:
    PrimaryPasswordLock(FileSystem& files, const CodePage& codePage, WindowSignals& signals);

    // Locks now, whatever the options say. False when "[KEY]" could not be
    // written (the editors are told all the same).
    bool lock(const CurrentUser& user);
    // The session was locked: a lock unless the user switched it off.
    void onSessionLocked(const CurrentUser& user);
    // The machine is about to suspend: always a lock.
    void onSuspend(const CurrentUser& user);
    // The idle poll, `idleMilliseconds` after the last input: one lock per
    // stretch without input, once it is as long as the option says.
    void onIdle(const CurrentUser& user, std::uint64_t idleMilliseconds);

private:
    FileSystem& files_;
    const CodePage& codePage_;
    WindowSignals& signals_;
    bool lockedWhileIdle_ = false;
};

}  // namespace tarnwick
