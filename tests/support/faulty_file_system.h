// A file system that passes calls on to a real one and fails where a test says:
// at creation, after a number of written bytes, at the flush or at the replace.
#pragma once

#include <cstdint>
#include <limits>

#include "platform/file_system.h"

namespace tarnwick::testing {

class FaultyFileSystem : public FileSystem {
public:
    explicit FaultyFileSystem(FileSystem& real) : real_(real) {}

    std::uint32_t failCreateWith = kErrorSuccess;
    // Writes fail with failWriteWith once this many bytes were written in all.
    std::size_t writeBudget = std::numeric_limits<std::size_t>::max();
    std::uint32_t failWriteWith = kErrorDiskFull;
    std::uint32_t failFlushWith = kErrorSuccess;
    std::uint32_t failReplaceWith = kErrorSuccess;
    std::size_t bytesWritten = 0;

    std::unique_ptr<OpenFile> openForReading(const std::u16string& path, std::uint32_t& error) override;
    std::unique_ptr<OpenFile> createForWriting(const std::u16string& path, std::uint32_t& error) override;
    std::uint32_t replaceFile(const std::u16string& source, const std::u16string& target) override;
    std::uint32_t deleteFile(const std::u16string& path) override;

private:
    FileSystem& real_;
};

}  // namespace tarnwick::testing
