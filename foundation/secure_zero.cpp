#include "foundation/secure_zero.h"

#include <cstring>

namespace tarnwick {

void SecureZero(void* data, std::size_t size) {
    if (size == 0) return;
#if defined(__GNUC__) || defined(__clang__)
    // A whole-buffer memset, then a barrier that tells the compiler the bytes
    // are read afterwards: the stores cannot be dropped as dead, and the wipe
    // runs at memset's speed instead of one volatile byte at a time.
    std::memset(data, 0, size);
    __asm__ __volatile__("" : : "r"(data) : "memory");
#else
    volatile unsigned char* p = static_cast<volatile unsigned char*>(data);
    while (size--) *p++ = 0;
#endif
}

}  // namespace tarnwick
