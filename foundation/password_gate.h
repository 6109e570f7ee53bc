// What opening or sealing a protected card needs first: the current user's
// primary password in CurrentPrimaryPassword(), recalled or asked for. The
// user profile is the real gate; the CLI and the tests supply their own.
#pragma once

#include "platform/window_ref.h"

namespace tarnwick {

class PasswordGate {
public:
    virtual ~PasswordGate() = default;

    // True once CurrentPrimaryPassword() holds the password; false when the
    // user cancelled (the caller then abandons its operation without a message).
    virtual bool EnsurePrimaryPassword(WindowRef parent) = 0;
};

}  // namespace tarnwick
