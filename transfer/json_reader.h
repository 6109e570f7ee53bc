// A strict JSON reader for files from outside: the text must be valid UTF-8
// (a leading byte-order mark is allowed), nesting and size are limited, and
// strings come back as UTF-16 with \u escapes and surrogate pairs decoded.
// Anything else (trailing commas, comments, lone surrogates, a key given
// twice in one object) is refused with the line it was found on.
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnwick::transfer {

inline constexpr std::size_t kMaxJsonDepth = 64;
inline constexpr std::size_t kMaxJsonBytes = std::size_t{256} * 1024 * 1024;

class JsonError : public std::runtime_error {
public:
    JsonError(const std::string& what, std::size_t line);
    std::size_t line() const { return line_; }

private:
    std::size_t line_;
};

struct JsonMember;

class JsonValue {
public:
    enum class Kind { Null, Bool, Number, String, Array, Object };

    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::u16string text;              // String
    std::vector<JsonValue> items;     // Array
    std::vector<JsonMember> members;  // Object, in file order

    bool isNull() const { return kind == Kind::Null; }
    // The member named `key` of an object; null for anything else.
    const JsonValue* find(std::u16string_view key) const;
};

struct JsonMember {
    std::u16string name;
    JsonValue value;
};

// Raises JsonError for anything that is not exactly one JSON value.
JsonValue ParseJson(std::string_view utf8);

// A JSON string literal (quotes included) in UTF-8; control characters and
// the two characters that would end or escape it are escaped, and a lone
// surrogate (which no file name or sealable value holds) becomes U+FFFD.
std::string JsonQuote(std::u16string_view text);

}  // namespace tarnwick::transfer
