#include "health/breach_list.h"

#include <cstdio>

#include "platform/utf8.h"
#ifndef _WIN32
#include "platform/host/host_file_system.h"
#endif

namespace tarnwick {
namespace {

constexpr std::size_t kHashDigits = 40;
// "HASH:COUNT\r\n" with a count of up to 20 digits; anything longer is no line of the list.
constexpr std::size_t kLongestLine = kHashDigits + 1 + 20 + 2;
// The lines checkEnds() reads across the file.
constexpr std::uint64_t kEndSamples = 256;

bool isUpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

std::string at(std::uint64_t offset) { return " at byte " + std::to_string(offset); }

class StdioByteSource : public ByteSource {
public:
    StdioByteSource(std::FILE* file, std::uint64_t size) : file_(file), size_(size) {}
    ~StdioByteSource() override { std::fclose(file_); }
    std::uint64_t size() const override { return size_; }
    bool readAt(std::uint64_t offset, char* buffer, std::size_t size, std::size_t& got) override {
        got = 0;
#ifdef _WIN32
        if (_fseeki64(file_, static_cast<__int64>(offset), SEEK_SET) != 0) return false;
#else
        if (fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
#endif
        got = std::fread(buffer, 1, size, file_);
        return got == size || !std::ferror(file_);
    }

private:
    std::FILE* file_;
    std::uint64_t size_;
};

}  // namespace

std::unique_ptr<ByteSource> OpenByteFile(const std::u16string& path, std::string& error) {
#ifdef _WIN32
    std::FILE* file = _wfopen(reinterpret_cast<const wchar_t*>(path.c_str()), L"rb");
#else
    const std::string hostPath = WindowsPathToHost(path);
    std::FILE* file = hostPath.empty() ? nullptr : std::fopen(hostPath.c_str(), "rb");
#endif
    if (file == nullptr) {
        error = "cannot open " + Utf16ToUtf8(path);
        return nullptr;
    }
#ifdef _WIN32
    const bool sought = _fseeki64(file, 0, SEEK_END) == 0;
    const std::int64_t size = sought ? _ftelli64(file) : -1;
#else
    const bool sought = fseeko(file, 0, SEEK_END) == 0;
    const std::int64_t size = sought ? static_cast<std::int64_t>(ftello(file)) : -1;
#endif
    if (size < 0) {
        std::fclose(file);
        error = "cannot read " + Utf16ToUtf8(path);
        return nullptr;
    }
    return std::make_unique<StdioByteSource>(file, static_cast<std::uint64_t>(size));
}

bool BreachList::lineStartFrom(std::uint64_t offset, std::uint64_t& start, std::string& fault) {
    if (offset == 0) {
        start = 0;
        return true;
    }
    // The byte before `offset` may itself end a line.
    char buffer[kLongestLine + 1];
    std::size_t got = 0;
    if (!source_.readAt(offset - 1, buffer, sizeof buffer, got)) {
        fault = "cannot read the breach file" + at(offset - 1);
        return false;
    }
    for (std::size_t i = 0; i < got; ++i) {
        if (buffer[i] == '\n') {
            start = offset + i;
            return true;
        }
    }
    if (offset - 1 + got >= source_.size()) {
        start = source_.size();
        return true;
    }
    fault = "the breach file has a line longer than a hash and a count" + at(offset - 1);
    return false;
}

bool BreachList::readLine(std::uint64_t start, Line& line, std::string& fault) {
    char buffer[kLongestLine];
    std::size_t got = 0;
    if (!source_.readAt(start, buffer, sizeof buffer, got)) {
        fault = "cannot read the breach file" + at(start);
        return false;
    }
    std::size_t length = 0;
    while (length < got && buffer[length] != '\n') ++length;
    const bool ended = length < got;
    if (!ended && start + got < source_.size()) {
        fault = "the breach file has a line longer than a hash and a count" + at(start);
        return false;
    }
    line.start = start;
    line.next = start + length + (ended ? 1 : 0);
    if (length > 0 && buffer[length - 1] == '\r') --length;
    const std::string_view text(buffer, length);
    std::size_t digits = 0;
    while (digits < text.size() && isUpperHex(text[digits])) ++digits;
    if (digits != kHashDigits || text.size() < kHashDigits + 2 || text[kHashDigits] != ':') {
        fault = "the breach file has a line that is not HASH:COUNT (40 upper-case hex digits, a colon, a count)" +
                at(start);
        return false;
    }
    std::uint64_t count = 0;
    for (std::size_t i = kHashDigits + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9' || count > (UINT64_MAX - 9) / 10) {
            fault = "the breach file has a line whose count is not a number" + at(start);
            return false;
        }
        count = count * 10 + static_cast<std::uint64_t>(c - '0');
    }
    line.hash.assign(text.substr(0, kHashDigits));
    line.count = count;
    return true;
}

bool BreachList::lastLineStart(std::uint64_t& start, std::string& fault) {
    const std::uint64_t size = source_.size();
    // Back from the end past the last line's end, to the line end before it.
    const std::uint64_t from = size > kLongestLine + 1 ? size - kLongestLine - 1 : 0;
    char buffer[kLongestLine + 1];
    std::size_t got = 0;
    if (!source_.readAt(from, buffer, sizeof buffer, got)) {
        fault = "cannot read the breach file" + at(from);
        return false;
    }
    std::size_t end = got;
    if (end > 0 && buffer[end - 1] == '\n') --end;
    while (end > 0 && buffer[end - 1] != '\n') --end;
    if (end == 0 && from > 0) {
        fault = "the breach file has a line longer than a hash and a count" + at(from);
        return false;
    }
    start = from + end;
    return true;
}

std::string BreachList::checkEnds() {
    const std::uint64_t size = source_.size();
    if (size == 0) return "the breach file is empty";
    std::string fault;
    // The first two lines, lines at evenly spaced offsets and the last line
    // must each be in form and in order: a file out of order in large parts
    // shows it here, for a few reads.
    std::string previous;
    std::uint64_t offset = 0;
    const auto take = [&](std::uint64_t start) {
        Line line;
        if (!readLine(start, line, fault)) return false;
        if (!previous.empty() && !(previous < line.hash)) {
            fault = "the breach file is not sorted by hash" + at(start);
            return false;
        }
        previous = line.hash;
        offset = line.next;
        return true;
    };
    if (!take(0) || (offset < size && !take(offset))) return fault;
    for (std::uint64_t sample = 1; sample < kEndSamples; ++sample) {
        std::uint64_t start = 0;
        const std::uint64_t from = size / kEndSamples * sample;
        if (from < offset) continue;
        if (!lineStartFrom(from, start, fault)) return fault;
        if (start >= size) break;
        if (!take(start)) return fault;
    }
    std::uint64_t lastStart = 0;
    if (!lastLineStart(lastStart, fault)) return fault;
    if (lastStart >= offset && !take(lastStart)) return fault;
    return {};
}

BreachAnswer BreachList::find(std::string_view hexDigest) {
    BreachAnswer answer;
    // Every line read must lie between the nearest lines read before it on
    // either side; one that does not shows the file is out of order.
    std::string below;
    std::string above;
    std::uint64_t low = 0;
    std::uint64_t high = source_.size();
    Line line;
    while (low < high) {
        const std::uint64_t middle = low + (high - low) / 2;
        std::uint64_t start = 0;
        if (!lineStartFrom(middle, start, answer.fault)) break;
        if (start >= high) {
            high = middle;
            continue;
        }
        if (!readLine(start, line, answer.fault)) break;
        if ((!below.empty() && !(below < line.hash)) || (!above.empty() && !(line.hash < above))) {
            answer.fault = "the breach file is not sorted by hash" + at(start);
            break;
        }
        const int order = std::string_view(line.hash).compare(hexDigest);
        if (order == 0) {
            answer.status = BreachStatus::Found;
            answer.count = line.count;
            return answer;
        }
        if (order < 0) {
            below = line.hash;
            low = line.next;
        } else {
            above = line.hash;
            high = middle;
        }
    }
    answer.status = answer.fault.empty() ? BreachStatus::Absent : BreachStatus::Faulty;
    return answer;
}

}  // namespace tarnwick
