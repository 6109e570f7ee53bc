// A downloaded list of breached passwords: one "HASH:COUNT" line per password,
// HASH the SHA-1 of its UTF-8 bytes in 40 upper-case hex digits, the lines
// sorted by hash, CRLF or LF line ends. The list may be tens of gigabytes, so
// it is never loaded: a lookup is a binary search over byte offsets, reading a
// line or two per step. The file comes from outside: a line out of order or
// out of form is reported as a fault, never taken as "not breached".
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tarnwick {

// Bytes that can be read at any offset.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Reads up to `size` bytes at `offset`; false on a read error. `got` is
    // short only at the end.
    virtual bool readAt(std::uint64_t offset, char* buffer, std::size_t size, std::size_t& got) = 0;
};

// A file on disk, by the core's path (the host maps the Z: drive).
std::unique_ptr<ByteSource> OpenByteFile(const std::u16string& path, std::string& error);

enum class BreachStatus { Absent, Found, Faulty };

struct BreachAnswer {
    BreachStatus status = BreachStatus::Absent;
    std::uint64_t count = 0;  // how often it was seen, when found
    std::string fault;        // what is wrong with the file, when faulty
};

class BreachList {
public:
    explicit BreachList(ByteSource& source) : source_(source) {}

    // A first look at the file: its first and last lines and a few hundred
    // lines between in form and in order. The fault's text, empty when none
    // was seen. A lookup checks every line it reads the same way.
    std::string checkEnds();
    // Looks up one digest, 40 upper-case hex digits.
    BreachAnswer find(std::string_view hexDigest);

private:
    struct Line {
        std::uint64_t start = 0;
        std::uint64_t next = 0;  // where the following line starts
        std::string hash;
        std::uint64_t count = 0;
    };
    // The start of the first line at or after `offset`; size() when none.
    bool lineStartFrom(std::uint64_t offset, std::uint64_t& start, std::string& fault);
    bool readLine(std::uint64_t start, Line& line, std::string& fault);
    bool lastLineStart(std::uint64_t& start, std::string& fault);

    ByteSource& source_;
};

}  // namespace tarnwick
