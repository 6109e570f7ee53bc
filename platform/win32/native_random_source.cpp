// BCryptGenRandom with the system's preferred generator: no algorithm handle
// to open or leak.
#include <windows.h>
#include <bcrypt.h>

#include <algorithm>
#include <climits>
#include <stdexcept>

#include "platform/random_source.h"

namespace tarnwick {
namespace {

class SystemRandomSource : public RandomSource {
public:
    void fill(std::span<std::uint8_t> bytes) override {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, ULONG_MAX);
            const NTSTATUS status = BCryptGenRandom(nullptr, bytes.data() + done, static_cast<ULONG>(chunk),
                                                    BCRYPT_USE_SYSTEM_PREFERRED_RNG);
            if (status < 0) throw std::runtime_error("the system's random source failed");
            done += chunk;
        }
    }
};

}  // namespace

RandomSource& NativeRandomSource() {
    static SystemRandomSource source;
    return source;
}

}  // namespace tarnwick
