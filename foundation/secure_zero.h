// Overwrites memory that held a password or a key, in a way the compiler keeps.
#pragma once

#include <cstddef>

namespace tarnwick {

void SecureZero(void* data, std::size_t size);

}  // namespace tarnwick
