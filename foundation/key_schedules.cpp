#include "foundation/key_schedules.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <type_traits>

#include "foundation/primary_password.h"
#include "foundation/sealed_text.h"
#include "foundation/secure_zero.h"

namespace tarnwick {
namespace {

constexpr char kCommonKey[] = "brindlefoxmarrow";
constexpr char kOptionKey[] = "cobaltwrenharbor";
static_assert(sizeof kCommonKey == kSealKeyLength + 1 && sizeof kOptionKey == kSealKeyLength + 1);
static_assert(sizeof kUserKeyPrefix == 8 + 1);

using KeyBytes = std::array<std::uint8_t, kSealKeyLength>;

// The prefix, then the password's first 8 bytes up to its terminator; a
// shorter password leaves the rest of the key zero.
void buildUserKey(KeyBytes& key) {
    key.fill(0);
    std::memcpy(key.data(), kUserKeyPrefix, 8);
    const char* password = CurrentPrimaryPassword();
    for (std::size_t i = 0; i < 8 && password[i] != '\0'; ++i) key[8 + i] = static_cast<std::uint8_t>(password[i]);
}

// The one user schedule of the process and the key it was built from. The key
// is compared on every use, so a password written into the buffer by any
// route never meets a schedule built for another one.
class UserSchedule {
public:
    ~UserSchedule() { forget(); }

    std::mutex& mutex() { return mutex_; }

    // Under the lock.
    const CBlowfishCipher& current() {
        KeyBytes key;
        buildUserKey(key);
        if (!cipher_ || key != key_) {
            forget();
            key_ = key;
            cipher_.emplace(key_.data(), key_.size());
        }
        SecureZero(key.data(), key.size());
        return *cipher_;
    }

    // Under the lock.
    void forget() {
        if (cipher_) {
            SecureZero(&*cipher_, sizeof *cipher_);
            cipher_.reset();
        }
        SecureZero(key_.data(), key_.size());
    }

private:
    std::mutex mutex_;
    KeyBytes key_{};
    std::optional<CBlowfishCipher> cipher_;
};

UserSchedule& userSchedule() {
    static UserSchedule instance;
    return instance;
}

const std::uint8_t* keyBytes(const char* key) { return reinterpret_cast<const std::uint8_t*>(key); }

}  // namespace

// No secret lies in these two keys (every program holds them), so their
// schedules are never wiped. Built on first use, safely from any thread; the
// cipher has no destructor, so they stay usable to the very end.
static_assert(std::is_trivially_destructible_v<CBlowfishCipher>);

const CBlowfishCipher& CommonKeyCipher() {
    static const CBlowfishCipher cipher(keyBytes(kCommonKey), kSealKeyLength);
    return cipher;
}

const CBlowfishCipher& OptionKeyCipher() {
    static const CBlowfishCipher cipher(keyBytes(kOptionKey), kSealKeyLength);
    return cipher;
}

UserKeyCipher::UserKeyCipher() : lock_(userSchedule().mutex()), cipher_(userSchedule().current()) {}

void ForgetUserKeySchedule() {
    UserSchedule& schedule = userSchedule();
    const std::lock_guard<std::mutex> lock(schedule.mutex());
    schedule.forget();
}

}  // namespace tarnwick
