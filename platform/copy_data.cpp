#include "platform/copy_data.h"

#include <cstring>

namespace tarnwick {

ReceivedCopyData ReceiveCopyData(std::uintptr_t dwData, std::uint32_t cbData, const void* lpData) {
    ReceivedCopyData received;
    received.code = dwData;
    if (cbData == 0 || lpData == nullptr || cbData % sizeof(char16_t) != 0) return received;

    // The data comes from another process: byte copies, no alignment assumed,
    // never a byte past cbData, and no terminator required.
    const auto* bytes = static_cast<const unsigned char*>(lpData);
    const std::size_t units = cbData / sizeof(char16_t);
    std::u16string text;
    for (std::size_t i = 0; i < units; ++i) {
        char16_t unit;
        std::memcpy(&unit, bytes + i * sizeof(char16_t), sizeof(unit));
        if (unit == u'\0') break;
        text.push_back(unit);
    }
    received.text = std::move(text);
    return received;
}

}  // namespace tarnwick
