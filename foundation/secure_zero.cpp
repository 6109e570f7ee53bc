#include "foundation/secure_zero.h"

namespace tarnwick {

void SecureZero(void* data, std::size_t size) {
    volatile unsigned char* p = static_cast<volatile unsigned char*>(data);
    while (size--) *p++ = 0;
}

}  // namespace tarnwick
