// A file system that passes calls on to a real one and fails where a test says:
// at creation, after a number of bytes written or read, at the flush, the
// replace or the delete, or at the Nth call of any kind. It also records what
// was asked of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tarnwick::testing {

class FaultyFileSystem : public FileSystem {
public:
    static constexpr std::size_t kUnlimited = std::numeric_limits<std::size_t>::max();

    explicit FaultyFileSystem(FileSystem& real) : real_(real) {}

    // createForWriting and createNew fail with this code, `failCreateTimes`
    // times (-1: every time).
    std::uint32_t failCreateWith = kErrorSuccess;
    int failCreateTimes = -1;
    // Writes fail with failWriteWith once this many bytes were written in all;
    // the bytes that still fit reach the disk, as when it fills up.
    std::size_t writeBudget = kUnlimited;
    std::uint32_t failWriteWith = kErrorDiskFull;
    // Reads fail with failReadWith once this many bytes were read in all.
    std::size_t readBudget = kUnlimited;
    std::uint32_t failReadWith = kErrorReadFault;
    // openForReading fails with this code when it is set (a file another
    // program holds, or one the user may not read).
    std::uint32_t failOpenForReadingWith = kErrorSuccess;
    // Each read gives at most this many bytes, as ReadFile may.
    std::size_t maxReadSize = kUnlimited;
    std::uint32_t failFlushWith = kErrorSuccess;
    std::uint32_t failReplaceWith = kErrorSuccess;
    std::uint32_t failDeleteWith = kErrorSuccess;

    // Every call, of the file system and of the files it opened, counts; the
    // call numbered failCallNumber (from 1; 0: none) fails with failCallWith,
    // doing nothing.
    int failCallNumber = 0;
    std::uint32_t failCallWith = kErrorAccessDenied;

    // What happened.
    int calls = 0;
    std::vector<std::u16string> replacedTargets;  // by replaceFile calls that succeeded
    std::size_t bytesWritten = 0;
    std::size_t bytesRead = 0;
    std::vector<std::u16string> created;  // files created, in order
    std::vector<std::size_t> readSizes;   // sizes asked of read
    std::vector<std::size_t> writeSizes;  // sizes given to write
    int replaceCalls = 0;

    std::unique_ptr<OpenFile> openForReading(const std::u16string& path, std::uint32_t& error) override;
    std::unique_ptr<OpenFile> createForWriting(const std::u16string& path, std::uint32_t& error) override;
    std::unique_ptr<OpenFile> createNew(const std::u16string& path, std::uint32_t& error) override;
    std::uint32_t replaceFile(const std::u16string& source, const std::u16string& target) override;
    std::uint32_t deleteFile(const std::u16string& path) override;

    // Folder operations fail with this code when it is set; otherwise they pass through.
    std::uint32_t failFolderOperationsWith = kErrorSuccess;
    std::uint32_t listFolder(const std::u16string& folder, std::vector<FolderEntry>& entries) override;
    std::uint32_t queryEntry(const std::u16string& path, FolderEntry& entry) override;
    std::uint32_t createFolder(const std::u16string& path) override;
    std::uint32_t removeFolder(const std::u16string& path) override;
    std::uint32_t moveEntry(const std::u16string& from, const std::u16string& to) override;
    std::uint32_t copyFile(const std::u16string& from, const std::u16string& to, bool failIfExists) override;

    // Counts one call; true (with `error` set) when it is the one to fail.
    bool callFails(std::uint32_t& error);

private:
    bool createFails(std::uint32_t& error);
    std::unique_ptr<OpenFile> wrapCreated(const std::u16string& path, std::unique_ptr<OpenFile> file);

    FileSystem& real_;
};

}  // namespace tarnwick::testing
