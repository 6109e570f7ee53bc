#include "support/test_password_gate.h"

#include "foundation/primary_password.h"

namespace tarnwick::test {

bool TestPasswordGate::EnsurePrimaryPassword(WindowRef parent) {
    ++asks_;
    lastParent_ = parent;
    if (!password_) return false;
    SetCurrentPrimaryPassword(*password_);
    return true;
}

}  // namespace tarnwick::test
