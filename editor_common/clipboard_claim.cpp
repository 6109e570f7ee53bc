#include "editor_common/clipboard_claim.h"

namespace tarnwick {
namespace {

bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

}  // namespace

int ClipboardSecondsFrom(std::u16string_view value) {
    while (!value.empty() && isBlank(value.front())) value.remove_prefix(1);
    while (!value.empty() && isBlank(value.back())) value.remove_suffix(1);
    if (value.empty()) return kDefaultClipboardSeconds;
    int seconds = 0;
    for (char16_t c : value) {
        if (c < u'0' || c > u'9') return kDefaultClipboardSeconds;
        // Saturates instead of overflowing however many digits come.
        if (seconds <= kLongestClipboardSeconds) seconds = seconds * 10 + (c - u'0');
    }
    return seconds > kLongestClipboardSeconds ? kLongestClipboardSeconds : seconds;
}

int ClipboardSeconds(const OptionStore& options) {
    return ClipboardSecondsFrom(options.ReadOptionQuietly(option_key::kClipboardSeconds));
}

void ClipboardClaim::claim(std::uint32_t sequence) {
    if (sequence == 0) {
        sequence_.reset();
    } else {
        sequence_ = sequence;
    }
}

bool ClipboardClaim::release(std::uint32_t current) {
    const bool ours = sequence_.has_value() && *sequence_ == current;
    sequence_.reset();
    return ours;
}

}  // namespace tarnwick
