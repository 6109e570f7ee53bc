#include "foundation/text_file.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <random>

namespace tarnwick {
namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr char16_t kCarriageReturn = 0x0D;
constexpr char16_t kLineFeed = 0x0A;

// A short name beside the target: it looks like no card or option file, and
// adds little to the path's length.
std::u16string temporaryPathFor(const std::u16string& target) {
    static std::atomic<std::uint32_t> counter{static_cast<std::uint32_t>(
        std::random_device{}() ^
        static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()))};
    const std::uint32_t value = counter.fetch_add(0x9E3779B9u);
    const std::size_t slash = target.find_last_of(u"\\/");
    std::u16string path = slash == std::u16string::npos ? std::u16string() : target.substr(0, slash + 1);
    path += u"~tw";
    for (int shift = 28; shift >= 0; shift -= 4) path.push_back(u"0123456789abcdef"[(value >> shift) & 0xF]);
    path += u".tmp";
    return path;
}

}  // namespace

CTextFileException::CTextFileException(std::uint32_t errorCode) : errorCode_(errorCode) {
    char text[64];
    std::snprintf(text, sizeof text, "text file error %lu", static_cast<unsigned long>(errorCode));
    message_ = text;
}

// ---- reader ----

CTextFileReader::CTextFileReader(FileSystem& fileSystem, const CodePage& codePage)
    : fileSystem_(fileSystem), codePage_(codePage) {}

bool CTextFileReader::open(const std::u16string& path) {
    close();
    std::uint32_t error = kErrorSuccess;
    file_ = fileSystem_.openForReading(path, error);
    if (!file_) return false;
    atEnd_ = false;

    std::uint8_t first = 0, second = 0, third = 0;
    encoding_ = kEncodingAnsi;
    if (nextByte(first) && nextByte(second)) {
        if (first == 0xFF && second == 0xFE) {
            encoding_ = kEncodingUtf16LittleEndian;
        } else if (first == 0xFE && second == 0xFF) {
            encoding_ = kEncodingUtf16BigEndian;
        } else if (first == 0xEF && second == 0xBB && nextByte(third) && third == 0xBF) {
            encoding_ = kEncodingUtf8;
        }
    }
    // Without a mark the text starts at the first byte; the file is at most one
    // chunk in at this point, so starting again is a matter of the position.
    if (encoding_ == kEncodingAnsi) position_ = 0;
    return true;
}

void CTextFileReader::close() {
    file_.reset();
    position_ = filled_ = 0;
    atEnd_ = true;
    lineRead_ = afterCarriageReturn_ = pendingUnit_ = false;
}

bool CTextFileReader::nextByte(std::uint8_t& byte) {
    if (position_ == filled_) {
        if (!file_) return false;
        std::size_t got = 0;
        const std::uint32_t error = file_->read(buffer_, sizeof buffer_, got);
        if (error != kErrorSuccess) throw CTextFileException(error);
        if (got == 0) return false;  // the position stays, so open() can start again
        position_ = 0;
        filled_ = got;
    }
    byte = buffer_[position_++];
    return true;
}

bool CTextFileReader::nextUnit(char16_t& unit) {
    if (pendingUnit_) {
        pendingUnit_ = false;
        unit = pending_;
        return true;
    }
    std::uint8_t a = 0, b = 0;
    switch (encoding_) {
        case kEncodingUtf16LittleEndian:
        case kEncodingUtf16BigEndian:
            if (!nextByte(a)) return false;
            if (!nextByte(b)) {
                unit = kReplacement;  // half a character at the end of the file
                return true;
            }
            unit = encoding_ == kEncodingUtf16LittleEndian ? static_cast<char16_t>(a | (b << 8))
                                                           : static_cast<char16_t>((a << 8) | b);
            return true;
        case kEncodingUtf8: {
            if (!nextByte(a)) return false;
            int extra = 0;
            std::uint32_t value = 0;
            if (a < 0x80) {
                unit = a;
                return true;
            } else if ((a & 0xE0) == 0xC0) {
                extra = 1;
                value = a & 0x1F;
            } else if ((a & 0xF0) == 0xE0) {
                extra = 2;
                value = a & 0x0F;
            } else {
                unit = kReplacement;  // a continuation byte, or the lead of 4 bytes or more
                return true;
            }
            for (int i = 0; i < extra; ++i) {
                if (!nextByte(b)) {
                    unit = kReplacement;
                    return true;
                }
                if ((b & 0xC0) != 0x80) {
                    // A broken sequence: the byte that broke it starts the next character.
                    unreadByte();
                    unit = kReplacement;
                    return true;
                }
                value = (value << 6) | (b & 0x3F);
            }
            unit = static_cast<char16_t>(value);
            return true;
        }
        default:
            if (!nextByte(a)) return false;
            unit = a;
            return true;
    }
}

bool CTextFileReader::readLine(std::u16string& line) {
    if (atEnd_) return false;
    char16_t unit = 0;
    bool have = nextUnit(unit);
    if (have && afterCarriageReturn_ && unit == kLineFeed) have = nextUnit(unit);
    afterCarriageReturn_ = false;
    if (!have && !lineRead_) {
        // An empty file holds no line at all.
        atEnd_ = true;
        return false;
    }

    std::u16string wide;
    std::string narrow;
    while (have && unit != kCarriageReturn && unit != kLineFeed) {
        if (encoding_ == kEncodingAnsi) {
            narrow.push_back(static_cast<char>(unit));
        } else {
            wide.push_back(unit);
        }
        have = nextUnit(unit);
    }
    if (!have) {
        atEnd_ = true;
    } else {
        afterCarriageReturn_ = unit == kCarriageReturn;
    }
    lineRead_ = true;
    line = encoding_ == kEncodingAnsi ? codePage_.toWide(narrow, CodePage::Which::System) : std::move(wide);
    return true;
}

// ---- writer ----

CTextFileWriter::CTextFileWriter(FileSystem& fileSystem, const CodePage& codePage)
    : fileSystem_(fileSystem), codePage_(codePage) {}

CTextFileWriter::~CTextFileWriter() { discard(); }

void CTextFileWriter::discard() {
    if (!file_) return;
    file_.reset();
    fileSystem_.deleteFile(temporary_);
}

void CTextFileWriter::fail(std::uint32_t error) {
    discard();
    throw CTextFileException(error);
}

void CTextFileWriter::open(const std::u16string& path, int encoding) {
    discard();
    target_ = path;
    temporary_ = temporaryPathFor(path);
    encoding_ = encoding;
    used_ = 0;
    std::uint32_t error = kErrorSuccess;
    file_ = fileSystem_.createForWriting(temporary_, error);
    if (!file_) throw CTextFileException(error);
    switch (encoding_) {
        case kEncodingUtf16BigEndian: put("\xFE\xFF", 2); break;
        case kEncodingUtf16LittleEndian: put("\xFF\xFE", 2); break;
        case kEncodingUtf8: put("\xEF\xBB\xBF", 3); break;
        default: break;
    }
}

void CTextFileWriter::flushBuffer() {
    if (used_ == 0) return;
    const std::uint32_t error = file_->write(buffer_, used_);
    used_ = 0;
    if (error != kErrorSuccess) fail(error);
}

void CTextFileWriter::put(const void* data, std::size_t size) {
    if (!file_) throw CTextFileException(kErrorInvalidHandle);
    const auto* p = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        if (used_ == sizeof buffer_) flushBuffer();
        const std::size_t n = std::min(size, sizeof buffer_ - used_);
        std::copy(p, p + n, buffer_ + used_);
        used_ += n;
        p += n;
        size -= n;
    }
}

void CTextFileWriter::putUnit(char16_t unit) {
    std::uint8_t bytes[3];
    switch (encoding_) {
        case kEncodingUtf16LittleEndian:
            bytes[0] = static_cast<std::uint8_t>(unit);
            bytes[1] = static_cast<std::uint8_t>(unit >> 8);
            put(bytes, 2);
            break;
        case kEncodingUtf16BigEndian:
            bytes[0] = static_cast<std::uint8_t>(unit >> 8);
            bytes[1] = static_cast<std::uint8_t>(unit);
            put(bytes, 2);
            break;
        case kEncodingUtf8:
            if (unit < 0x80) {
                bytes[0] = static_cast<std::uint8_t>(unit);
                put(bytes, 1);
            } else if (unit < 0x800) {
                bytes[0] = static_cast<std::uint8_t>(0xC0 | (unit >> 6));
                bytes[1] = static_cast<std::uint8_t>(0x80 | (unit & 0x3F));
                put(bytes, 2);
            } else {
                bytes[0] = static_cast<std::uint8_t>(0xE0 | (unit >> 12));
                bytes[1] = static_cast<std::uint8_t>(0x80 | ((unit >> 6) & 0x3F));
                bytes[2] = static_cast<std::uint8_t>(0x80 | (unit & 0x3F));
                put(bytes, 3);
            }
            break;
        default:
            bytes[0] = static_cast<std::uint8_t>(unit);
            put(bytes, 1);
            break;
    }
}

void CTextFileWriter::writeText(std::u16string_view text) {
    if (encoding_ == kEncodingAnsi) {
        const std::string narrow = codePage_.toNarrow(text, CodePage::Which::System);
        put(narrow.data(), narrow.size());
        return;
    }
    for (char16_t unit : text) putUnit(unit);
}

void CTextFileWriter::writeLineBreak() {
    putUnit(kCarriageReturn);
    putUnit(kLineFeed);
}

void CTextFileWriter::close() {
    if (!file_) return;
    flushBuffer();
    std::uint32_t error = file_->flush();
    if (error != kErrorSuccess) fail(error);
    file_.reset();
    error = fileSystem_.replaceFile(temporary_, target_);
    if (error != kErrorSuccess) {
        fileSystem_.deleteFile(temporary_);
        throw CTextFileException(error);
    }
}

std::vector<std::u16string> ReadTextLines(const std::u16string& path, FileSystem& fileSystem,
                                          const CodePage& codePage) {
    CTextFileReader reader(fileSystem, codePage);
    std::vector<std::u16string> lines;
    if (!reader.open(path)) return lines;
    std::u16string line;
    while (reader.readLine(line)) lines.push_back(line);
    return lines;
}

void WriteTextLines(const std::u16string& path, const std::vector<std::u16string>& lines, int encoding,
                    FileSystem& fileSystem, const CodePage& codePage) {
    CTextFileWriter writer(fileSystem, codePage);
    writer.open(path, encoding);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) writer.writeLineBreak();
        writer.writeText(lines[i]);
    }
    writer.close();
}

}  // namespace tarnwick
