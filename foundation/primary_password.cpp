#include "foundation/primary_password.h"

#include <cstring>

#include "foundation/key_schedules.h"
#include "foundation/secure_zero.h"

namespace tarnwick {
namespace {

struct PasswordBuffer {
    char bytes[kPrimaryPasswordBufferSize] = {};
    ~PasswordBuffer() { SecureZero(bytes, sizeof bytes); }
};

PasswordBuffer& buffer() {
    static PasswordBuffer instance;
    return instance;
}

}  // namespace

char* CurrentPrimaryPassword() { return buffer().bytes; }

void SetCurrentPrimaryPassword(std::string_view narrow) {
    ClearCurrentPrimaryPassword();
    const std::size_t n =
        narrow.size() < kPrimaryPasswordBufferSize - 1 ? narrow.size() : kPrimaryPasswordBufferSize - 1;
    std::memcpy(buffer().bytes, narrow.data(), n);
}

void ClearCurrentPrimaryPassword() {
    SecureZero(buffer().bytes, sizeof buffer().bytes);
    // The user key's schedule opens what the password opens.
    ForgetUserKeySchedule();
}

bool HasCurrentPrimaryPassword() { return buffer().bytes[0] != '\0'; }

}  // namespace tarnwick
