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
constexpr char kCommonKey[] = "brindlefoxmarrow";
constexpr char kOptionKey[] = "cobaltwrenharbor";
static_assert(sizeof kCommonKey == kKeyLength + 1 && sizeof kOptionKey == kKeyLength + 1);
static_assert(sizeof kUserKeyPrefix == 8 + 1);

// Length of a zero-terminated byte string, looking at no more than `limit` bytes.
std::size_t boundedLength(const void* bytes, std::size_t limit) {
    const void* zero = std::memchr(bytes, 0, limit);
    return zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - static_cast<const char*>(bytes))
                : limit;
}

// A cipher built from a key and wiped when dropped: its schedule decrypts as
// well as the key itself does.
class ScopedCipher {
public:
    explicit ScopedCipher(const std::uint8_t* key) : cipher_(key, kKeyLength) {}
    ~ScopedCipher() { SecureZero(&cipher_, sizeof cipher_); }
    ScopedCipher(const ScopedCipher&) = delete;
    ScopedCipher& operator=(const ScopedCipher&) = delete;

    const CBlowfishCipher& operator*() const { return cipher_; }
    const CBlowfishCipher* operator->() const { return &cipher_; }

private:
    CBlowfishCipher cipher_;
};

// The common key is no secret (every program holds it), so its schedule is
// built once: readers that unseal a line of every card, as the tray program's
// card lists do, would otherwise spend most of their time building it.
const CBlowfishCipher& commonKeyCipher() {
    static const CBlowfishCipher cipher(reinterpret_cast<const std::uint8_t*>(kCommonKey), kKeyLength);
    return cipher;
}

// The 16-byte key of a mode; zeroed when it goes out of scope because the user
// key holds half of the primary password.
class SealKey {
public:
    explicit SealKey(int keyMode) {
        switch (keyMode) {
            case KeyModeUser: {
                std::memcpy(bytes_.data(), kUserKeyPrefix, 8);
                // The password's first 8 bytes up to its terminator; a shorter
                // password leaves the rest of the key zero.
                const char* password = CurrentPrimaryPassword();
                std::memcpy(bytes_.data() + 8, password, boundedLength(password, 8));
                break;
            }
            case KeyModeCommon: std::memcpy(bytes_.data(), kCommonKey, kKeyLength); break;
            case KeyModeOption: std::memcpy(bytes_.data(), kOptionKey, kKeyLength); break;
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

// Base-10 conversion as strtol does it with a 32-bit long (leading white space,
// a sign, digits up to the first other character, none giving 0, saturating at
// the range of long), reduced to its low 8 bits. The magnitude stops growing at
// the saturation point, so no token can overflow however long it is.
std::uint8_t tokenByte(std::u16string_view token) {
    constexpr std::uint64_t kLongMaxMagnitude = 0x80000000u;  // |LONG_MIN|
    std::size_t i = 0;
    while (i < token.size() && (token[i] == u' ' || (token[i] >= u'\t' && token[i] <= u'\r'))) ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == u'+' || token[i] == u'-')) negative = token[i++] == u'-';
    std::uint64_t magnitude = 0;
    for (; i < token.size() && token[i] >= u'0' && token[i] <= u'9'; ++i) {
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(token[i] - u'0');
        if (magnitude > kLongMaxMagnitude) magnitude = kLongMaxMagnitude + 1;  // out of range either way
    }
    std::int64_t value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (value > 0x7FFFFFFF) value = 0x7FFFFFFF;                     // LONG_MAX
    if (value < -0x7FFFFFFF - 1) value = -0x7FFFFFFF - 1;           // LONG_MIN
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) & 0xFF);
}

// A byte buffer of plain text, wiped when dropped (also when a conversion throws).
class WipedBytes {
public:
    explicit WipedBytes(std::size_t size) : bytes_(size, 0) {}
    ~WipedBytes() { SecureZero(bytes_.data(), bytes_.size()); }
    WipedBytes(const WipedBytes&) = delete;
    WipedBytes& operator=(const WipedBytes&) = delete;

    std::uint8_t* data() { return bytes_.data(); }
    std::size_t size() const { return bytes_.size(); }

private:
    std::vector<std::uint8_t> bytes_;
};

// "%d" of the byte read as a signed 8-bit value.
void appendSignedByte(std::u16string& out, std::uint8_t byte) {
    int value = static_cast<std::int8_t>(byte);
    if (value < 0) {
        out.push_back(u'-');
        value = -value;
    }
    if (value >= 100) out.push_back(static_cast<char16_t>(u'0' + value / 100));
    if (value >= 10) out.push_back(static_cast<char16_t>(u'0' + value / 10 % 10));
    out.push_back(static_cast<char16_t>(u'0' + value % 10));
}

// One byte per token between single spaces: "" is one token, "  " three.
std::vector<std::uint8_t> readNumbers(std::u16string_view sealed) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(sealed.size() / 3 + 1);
    for (std::size_t start = 0;;) {
        const std::size_t space = sealed.find(u' ', start);
        if (space == std::u16string_view::npos) {
            bytes.push_back(tokenByte(sealed.substr(start)));
            return bytes;
        }
        bytes.push_back(tokenByte(sealed.substr(start, space - start)));
        start = space + 1;
    }
}

}  // namespace

std::u16string SealText(std::u16string_view text, std::u16string_view algorithm, int keyMode,
                        const CodePage& codePage) {
    const SealKey key(keyMode);
    std::string narrow = codePage.toNarrow(text, CodePage::Which::Thread);
    const std::size_t n = narrow.size();
    const std::size_t count = 8 * (n / 8) + 8;

    // Padding up to the next multiple of 8; a whole multiple gets one block of
    // zeros (the terminator and seven more).
    WipedBytes plain(count);
    std::memcpy(plain.data(), narrow.data(), n);
    if (n % 8 != 0) std::memset(plain.data() + n, kPadByte, count - n);
    SecureZero(narrow.data(), narrow.size());

    std::vector<std::uint8_t> sealed(count + 1, 0);
    if (isBlowfish(algorithm)) {
        const ScopedCipher cipher(key.data());
        cipher->Encrypt(plain.data(), sealed.data(), count, CBlowfishCipher::kModeEcb);
    }

    std::u16string out;
    out.reserve(count * 5);
    for (std::size_t i = 0; i < count; ++i) {
        if (i) out.push_back(u' ');
        appendSignedByte(out, sealed[i]);
    }
    return out;
}

std::u16string UnsealText(std::u16string_view sealed, std::u16string_view algorithm, int keyMode,
                          const CodePage& codePage) {
    const SealKey key(keyMode);
    const std::vector<std::uint8_t> bytes = readNumbers(sealed);

    // Too short to hold a block: a damaged line, read as empty.
    const std::size_t count = 8 * (bytes.size() / 8);
    if (count == 0) return {};

    WipedBytes plain(bytes.size() + 1);
    if (isBlowfish(algorithm) && keyMode == KeyModeCommon) {
        commonKeyCipher().Decrypt(bytes.data(), plain.data(), count, CBlowfishCipher::kModeEcb);
    } else if (isBlowfish(algorithm)) {
        const ScopedCipher cipher(key.data());
        cipher->Decrypt(bytes.data(), plain.data(), count, CBlowfishCipher::kModeEcb);
    }
    std::size_t length = boundedLength(plain.data(), plain.size());
    const void* pad = std::memchr(plain.data(), kPadByte, length);
    if (pad) length = static_cast<std::size_t>(static_cast<const std::uint8_t*>(pad) - plain.data());

    return codePage.toWide(std::string_view(reinterpret_cast<const char*>(plain.data()), length),
                           CodePage::Which::Thread);
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
