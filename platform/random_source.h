// Random bytes from the operating system's cryptographic source, for the
// password generator. Never a seeded library generator: what it hands out
// guards a user's accounts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tarnwick {

class RandomSource {
public:
    virtual ~RandomSource() = default;

    // Fills every byte, or raises std::runtime_error when the system cannot
    // give them (the caller must not go on with a weaker source).
    virtual void fill(std::span<std::uint8_t> bytes) = 0;
};

// The adapter of the platform the program was built for (BCryptGenRandom on
// Windows, getrandom on the host).
RandomSource& NativeRandomSource();

}  // namespace tarnwick
