#include "foundation/sealed_text.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "foundation/blowfish_cipher.h"
#include "foundation/md5.h"
#include "foundation/primary_password.h"
#include "foundation/secure_zero.h"

namespace tarnwick {
namespace {

constexpr std::size_t kKeyLength = 16;
constexpr std::uint8_t kPadByte = 0x14;

// The 16-byte key of a mode; zeroed when it goes out of scope because the user
// key holds half of the primary password.
class SealKey {
public:
    explicit SealKey(int keyMode) {
        switch (keyMode) {
            case KeyModeUser: {
                std::memcpy(bytes_.data(), kUserKeyPrefix, 8);
                const char* password = CurrentPrimaryPassword();
                const std::size_t n = ::strnlen(password, 8);
                std::memcpy(bytes_.data() + 8, password, n);  // a shorter password leaves zeros
                break;
            }
            case KeyModeCommon: std::memcpy(bytes_.data(), "brindlefoxmarrow", kKeyLength); break;
            case KeyModeOption: std::memcpy(bytes_.data(), "cobaltwrenharbor", kKeyLength); break;
            default: throw std::invalid_argument("unknown key mode");
        }
    }
    ~SealKey() { SecureZero(bytes_.data(), bytes_.size()); }
    SealKey(const SealKey&) = delete;
    SealKey& operator=(const SealKey&) = delete;

    const std::uint8_t* data() const { return bytes_.data(); }

private:
    std::array<std::uint8_t, kKeyLength> bytes_{};
};

bool isBlowfish(std::u16string_view algorithm) { return algorithm == kAlgorithmBlowfish; }

// Base-10 conversion as strtol does it (leading white space, a sign, digits up to
// the first other character, none giving 0), reduced to its low 8 bits. Only the
// low bits are kept while reading, so no token can overflow.
std::uint8_t tokenByte(std::u16string_view token) {
    std::size_t i = 0;
    while (i < token.size() && (token[i] == u' ' || (token[i] >= u'\t' && token[i] <= u'\r'))) ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == u'+' || token[i] == u'-')) negative = token[i++] == u'-';
    std::uint32_t value = 0;
    for (; i < token.size() && token[i] >= u'0' && token[i] <= u'9'; ++i) {
        value = (value * 10 + static_cast<std::uint32_t>(token[i] - u'0')) & 0xFF;
    }
    if (negative) value = (0u - value) & 0xFF;
    return static_cast<std::uint8_t>(value);
}

}  // namespace

std::u16string SealText(std::u16string_view text, std::u16string_view algorithm, int keyMode,
                        const CodePage& codePage) {
    SealKey key(keyMode);
    std::string narrow = codePage.toNarrow(text, CodePage::Which::Thread);
    const std::size_t n = narrow.size();
    const std::size_t count = 8 * (n / 8) + 8;

    // Padding up to the next multiple of 8; a whole multiple gets one block of
    // zeros (the terminator and seven more).
    std::vector<std::uint8_t> plain(count, 0);
    std::memcpy(plain.data(), narrow.data(), n);
    if (n % 8 != 0) std::memset(plain.data() + n, kPadByte, count - n);
    SecureZero(narrow.data(), narrow.size());

    std::vector<std::uint8_t> sealed(count + 1, 0);
    if (isBlowfish(algorithm)) {
        CBlowfishCipher cipher(key.data(), kKeyLength);
        cipher.Encrypt(plain.data(), sealed.data(), count, CBlowfishCipher::kModeEcb);
    }
    SecureZero(plain.data(), plain.size());

    std::u16string out;
    out.reserve(count * 5);
    for (std::size_t i = 0; i < count; ++i) {
        if (i) out.push_back(u' ');
        int value = static_cast<std::int8_t>(sealed[i]);
        if (value < 0) {
            out.push_back(u'-');
            value = -value;
        }
        char16_t digits[3];
        int d = 0;
        do {
            digits[d++] = static_cast<char16_t>(u'0' + value % 10);
            value /= 10;
        } while (value);
        while (d) out.push_back(digits[--d]);
    }
    return out;
}

std::u16string UnsealText(std::u16string_view sealed, std::u16string_view algorithm, int keyMode,
                          const CodePage& codePage) {
    SealKey key(keyMode);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(sealed.size() / 3 + 1);
    for (std::size_t start = 0;;) {
        const std::size_t space = sealed.find(u' ', start);
        bytes.push_back(tokenByte(sealed.substr(start, space == std::u16string_view::npos
                                                           ? std::u16string_view::npos
                                                           : space - start)));
        if (space == std::u16string_view::npos) break;
        start = space + 1;
    }

    // Too short to hold a block: a damaged line, read as empty.
    const std::size_t count = 8 * (bytes.size() / 8);
    if (count == 0) return {};

    std::vector<std::uint8_t> plain(bytes.size() + 1, 0);
    if (isBlowfish(algorithm)) {
        CBlowfishCipher cipher(key.data(), kKeyLength);
        cipher.Decrypt(bytes.data(), plain.data(), count, CBlowfishCipher::kModeEcb);
    }
    std::size_t length = ::strnlen(reinterpret_cast<const char*>(plain.data()), plain.size());
    const void* pad = std::memchr(plain.data(), kPadByte, length);
    if (pad) length = static_cast<std::size_t>(static_cast<const std::uint8_t*>(pad) - plain.data());

    std::u16string text = codePage.toWide(
        std::string_view(reinterpret_cast<const char*>(plain.data()), length), CodePage::Which::Thread);
    SecureZero(plain.data(), plain.size());
    return text;
}

std::u16string MakeCheckText(std::u16string_view text, const CodePage& codePage) {
    const std::string narrow = codePage.toNarrow(text, CodePage::Which::Thread);
    const std::array<std::uint8_t, 16> digest = Md5(narrow.data(), narrow.size());
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::u16string out;
    out.reserve(32 * 3);
    for (std::size_t i = 0; i < 32; ++i) {
        const std::uint8_t nibble = (i % 2 == 0) ? digest[i / 2] >> 4 : digest[i / 2] & 0x0F;
        const int code = kHex[nibble];  // 48..57 or 65..70: always two digits
        if (i) out.push_back(u' ');
        out.push_back(static_cast<char16_t>(u'0' + code / 10));
        out.push_back(static_cast<char16_t>(u'0' + code % 10));
    }
    return out;
}

std::u16string SealText(std::u16string_view text, std::u16string_view algorithm, int keyMode) {
    return SealText(text, algorithm, keyMode, NativeCodePage());
}
std::u16string UnsealText(std::u16string_view sealed, std::u16string_view algorithm, int keyMode) {
    return UnsealText(sealed, algorithm, keyMode, NativeCodePage());
}
std::u16string MakeCheckText(std::u16string_view text) { return MakeCheckText(text, NativeCodePage()); }

}  // namespace tarnwick
