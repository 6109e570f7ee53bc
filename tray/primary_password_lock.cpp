#include "tray/primary_password_lock.h"

#include "foundation/option_store.h"
#include "foundation/text_file.h"
#include "foundation/toolbar_contract.h"
#include "foundation/user_profile.h"

namespace tarnwick {

unsigned LockIdleMinutes(std::u16string_view value) {
    // Six digits hold more than the longest setting; a longer text is no setting.
    if (value.empty() || value.size() > 6) return 0;
    unsigned minutes = 0;
    for (const char16_t c : value) {
        if (c < u'0' || c > u'9') return 0;
        minutes = minutes * 10 + static_cast<unsigned>(c - u'0');
    }
    return minutes <= kMaxLockIdleMinutes ? minutes : 0;
}

LockOptions ReadLockOptions(std::u16string_view userFolder, FileSystem& files, const CodePage& codePage) {
    LockOptions options;
    if (userFolder.empty()) return options;
    const OptionRead onLock = ReadOptionLine(userFolder, option_key::kLockOnSessionLock, files, codePage);
    options.onSessionLock = onLock.value != u"0";
    options.idleMinutes =
        LockIdleMinutes(ReadOptionLine(userFolder, option_key::kLockIdleMinutes, files, codePage).value);
    return options;
}

PrimaryPasswordLock::PrimaryPasswordLock(FileSystem& files, const CodePage& codePage, WindowSignals& signals)
    : files_(files),
      codePage_(codePage),
      signals_(signals) {}

bool PrimaryPasswordLock::lock(const CurrentUser& user) {
    bool forgotten = true;
    if (user.exists()) {
        try {
            ForgetRememberedPassword(user.folder, files_, codePage_);
        } catch (const CTextFileException&) {
            forgotten = false;
        }
    }
    // Even when the file stays as it was, no editor keeps the password in memory.
    signals_.SendToEditors(window_class::kPasscardEditor, editor_code::kForgetPassword, std::nullopt);
    signals_.SendToEditors(window_class::kIdentityEditor, editor_code::kForgetPassword, std::nullopt);
    return forgotten;
}

void PrimaryPasswordLock::onSessionLocked(const CurrentUser& user) {
    if (ReadLockOptions(user.folder, files_, codePage_).onSessionLock) lock(user);
}

void PrimaryPasswordLock::onSuspend(const CurrentUser& user) { lock(user); }

void PrimaryPasswordLock::onIdle(const CurrentUser& user, std::uint64_t idleMilliseconds) {
    // No setting is shorter than a minute: while someone is at the machine the
    // poll reads no file.
    const unsigned minutes =
        idleMilliseconds < 60'000 ? 0 : ReadLockOptions(user.folder, files_, codePage_).idleMinutes;
    if (minutes == 0 || idleMilliseconds < std::uint64_t{minutes} * 60'000) {
        // Input came (or the option is off): the next stretch may lock again.
        lockedWhileIdle_ = false;
        return;
    }
    if (lockedWhileIdle_) return;
    lockedWhileIdle_ = true;
    lock(user);
}

}  // namespace tarnwick
