#include "transfer/file_bytes.h"

#include <memory>
#include <random>
#include <stdexcept>

#include "foundation/text_file.h"

namespace tarnwick::transfer {
namespace {

constexpr int kTemporaryNameTries = 32;

std::u16string temporaryBeside(const std::u16string& target) {
    static std::mt19937 generator{std::random_device{}()};
    const std::size_t slash = target.find_last_of(u"\\/");
    std::u16string name = slash == std::u16string::npos ? std::u16string() : target.substr(0, slash + 1);
    name += u"~tx";
    const std::uint32_t word = static_cast<std::uint32_t>(generator());
    for (int shift = 28; shift >= 0; shift -= 4) name += u"0123456789abcdef"[(word >> shift) & 0xF];
    return name + u".tmp";
}

}  // namespace

std::string ReadFileBytes(const std::u16string& path, std::size_t limit, FileSystem& files) {
    std::uint32_t error = kErrorSuccess;
    const std::unique_ptr<OpenFile> file = files.openForReading(path, error);
    if (!file) throw CTextFileException(error, path, "open");
    std::string bytes;
    char buffer[65536];
    for (;;) {
        std::size_t got = 0;
        if (const std::uint32_t failed = file->read(buffer, sizeof buffer, got); failed != kErrorSuccess) {
            throw CTextFileException(failed, path, "read");
        }
        if (got == 0) return bytes;
        if (bytes.size() + got > limit) throw std::runtime_error("the file is too large");
        bytes.append(buffer, got);
    }
}

void WriteFileBytes(const std::u16string& path, std::string_view bytes, FileSystem& files) {
    std::uint32_t error = kErrorFileExists;
    std::unique_ptr<OpenFile> file;
    std::u16string temporary;
    for (int attempt = 0; attempt < kTemporaryNameTries && error == kErrorFileExists; ++attempt) {
        temporary = temporaryBeside(path);
        file = files.createNew(temporary, error);
    }
    if (!file) throw CTextFileException(error, path, "create");
    error = file->write(bytes.data(), bytes.size());
    if (error == kErrorSuccess) error = file->flush();
    file.reset();  // the rename needs the file closed
    if (error == kErrorSuccess) error = files.replaceFile(temporary, path);
    if (error != kErrorSuccess) {
        files.deleteFile(temporary);
        throw CTextFileException(error, path, "write");
    }
}

}  // namespace tarnwick::transfer
