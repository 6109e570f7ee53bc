#include "foundation/sealed_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "foundation/blowfish_cipher.h"
#include "foundation/key_schedules.h"
#include "foundation/md5.h"
#include "foundation/secret_text.h"
#include "foundation/secure_zero.h"

namespace tarnwick {
namespace {

constexpr std::uint8_t kPadByte = 0x14;

// Length of a zero-terminated byte string, looking at no more than `limit` bytes.
std::size_t boundedLength(const void* bytes, std::size_t limit) {
    const void* zero = std::memchr(bytes, 0, limit);
    return zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - static_cast<const char*>(bytes)) : limit;
}

void checkKeyMode(int keyMode) {
    if (keyMode != KeyModeUser && keyMode != KeyModeCommon && keyMode != KeyModeOption) {
        throw std::invalid_argument("unknown key mode");
    }
}

// Runs the cipher of the mode's key over the bytes: every key's schedule is
// built once and kept (key_schedules.h).
void applyKey(int keyMode, bool encrypt, const std::uint8_t* in, std::uint8_t* out, std::size_t count) {
    const auto run = [&](const CBlowfishCipher& cipher) {
        if (encrypt) {
            cipher.Encrypt(in, out, count, CBlowfishCipher::kModeEcb);
        } else {
            cipher.Decrypt(in, out, count, CBlowfishCipher::kModeEcb);
        }
    };
    switch (keyMode) {
        case KeyModeUser:
            run(*UserKeyCipher());
            break;
        case KeyModeCommon:
            run(CommonKeyCipher());
            break;
        case KeyModeOption:
            run(OptionKeyCipher());
            break;
        default:
            throw std::invalid_argument("unknown key mode");
    }
}

// The name's length counted once, not on every call.
constexpr std::u16string_view kBlowfishName(kAlgorithmBlowfish);

bool isBlowfish(std::u16string_view algorithm) { return algorithm == kBlowfishName; }

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
    if (value > 0x7FFFFFFF) value = 0x7FFFFFFF;            // LONG_MAX
    if (value < -0x7FFFFFFF - 1) value = -0x7FFFFFFF - 1;  // LONG_MIN
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) & 0xFF);
}

// A byte buffer, wiped when dropped (also when a conversion throws): it holds
// plain text. A sealed line is short, so its bytes stay on the stack.
class WipedBytes {
public:
    // The bytes from `zeroFrom` (at most `size`) on start zero; those before
    // it are the caller's to fill.
    explicit WipedBytes(std::size_t size, std::size_t zeroFrom = 0) : size_(size) {
        if (size > inline_.size()) {
            heap_.assign(size, 0);
        } else {
            std::memset(inline_.data() + zeroFrom, 0, size - zeroFrom);
        }
    }
    ~WipedBytes() { SecureZero(data(), size_); }
    WipedBytes(const WipedBytes&) = delete;
    WipedBytes& operator=(const WipedBytes&) = delete;

    std::uint8_t* data() { return heap_.empty() ? inline_.data() : heap_.data(); }
    std::size_t size() const { return size_; }

private:
    std::array<std::uint8_t, 512> inline_;  // only the first size_ bytes are used
    std::vector<std::uint8_t> heap_;
    std::size_t size_;
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
std::size_t countNumbers(std::u16string_view sealed) {
    return static_cast<std::size_t>(std::count(sealed.begin(), sealed.end(), u' ')) + 1;
}

void readNumbers(std::u16string_view sealed, std::uint8_t* bytes) {
    const char16_t* p = sealed.data();
    const char16_t* const end = p + sealed.size();
    for (;; ++bytes) {
        // What SealText writes, an optional minus and one to three digits, is
        // read at once; anything else goes the whole way through tokenByte.
        const char16_t* q = p;
        const bool negative = q < end && *q == u'-';
        if (negative) ++q;
        unsigned value = 0;
        int digits = 0;
        for (; q < end && digits < 4 && *q >= u'0' && *q <= u'9'; ++q, ++digits) {
            value = value * 10 + static_cast<unsigned>(*q - u'0');
        }
        if (digits >= 1 && digits <= 3 && (q == end || *q == u' ')) {
            *bytes = static_cast<std::uint8_t>(negative ? 0u - value : value);
        } else {
            q = std::find(p, end, u' ');
            *bytes = tokenByte(std::u16string_view(p, static_cast<std::size_t>(q - p)));
        }
        if (q == end) return;
        p = q + 1;
    }
}

}  // namespace

std::u16string SealText(std::u16string_view text, std::u16string_view algorithm, int keyMode,
                        const CodePage& codePage) {
    checkKeyMode(keyMode);
    std::string narrow = codePage.toNarrow(text, CodePage::Which::Thread);
    const WipeOnExit wipeNarrow(narrow);
    const std::size_t n = narrow.size();
    const std::size_t count = 8 * (n / 8) + 8;

    // Padding up to the next multiple of 8; a whole multiple gets one block of
    // zeros (the terminator and seven more).
    WipedBytes plain(count);
    std::memcpy(plain.data(), narrow.data(), n);
    if (n % 8 != 0) std::memset(plain.data() + n, kPadByte, count - n);
    std::vector<std::uint8_t> sealed(count + 1, 0);
    if (isBlowfish(algorithm)) applyKey(keyMode, true, plain.data(), sealed.data(), count);

    std::u16string out;
    out.reserve(count * 5);
    for (std::size_t i = 0; i < count; ++i) {
        if (i) out.push_back(u' ');
        appendSignedByte(out, sealed[i]);
    }
    return out;
}

namespace {

// The length of the text in decrypted bytes: up to the first zero (at most
// `size` bytes), and before that up to the first pad byte.
std::size_t plainLength(const std::uint8_t* plain, std::size_t size) {
    std::size_t length = boundedLength(plain, size);
    const void* pad = std::memchr(plain, kPadByte, length);
    if (pad) length = static_cast<std::size_t>(static_cast<const std::uint8_t*>(pad) - plain);
    return length;
}

std::u16string widen(const std::uint8_t* plain, std::size_t length, const CodePage& codePage) {
    return codePage.toWide(std::string_view(reinterpret_cast<const char*>(plain), length), CodePage::Which::Thread);
}

std::u16string textOfPlain(const std::uint8_t* plain, std::size_t size, const CodePage& codePage) {
    return widen(plain, plainLength(plain, size), codePage);
}

// The text of decrypted bytes put in `out`, whose text is wiped first and
// whose buffer is kept where the new text fits. ASCII, what most card texts
// are, is the same in every ANSI code page and is widened as it stands.
void assignTextOfPlain(std::u16string& out, const std::uint8_t* plain, std::size_t size, const CodePage& codePage) {
    const std::size_t length = plainLength(plain, size);
    std::uint8_t seen = 0;
    for (std::size_t i = 0; i < length; ++i) seen |= plain[i];
    WipeText(out);
    if (seen >= 0x80) {
        out = widen(plain, length, codePage);
        return;
    }
    out.resize(length);
    for (std::size_t i = 0; i < length; ++i) out[i] = static_cast<char16_t>(plain[i]);
}

// UnsealText with the cipher of the key already at hand; null for an
// algorithm that does not encrypt.
std::u16string unsealWith(std::u16string_view sealed, const CBlowfishCipher* cipher, const CodePage& codePage) {
    const std::size_t numbers = countNumbers(sealed);

    // Too short to hold a block: a damaged line, read as empty.
    const std::size_t count = 8 * (numbers / 8);
    if (count == 0) return {};

    // Every number is read into `bytes`; the cipher writes the blocks of
    // `plain`, and the rest of it stays zero.
    WipedBytes bytes(numbers, numbers);
    readNumbers(sealed, bytes.data());
    WipedBytes plain(numbers + 1, cipher ? count : 0);
    if (cipher) cipher->Decrypt(bytes.data(), plain.data(), count, CBlowfishCipher::kModeEcb);
    return textOfPlain(plain.data(), plain.size(), codePage);
}

}  // namespace

std::u16string UnsealText(std::u16string_view sealed, std::u16string_view algorithm, int keyMode,
                          const CodePage& codePage) {
    checkKeyMode(keyMode);
    if (!isBlowfish(algorithm)) return unsealWith(sealed, nullptr, codePage);
    switch (keyMode) {
        case KeyModeUser: {
            const UserKeyCipher cipher;
            return unsealWith(sealed, &*cipher, codePage);
        }
        case KeyModeCommon:
            return unsealWith(sealed, &CommonKeyCipher(), codePage);
        default:
            return unsealWith(sealed, &OptionKeyCipher(), codePage);
    }
}

Unsealer::Unsealer(const CodePage& codePage) : codePage_(codePage) {}

Unsealer::~Unsealer() {
    if (user_) SecureZero(&*user_, sizeof *user_);
}

const CBlowfishCipher& Unsealer::cipher(int keyMode) {
    checkKeyMode(keyMode);
    if (keyMode == KeyModeCommon) return CommonKeyCipher();
    if (keyMode == KeyModeOption) return OptionKeyCipher();
    if (!user_) user_.emplace(*UserKeyCipher());
    return *user_;
}

std::u16string Unsealer::operator()(std::u16string_view sealed, int keyMode) {
    return unsealWith(sealed, &cipher(keyMode), codePage_);
}

void Unsealer::lines(const std::vector<std::u16string>& sealed, std::size_t first,
                     const std::vector<std::u16string*>& into, int keyMode) {
    const CBlowfishCipher& key = cipher(keyMode);
    const std::size_t last = std::min(first + into.size(), sealed.size());
    if (first >= last) return;

    // Each line's whole blocks, one line after another: a line's numbers are
    // read at the end of the blocks before it, and a part block at its end is
    // overwritten by the next line's.
    std::vector<std::size_t> ends;  // first each line's count of numbers, then where its blocks end
    ends.reserve(last - first);
    std::size_t numbers = 0;
    for (std::size_t i = first; i < last; ++i) numbers += ends.emplace_back(countNumbers(sealed[i]));
    WipedBytes bytes(numbers, numbers);
    std::size_t end = 0;
    for (std::size_t i = first; i < last; ++i) {
        readNumbers(sealed[i], bytes.data() + end);
        end += 8 * (ends[i - first] / 8);
        ends[i - first] = end;
    }
    if (end > 0) key.Decrypt(bytes.data(), bytes.data(), end, CBlowfishCipher::kModeEcb);

    std::size_t begin = 0;
    for (std::size_t i = 0; i < ends.size(); ++i) {
        assignTextOfPlain(*into[i], bytes.data() + begin, ends[i] - begin, codePage_);
        begin = ends[i];
    }
}

std::u16string MakeCheckText(std::u16string_view text, const CodePage& codePage) {
    // The text is a password: its bytes are wiped once digested.
    const SecretBytes narrow(codePage.toNarrow(text, CodePage::Which::Thread));
    return CheckTextOfDigest(Md5(narrow.view().data(), narrow.size()));
}

std::u16string CheckTextOfDigest(const std::array<std::uint8_t, 16>& digest) {
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
