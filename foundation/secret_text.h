// Text that held a secret (a password, a card's values) is wiped when it is let
// go. WipeText and ReplaceText work on a string in place; SecretText owns its
// text and never frees, or leaves behind, characters it held.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "foundation/secure_zero.h"

namespace tarnwick {

// Overwrites every character the buffer can hold, not only the current ones (a
// text that got shorter keeps its old tail there), and leaves the text empty
// with its buffer.
template <class CharT, class Traits, class Alloc>
void WipeText(std::basic_string<CharT, Traits, Alloc>& text) {
    text.resize(text.capacity());  // within the capacity: no new buffer
    SecureZero(text.data(), text.size() * sizeof(CharT));
    text.clear();
}

// Each text of a list (a card's lines, a form's values), or the one text.
template <class Texts>
void WipeTexts(Texts& texts) {
    for (auto& text : texts) WipeText(text);
}
template <class CharT, class Traits, class Alloc>
void WipeTexts(std::basic_string<CharT, Traits, Alloc>& text) {
    WipeText(text);
}

// `text` becomes `replacement`; the characters it held are overwritten, not
// left in a freed buffer: a longer replacement gets a buffer of its own and
// the old one is wiped before it goes.
template <class CharT, class Traits, class Alloc>
void ReplaceText(std::basic_string<CharT, Traits, Alloc>& text, std::basic_string_view<CharT, Traits> replacement) {
    if (replacement.size() > text.capacity()) {
        std::basic_string<CharT, Traits, Alloc> fresh(text.get_allocator());
        fresh.reserve(replacement.size());
        fresh.assign(replacement);
        WipeText(text);
        text.swap(fresh);
        return;
    }
    const std::size_t before = text.size();
    text.assign(replacement);  // the buffer is kept
    const std::size_t after = text.size();
    if (before > after) {
        text.resize(before);
        SecureZero(text.data() + after, (before - after) * sizeof(CharT));
        text.resize(after);
    }
}

// Wipes what it watches (a string or a list of them) when the scope ends, also
// by an exception.
template <class Texts>
class WipeOnExit {
public:
    explicit WipeOnExit(Texts& texts) : texts_(texts) {}
    ~WipeOnExit() { WipeTexts(texts_); }
    WipeOnExit(const WipeOnExit&) = delete;
    WipeOnExit& operator=(const WipeOnExit&) = delete;

private:
    Texts& texts_;
};

// An owned secret text, wiped on destruction, clear, assignment and when moved
// from. It never grows in place: every change of length goes through
// ReplaceText.
template <class CharT, class Alloc = std::allocator<CharT>>
class BasicSecretText {
public:
    using String = std::basic_string<CharT, std::char_traits<CharT>, Alloc>;
    using View = std::basic_string_view<CharT>;

    BasicSecretText() = default;
    explicit BasicSecretText(View text) { ReplaceText(text_, text); }
    explicit BasicSecretText(const CharT* text) : BasicSecretText(View(text)) {}
    // Takes the buffer itself, so no copy is left; what a short text left in
    // the moved-from string is wiped.
    explicit BasicSecretText(String&& text) noexcept : text_(std::move(text)) { WipeText(text); }
    BasicSecretText(const BasicSecretText& other) : text_(other.text_) {}
    BasicSecretText(BasicSecretText&& other) noexcept : text_(std::move(other.text_)) { WipeText(other.text_); }
    BasicSecretText& operator=(const BasicSecretText& other) {
        if (this != &other) ReplaceText(text_, other.view());
        return *this;
    }
    BasicSecretText& operator=(BasicSecretText&& other) noexcept {
        if (this == &other) return *this;
        WipeText(text_);
        text_ = std::move(other.text_);
        WipeText(other.text_);
        return *this;
    }
    ~BasicSecretText() { WipeText(text_); }

    void assign(View text) { ReplaceText(text_, text); }
    void clear() { WipeText(text_); }

    // Copies of the text are the caller's to wipe.
    const String& str() const { return text_; }
    View view() const { return text_; }
    std::size_t size() const { return text_.size(); }
    bool empty() const { return text_.empty(); }
    bool operator==(View other) const { return view() == other; }

private:
    String text_;
};

using SecretText = BasicSecretText<char16_t>;
// Narrow text: a password in the code page's bytes.
using SecretBytes = BasicSecretText<char>;

}  // namespace tarnwick
