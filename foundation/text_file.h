// The one reader and the one writer of Tarnwick's line-oriented data files:
// encodings and byte-order marks, line breaks, 1,024-byte buffering, errors.
// The writer never changes the target until the new file is complete on disk.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/file_system.h"

namespace tarnwick {

// Text-file encodings: chosen when writing, detected from the mark when reading.
inline constexpr int kEncodingAnsi = 0;               // system ANSI code page, no mark
inline constexpr int kEncodingUtf16BigEndian = 1;     // FE FF
inline constexpr int kEncodingUtf16LittleEndian = 2;  // FF FE; every file the system writes
inline constexpr int kEncodingUtf8 = 3;               // EF BB BF

inline constexpr std::size_t kTextFileBufferSize = 1024;

// A failing file operation, with the platform's error code.
class CTextFileException : public std::exception {
public:
    explicit CTextFileException(std::uint32_t errorCode);
    // `action` says what failed ("read", "write", ...), `path` the file's name.
    CTextFileException(std::uint32_t errorCode, std::u16string path, const char* action);

    std::uint32_t errorCode() const noexcept { return errorCode_; }
    const std::u16string& path() const noexcept { return path_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::uint32_t errorCode_;
    std::u16string path_;
    std::string message_;
};

class CTextFileReader {
public:
    explicit CTextFileReader(FileSystem& files = NativeFileSystem(), const CodePage& codePage = NativeCodePage());

    // False, and every readLine false, if the file cannot be opened. A failing
    // read of the mark raises CTextFileException.
    bool open(const std::u16string& path);
    // The next line without its break; false, `line` untouched, once the end of
    // the file was reached by an earlier call. A final break yields a last empty
    // line; a file without any character has no line at all. Raises
    // CTextFileException when a read fails (the reader is then at its end).
    bool readLine(std::u16string& line);
    void close();

    // The encoding found at open (kEncodingAnsi when no mark).
    int encoding() const { return encoding_; }
    // Why the last open failed (kErrorSuccess after one that succeeded).
    std::uint32_t openError() const { return openError_; }

private:
    bool readMore();
    int peekByte();
    int nextByte();
    bool decodeUnit(char16_t& unit);
    bool nextUnit(char16_t& unit);
    bool peekUnit(char16_t& unit);
    [[noreturn]] void failRead(std::uint32_t error);

    FileSystem& files_;
    const CodePage& codePage_;
    std::unique_ptr<OpenFile> file_;
    std::u16string path_;
    std::array<unsigned char, kTextFileBufferSize> buffer_{};
    std::size_t position_ = 0;
    std::size_t size_ = 0;
    bool fileExhausted_ = true;
    bool atEnd_ = true;
    bool lineRead_ = false;
    int encoding_ = kEncodingAnsi;
    std::uint32_t openError_ = kErrorSuccess;
    char16_t lastBreak_ = 0;
    std::optional<char16_t> peeked_;
};

class CTextFileWriter {
public:
    explicit CTextFileWriter(FileSystem& files = NativeFileSystem(), const CodePage& codePage = NativeCodePage());
    // An unfinished file is discarded; the target is left as it was.
    ~CTextFileWriter();
    CTextFileWriter(const CTextFileWriter&) = delete;
    CTextFileWriter& operator=(const CTextFileWriter&) = delete;

    // Starts a temporary file beside `path` and writes the mark. Raises
    // CTextFileException when it cannot be created, std::invalid_argument for
    // an unknown encoding.
    void open(const std::u16string& path, int encoding = kEncodingUtf16LittleEndian);
    void writeText(std::u16string_view text);
    // CR then LF, each one character of the encoding.
    void writeLineBreak();
    // Writes what is buffered, flushes, and puts the new file in the place of
    // the target in one step. Does nothing when not open.
    void close();
    // Abandons the unfinished file without touching the target.
    void discard() noexcept;

    bool isOpen() const { return file_ != nullptr; }

private:
    void put(unsigned char byte);
    void putUnit(char16_t unit);
    void writeBuffer();
    [[noreturn]] void fail(std::uint32_t error, const char* action);

    FileSystem& files_;
    const CodePage& codePage_;
    std::unique_ptr<OpenFile> file_;
    std::u16string target_;
    std::u16string temporary_;
    int encoding_ = kEncodingUtf16LittleEndian;
    std::array<unsigned char, kTextFileBufferSize> buffer_{};
    std::size_t size_ = 0;
};

// Every line of the file; none if it cannot be opened.
std::vector<std::u16string> ReadTextLines(const std::u16string& path, FileSystem& files = NativeFileSystem(),
                                          const CodePage& codePage = NativeCodePage());
// Every line of a file about to be rewritten: none when it does not exist.
// A file that is there but cannot be opened or read raises
// CTextFileException: taking it for empty would lose its lines.
std::vector<std::u16string> ReadTextLinesToRewrite(const std::u16string& path, FileSystem& files = NativeFileSystem(),
                                                   const CodePage& codePage = NativeCodePage());
// The lines joined by line breaks, none after the last, replacing the file.
void WriteTextLines(const std::u16string& path, const std::vector<std::u16string>& lines,
                    int encoding = kEncodingUtf16LittleEndian, FileSystem& files = NativeFileSystem(),
                    const CodePage& codePage = NativeCodePage());

}  // namespace tarnwick
