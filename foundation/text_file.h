// The one reader and the one writer for every line-oriented file of the system.
// The reader detects the encoding by its byte-order mark; the writer writes a
// temporary file beside the target and puts it in the target's place only when
// everything was written, so a failed write never damages the file it replaces.
#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/file_system.h"

namespace tarnwick {

inline constexpr int kEncodingAnsi = 0;               // system ANSI code page, no mark
inline constexpr int kEncodingUtf16BigEndian = 1;     // FE FF
inline constexpr int kEncodingUtf16LittleEndian = 2;  // FF FE: what the system writes
inline constexpr int kEncodingUtf8 = 3;               // EF BB BF

inline constexpr std::size_t kTextFileBufferSize = 1024;

class CTextFileException : public std::exception {
public:
    explicit CTextFileException(std::uint32_t errorCode);
    std::uint32_t errorCode() const { return errorCode_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::uint32_t errorCode_;
    std::string message_;
};

class CTextFileReader {
public:
    explicit CTextFileReader(FileSystem& fileSystem = NativeFileSystem(),
                             const CodePage& codePage = NativeCodePage());

    // A file that cannot be opened reads as empty: false, and readLine returns false.
    bool open(const std::u16string& path);
    // The next line without its break; false (and `line` untouched) at the end.
    // CR, LF and CR LF each end a line. Throws CTextFileException when a read fails.
    bool readLine(std::u16string& line);
    void close();
    int encoding() const { return encoding_; }

private:
    bool nextByte(std::uint8_t& byte);
    void unreadByte() { --position_; }
    bool nextUnit(char16_t& unit);  // one character, or one byte in the ANSI encoding

    FileSystem& fileSystem_;
    const CodePage& codePage_;
    std::unique_ptr<OpenFile> file_;
    std::uint8_t buffer_[kTextFileBufferSize] = {};
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    int encoding_ = kEncodingAnsi;
    bool atEnd_ = true;
    bool lineRead_ = false;        // a line was returned: the file is not empty
    bool afterCarriageReturn_ = false;
    bool pendingUnit_ = false;      // a unit read past the end of the previous line
    char16_t pending_ = 0;
};

class CTextFileWriter {
public:
    explicit CTextFileWriter(FileSystem& fileSystem = NativeFileSystem(),
                             const CodePage& codePage = NativeCodePage());
    // A writer that was not closed discards what it wrote; the target is untouched.
    ~CTextFileWriter();
    CTextFileWriter(const CTextFileWriter&) = delete;
    CTextFileWriter& operator=(const CTextFileWriter&) = delete;

    // Each throws CTextFileException on failure, leaving the target as it was.
    void open(const std::u16string& path, int encoding);
    void writeText(std::u16string_view text);
    void writeLineBreak();
    // Writes out the buffer, flushes, and puts the file in the target's place.
    void close();

private:
    void put(const void* data, std::size_t size);
    void putUnit(char16_t unit);
    void flushBuffer();
    [[noreturn]] void fail(std::uint32_t error);
    void discard();

    FileSystem& fileSystem_;
    const CodePage& codePage_;
    std::unique_ptr<OpenFile> file_;
    std::u16string target_;
    std::u16string temporary_;
    int encoding_ = kEncodingUtf16LittleEndian;
    std::uint8_t buffer_[kTextFileBufferSize] = {};
    std::size_t used_ = 0;
};

// Every line the reader yields; empty for a file that cannot be opened.
std::vector<std::u16string> ReadTextLines(const std::u16string& path,
                                          FileSystem& fileSystem = NativeFileSystem(),
                                          const CodePage& codePage = NativeCodePage());
// The lines joined by line breaks, none after the last.
void WriteTextLines(const std::u16string& path, const std::vector<std::u16string>& lines,
                    int encoding = kEncodingUtf16LittleEndian,
                    FileSystem& fileSystem = NativeFileSystem(),
                    const CodePage& codePage = NativeCodePage());

}  // namespace tarnwick
