// getrandom(2): the kernel's source, which blocks only until it is first seeded.
#include <sys/random.h>

#include <cerrno>
#include <stdexcept>

#include "platform/random_source.h"

namespace tarnwick {
namespace {

class KernelRandomSource : public RandomSource {
public:
    void fill(std::span<std::uint8_t> bytes) override {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got = getrandom(bytes.data() + done, bytes.size() - done, 0);
            if (got < 0) {
                if (errno == EINTR) continue;
                throw std::runtime_error("the system's random source failed");
            }
            done += static_cast<std::size_t>(got);
        }
    }
};

}  // namespace

RandomSource& NativeRandomSource() {
    static KernelRandomSource source;
    return source;
}

}  // namespace tarnwick
