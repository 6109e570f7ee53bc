#include "foundation/text_file.h"

#include <chrono>
#include <mutex>
#include <random>
#include <stdexcept>

#include "platform/utf8.h"

namespace tarnwick {
namespace {

constexpr char16_t kCr = 0x0D;
constexpr char16_t kLf = 0x0A;
constexpr char16_t kReplacement = 0xFFFD;

// Tries before giving up on finding an unused temporary name.
constexpr int kTemporaryNameTries = 32;

const char* describe(std::uint32_t error) {
    switch (error) {
        case kErrorFileNotFound:
            return "the file was not found";
        case kErrorPathNotFound:
            return "the folder was not found";
        case kErrorAccessDenied:
            return "access is denied";
        case kErrorInvalidHandle:
            return "the file is not open";
        case kErrorWriteFault:
            return "the disk could not be written";
        case kErrorReadFault:
            return "the disk could not be read";
        case kErrorSharingViolation:
            return "the file is in use";
        case kErrorHandleDiskFull:
        case kErrorDiskFull:
            return "the disk is full";
        case kErrorFileExists:
            return "the file exists";
        case kErrorFilenameExcedRange:
            return "the name is too long";
        default:
            return nullptr;
    }
}

std::string messageOf(std::uint32_t error, const std::u16string& path, const char* action) {
    std::string text = std::string("cannot ") + action + " " + Utf16ToUtf8(path) + ": error " + std::to_string(error);
    if (const char* what = describe(error)) text += std::string(" (") + what + ")";
    return text;
}

std::uint32_t randomWord() {
    static std::mutex mutex;
    static std::mt19937 generator = [] {
        std::random_device device;
        const auto now =
            static_cast<std::uint32_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
        std::seed_seq seed{device(), device(), now};
        return std::mt19937(seed);
    }();
    const std::lock_guard<std::mutex> lock(mutex);
    return static_cast<std::uint32_t>(generator());
}

// A short name in the target's own folder, so that the final step is a rename
// within one volume; it neither looks like a card file nor lengthens the path
// beyond what a card name may already have.
std::u16string temporaryNameBeside(const std::u16string& target) {
    const std::size_t slash = target.find_last_of(u"\\/");
    std::u16string name;
    if (slash != std::u16string::npos) {
        name = target.substr(0, slash + 1);
    } else if (target.size() >= 2 && target[1] == u':') {
        name = target.substr(0, 2);
    }
    name += u"~tw";
    const std::uint32_t word = randomWord();
    for (int shift = 28; shift >= 0; shift -= 4) name += u"0123456789abcdef"[(word >> shift) & 0xF];
    name += u".tmp";
    return name;
}

}  // namespace

CTextFileException::CTextFileException(std::uint32_t errorCode)
    : errorCode_(errorCode),
      message_("text file error " + std::to_string(errorCode)) {
    if (const char* what = describe(errorCode)) message_ += std::string(" (") + what + ")";
}

CTextFileException::CTextFileException(std::uint32_t errorCode, std::u16string path, const char* action)
    : errorCode_(errorCode),
      path_(std::move(path)),
      message_(messageOf(errorCode_, path_, action)) {}

// ---- Reader ----------------------------------------------------------------

CTextFileReader::CTextFileReader(FileSystem& files, const CodePage& codePage) : files_(files), codePage_(codePage) {}

bool CTextFileReader::open(const std::u16string& path) {
    close();
    path_ = path;
    std::uint32_t error = kErrorSuccess;
    file_ = files_.openForReading(path, error);
    openError_ = file_ ? kErrorSuccess : error;
    if (!file_) return false;
    fileExhausted_ = false;
    atEnd_ = false;
    // The longest mark is three bytes; a short file simply has none.
    while (size_ < 3 && readMore()) {}
    const unsigned char* b = buffer_.data();
    if (size_ >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        encoding_ = kEncodingUtf16LittleEndian;
        position_ = 2;
    } else if (size_ >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        encoding_ = kEncodingUtf16BigEndian;
        position_ = 2;
    } else if (size_ >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        encoding_ = kEncodingUtf8;
        position_ = 3;
    } else {
        encoding_ = kEncodingAnsi;
        position_ = 0;
    }
    return true;
}

void CTextFileReader::close() {
    file_.reset();
    position_ = 0;
    size_ = 0;
    fileExhausted_ = true;
    atEnd_ = true;
    lineRead_ = false;
    encoding_ = kEncodingAnsi;
    lastBreak_ = 0;
    peeked_.reset();
}

void CTextFileReader::failRead(std::uint32_t error) {
    close();
    throw CTextFileException(error, path_, "read");
}

// Appends the next chunk after what the buffer holds; false at the end of the file.
bool CTextFileReader::readMore() {
    if (fileExhausted_ || size_ == buffer_.size()) return false;
    std::size_t got = 0;
    const std::uint32_t error = file_->read(buffer_.data() + size_, buffer_.size() - size_, got);
    if (error != kErrorSuccess) failRead(error);
    if (got == 0) {
        fileExhausted_ = true;
        return false;
    }
    size_ += got;
    return true;
}

int CTextFileReader::peekByte() {
    if (position_ == size_) {
        position_ = 0;
        size_ = 0;
        if (!readMore()) return -1;
    }
    return buffer_[position_];
}

int CTextFileReader::nextByte() {
    const int b = peekByte();
    if (b >= 0) ++position_;
    return b;
}

// One code unit of the file's encoding; in encoding 0 a byte. False at the end.
bool CTextFileReader::decodeUnit(char16_t& unit) {
    const int first = nextByte();
    if (first < 0) return false;
    if (encoding_ == kEncodingAnsi) {
        unit = static_cast<char16_t>(first);
        return true;
    }
    if (encoding_ == kEncodingUtf16LittleEndian || encoding_ == kEncodingUtf16BigEndian) {
        const int second = nextByte();
        if (second < 0) {
            unit = kReplacement;  // an odd byte at the end
        } else if (encoding_ == kEncodingUtf16LittleEndian) {
            unit = static_cast<char16_t>(first | (second << 8));
        } else {
            unit = static_cast<char16_t>((first << 8) | second);
        }
        return true;
    }
    int continuations = 0;
    std::uint32_t value = 0;
    std::uint32_t smallest = 0;
    if (first < 0x80) {
        unit = static_cast<char16_t>(first);
        return true;
    } else if ((first & 0xE0) == 0xC0) {
        continuations = 1;
        value = static_cast<std::uint32_t>(first & 0x1F);
        smallest = 0x80;
    } else if ((first & 0xF0) == 0xE0) {
        continuations = 2;
        value = static_cast<std::uint32_t>(first & 0x0F);
        smallest = 0x800;
    } else {
        unit = kReplacement;  // a continuation byte, or the lead of four bytes or more
        return true;
    }
    for (int i = 0; i < continuations; ++i) {
        const int next = peekByte();
        if (next < 0 || (next & 0xC0) != 0x80) {
            // Cut short: the byte that broke the sequence starts the next character,
            // so a line break right after a damaged character still counts.
            unit = kReplacement;
            return true;
        }
        ++position_;
        value = (value << 6) | static_cast<std::uint32_t>(next & 0x3F);
    }
    // An overlong form could hide a CR or LF; the writer never makes one.
    unit = value < smallest ? kReplacement : static_cast<char16_t>(value);
    return true;
}

bool CTextFileReader::nextUnit(char16_t& unit) {
    if (peeked_) {
        unit = *peeked_;
        peeked_.reset();
        return true;
    }
    return decodeUnit(unit);
}

bool CTextFileReader::peekUnit(char16_t& unit) {
    if (!peeked_) {
        char16_t next = 0;
        if (!decodeUnit(next)) return false;
        peeked_ = next;
    }
    unit = *peeked_;
    return true;
}

bool CTextFileReader::readLine(std::u16string& line) {
    if (atEnd_) return false;
    char16_t unit = 0;
    if (!lineRead_ && !peekUnit(unit)) {
        // Nothing but (at most) the mark: what the writer makes of no lines.
        atEnd_ = true;
        file_.reset();
        return false;
    }
    lineRead_ = true;
    if (lastBreak_ == kCr && peekUnit(unit) && unit == kLf) nextUnit(unit);
    lastBreak_ = 0;

    std::u16string wide;
    std::string narrow;
    const bool utf16 = encoding_ == kEncodingUtf16LittleEndian || encoding_ == kEncodingUtf16BigEndian;
    for (;;) {
        if (utf16 && !peeked_) {
            // Whole units straight from the buffer up to a break (a card line
            // is all of them); the break itself, a unit split between two
            // chunks and the end of the file go the general way below.
            const int low = encoding_ == kEncodingUtf16LittleEndian ? 0 : 1;
            while (position_ + 1 < size_) {
                const char16_t next =
                    static_cast<char16_t>(buffer_[position_ + low] | (buffer_[position_ + 1 - low] << 8));
                if (next == kCr || next == kLf) break;
                wide.push_back(next);
                position_ += 2;
            }
        }
        if (!nextUnit(unit)) {
            atEnd_ = true;
            break;
        }
        if (unit == kCr || unit == kLf) {
            lastBreak_ = unit;
            break;
        }
        if (encoding_ == kEncodingAnsi) {
            narrow.push_back(static_cast<char>(unit));
        } else {
            wide.push_back(unit);
        }
    }
    if (encoding_ == kEncodingAnsi) wide = codePage_.toWide(narrow, CodePage::Which::System);
    line = std::move(wide);
    if (atEnd_) file_.reset();
    return true;
}

// ---- Writer ----------------------------------------------------------------

CTextFileWriter::CTextFileWriter(FileSystem& files, const CodePage& codePage) : files_(files), codePage_(codePage) {}

CTextFileWriter::~CTextFileWriter() { discard(); }

void CTextFileWriter::open(const std::u16string& path, int encoding) {
    if (encoding < kEncodingAnsi || encoding > kEncodingUtf8) {
        throw std::invalid_argument("unknown text file encoding " + std::to_string(encoding));
    }
    discard();
    std::uint32_t error = kErrorFileExists;
    for (int attempt = 0; attempt < kTemporaryNameTries && error == kErrorFileExists; ++attempt) {
        temporary_ = temporaryNameBeside(path);
        file_ = files_.createNew(temporary_, error);
    }
    if (!file_) {
        temporary_.clear();  // never ours to delete
        throw CTextFileException(error, path, "create");
    }
    target_ = path;
    encoding_ = encoding;
    size_ = 0;
    if (encoding == kEncodingUtf16BigEndian) {
        put(0xFE);
        put(0xFF);
    } else if (encoding == kEncodingUtf16LittleEndian) {
        put(0xFF);
        put(0xFE);
    } else if (encoding == kEncodingUtf8) {
        put(0xEF);
        put(0xBB);
        put(0xBF);
    }
}

void CTextFileWriter::writeText(std::u16string_view text) {
    if (!file_) throw CTextFileException(kErrorInvalidHandle, target_, "write");
    if (encoding_ == kEncodingAnsi) {
        for (const char byte : codePage_.toNarrow(text, CodePage::Which::System)) {
            put(static_cast<unsigned char>(byte));
        }
        return;
    }
    for (const char16_t unit : text) putUnit(unit);
}

void CTextFileWriter::writeLineBreak() {
    if (!file_) throw CTextFileException(kErrorInvalidHandle, target_, "write");
    putUnit(kCr);
    putUnit(kLf);
}

void CTextFileWriter::putUnit(char16_t unit) {
    switch (encoding_) {
        case kEncodingAnsi:  // only the line break comes here
            put(static_cast<unsigned char>(unit));
            break;
        case kEncodingUtf16BigEndian:
            put(static_cast<unsigned char>(unit >> 8));
            put(static_cast<unsigned char>(unit & 0xFF));
            break;
        case kEncodingUtf16LittleEndian:
            put(static_cast<unsigned char>(unit & 0xFF));
            put(static_cast<unsigned char>(unit >> 8));
            break;
        default:  // UTF-8, one unit at a time: a surrogate takes three bytes of its own
            if (unit < 0x80) {
                put(static_cast<unsigned char>(unit));
            } else if (unit < 0x800) {
                put(static_cast<unsigned char>(0xC0 | (unit >> 6)));
                put(static_cast<unsigned char>(0x80 | (unit & 0x3F)));
            } else {
                put(static_cast<unsigned char>(0xE0 | (unit >> 12)));
                put(static_cast<unsigned char>(0x80 | ((unit >> 6) & 0x3F)));
                put(static_cast<unsigned char>(0x80 | (unit & 0x3F)));
            }
            break;
    }
}

void CTextFileWriter::put(unsigned char byte) {
    if (size_ == buffer_.size()) writeBuffer();
    buffer_[size_++] = byte;
}

void CTextFileWriter::writeBuffer() {
    const std::uint32_t error = file_->write(buffer_.data(), size_);
    size_ = 0;
    if (error != kErrorSuccess) fail(error, "write");
}

void CTextFileWriter::close() {
    if (!file_) return;
    if (size_ > 0) writeBuffer();
    const std::uint32_t flushed = file_->flush();
    if (flushed != kErrorSuccess) fail(flushed, "write");
    file_.reset();  // the rename needs the file closed
    const std::uint32_t replaced = files_.replaceFile(temporary_, target_);
    if (replaced != kErrorSuccess) fail(replaced, "replace");
    temporary_.clear();
}

void CTextFileWriter::discard() noexcept {
    if (temporary_.empty()) return;
    file_.reset();
    files_.deleteFile(temporary_);  // best effort: the target is untouched either way
    temporary_.clear();
    size_ = 0;
}

void CTextFileWriter::fail(std::uint32_t error, const char* action) {
    discard();
    throw CTextFileException(error, target_, action);
}

// ---- Whole files -----------------------------------------------------------

std::vector<std::u16string> ReadTextLines(const std::u16string& path, FileSystem& files, const CodePage& codePage) {
    CTextFileReader reader(files, codePage);
    std::vector<std::u16string> lines;
    if (!reader.open(path)) return lines;
    std::u16string line;
    while (reader.readLine(line)) lines.push_back(std::move(line));
    return lines;
}

std::vector<std::u16string> ReadTextLinesToRewrite(const std::u16string& path, FileSystem& files,
                                                   const CodePage& codePage) {
    CTextFileReader reader(files, codePage);
    std::vector<std::u16string> lines;
    if (!reader.open(path)) {
        const std::uint32_t error = reader.openError();
        if (error == kErrorFileNotFound || error == kErrorPathNotFound) return lines;
        throw CTextFileException(error, path, "open");
    }
    std::u16string line;
    while (reader.readLine(line)) lines.push_back(std::move(line));
    return lines;
}

void WriteTextLines(const std::u16string& path, const std::vector<std::u16string>& lines, int encoding,
                    FileSystem& files, const CodePage& codePage) {
    CTextFileWriter writer(files, codePage);
    writer.open(path, encoding);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) writer.writeLineBreak();
        writer.writeText(lines[i]);
    }
    writer.close();
}

}  // namespace tarnwick
