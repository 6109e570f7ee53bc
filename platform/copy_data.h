// The WM_COPYDATA message format between the programs and the browser toolbar:
// the code travels in dwData; a text travels as UTF-16 with its terminating zero
// (cbData = 2 * length + 2); no text is cbData 0 and lpData NULL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace tarnwick {

// The value a WM_COPYDATA carries in dwData.
using CopyDataCode = std::uintptr_t;

// What a sender puts into its COPYDATASTRUCT. Owns the text it points to,
// so it must outlive the send. Header-only: the Win32 window adapter builds
// its messages with it.
class CopyDataPayload {
public:
    static CopyDataPayload withoutText(CopyDataCode code) { return CopyDataPayload(code, std::nullopt); }
    // Throws std::length_error for a text whose size does not fit cbData.
    static CopyDataPayload withText(CopyDataCode code, std::u16string_view text) {
        if (text.size() > kMaxTextChars) throw std::length_error("copy-data text too long");
        return CopyDataPayload(code, std::u16string(text));
    }
    static CopyDataPayload of(CopyDataCode code, std::optional<std::u16string_view> text) {
        return text ? withText(code, *text) : withoutText(code);
    }

    // dwData.
    CopyDataCode code() const { return code_; }
    // cbData: the text's units and its terminating zero, 0 without text.
    std::uint32_t byteCount() const {
        if (!text_) return 0;
        return static_cast<std::uint32_t>((text_->size() + 1) * sizeof(char16_t));
    }
    // lpData: c_str() supplies the zero that byteCount() counts; nullptr without text.
    const void* data() const { return text_ ? static_cast<const void*>(text_->c_str()) : nullptr; }

private:
    // cbData is 32 bits: 2 * length + 2 must fit.
    static constexpr std::size_t kMaxTextChars = (std::numeric_limits<std::uint32_t>::max() - 2) / sizeof(char16_t);

    CopyDataPayload(CopyDataCode code, std::optional<std::u16string> text) : code_(code), text_(std::move(text)) {}

    CopyDataCode code_;
    std::optional<std::u16string> text_;
};

// What a receiver may trust of an incoming WM_COPYDATA.
struct ReceivedCopyData {
    CopyDataCode code = 0;
    // No text when the message carried none or its payload was malformed
    // (odd size, or a size without data).
    std::optional<std::u16string> text;
};

// Decodes the raw dwData, cbData and lpData of a WM_COPYDATA from another
// process. Reads at most cbData bytes, with no alignment assumed; the text ends
// at the first zero, or at the end of the data when the sender left it out.
ReceivedCopyData ReceiveCopyData(std::uintptr_t dwData, std::uint32_t cbData, const void* lpData);

}  // namespace tarnwick
