// A password gate for the tests: gives a fixed primary password (as if typed
// or recalled), or refuses (as if the prompt was cancelled); counts the asks.
#pragma once

#include <optional>
#include <string>

#include "foundation/password_gate.h"

namespace tarnwick::test {

class TestPasswordGate : public PasswordGate {
public:
    // Refuses until a password is given.
    TestPasswordGate() = default;
    explicit TestPasswordGate(std::string password) : password_(std::move(password)) {}

    void give(std::string password) { password_ = std::move(password); }
    void refuse() { password_.reset(); }

    // Sets CurrentPrimaryPassword() to the password when there is one.
    bool EnsurePrimaryPassword(WindowRef parent) override;

    int asks() const { return asks_; }
    WindowRef lastParent() const { return lastParent_; }

private:
    std::optional<std::string> password_;
    int asks_ = 0;
    WindowRef lastParent_ = kNoWindow;
};

}  // namespace tarnwick::test
