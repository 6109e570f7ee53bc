// The stand-ins the benchmarks give the card records: a gate that holds the
// password as the real one does, and prompts that show nothing.
#pragma once

#include <string>

#include "foundation/password_gate.h"
#include "foundation/primary_password.h"
#include "platform/prompts.h"

namespace tarnwick::bench {

class OpenGate : public PasswordGate {
public:
    bool EnsurePrimaryPassword(WindowRef) override {
        // As the real gate: a password already held is not asked again (and
        // its key schedule is kept).
        if (!HasCurrentPrimaryPassword()) SetCurrentPrimaryPassword("alice123");
        return true;
    }
};

class SilentPrompts : public Prompts {
public:
    int messageBox(WindowRef, const std::u16string&, const std::u16string&, unsigned) override { return 1; }
    WindowRef activeWindow() override { return kNoWindow; }
    bool askPrimaryPassword(WindowRef, const PasswordDialogLook&, EntryDialogRules&) override { return false; }
};

}  // namespace tarnwick::bench
