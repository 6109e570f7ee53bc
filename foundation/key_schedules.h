// The Blowfish key schedule of each sealing key, built once and kept while the
// key is valid: building one costs 521 block encryptions, far more than the
// few blocks of a sealed line. The common and option keys are fixed, so their
// schedules live for the process. The user key holds half of the primary
// password: its schedule is kept while that password is held, rebuilt when the
// password changes and wiped when it is cleared and at exit.
#pragma once

#include <mutex>

#include "foundation/blowfish_cipher.h"

namespace tarnwick {

inline constexpr std::size_t kSealKeyLength = 16;

// The ready cipher of the common or the option key.
const CBlowfishCipher& CommonKeyCipher();
const CBlowfishCipher& OptionKeyCipher();

// The cipher of the user key for CurrentPrimaryPassword() as it is now, held
// under a lock for as long as the lease lives: another thread cannot replace or
// wipe it in the meantime.
class UserKeyCipher {
public:
    UserKeyCipher();
    UserKeyCipher(const UserKeyCipher&) = delete;
    UserKeyCipher& operator=(const UserKeyCipher&) = delete;

    const CBlowfishCipher& operator*() const { return cipher_; }
    const CBlowfishCipher* operator->() const { return &cipher_; }

private:
    std::unique_lock<std::mutex> lock_;
    const CBlowfishCipher& cipher_;
};

// Wipes the user key's schedule and its key bytes; the next use builds them
// again from the password then held. Called whenever the password is cleared.
void ForgetUserKeySchedule();

}  // namespace tarnwick
