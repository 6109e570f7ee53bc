// Files as the core sees them: Windows paths, Windows error codes.
// Only what the text reader and writer need for now; later modules extend it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// Windows error codes (GetLastError values) that the core names.
inline constexpr std::uint32_t kErrorSuccess = 0;
inline constexpr std::uint32_t kErrorFileNotFound = 2;
inline constexpr std::uint32_t kErrorPathNotFound = 3;
inline constexpr std::uint32_t kErrorTooManyOpenFiles = 4;
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorInvalidHandle = 6;
inline constexpr std::uint32_t kErrorNotEnoughMemory = 8;
inline constexpr std::uint32_t kErrorNotSameDevice = 17;
inline constexpr std::uint32_t kErrorWriteFault = 29;
inline constexpr std::uint32_t kErrorReadFault = 30;
inline constexpr std::uint32_t kErrorSharingViolation = 32;
inline constexpr std::uint32_t kErrorHandleDiskFull = 39;
inline constexpr std::uint32_t kErrorFileExists = 80;
inline constexpr std::uint32_t kErrorInvalidParameter = 87;
inline constexpr std::uint32_t kErrorDiskFull = 112;
inline constexpr std::uint32_t kErrorInvalidName = 123;
inline constexpr std::uint32_t kErrorDirNotEmpty = 145;
inline constexpr std::uint32_t kErrorAlreadyExists = 183;
inline constexpr std::uint32_t kErrorFilenameExcedRange = 206;
inline constexpr std::uint32_t kErrorDirectory = 267;

// One entry of a folder listing.
struct FolderEntry {
    std::u16string name;  // the last component only
    bool isFolder = false;
    bool isHidden = false;  // the hidden attribute (a name starting with "." on the host)
    // A file's size in bytes and its last write time (FILETIME ticks on
    // Windows, nanoseconds on the host); 0 for folders and from queryEntry.
    // Only compared for equality: a file whose two values are unchanged is
    // taken as unchanged.
    std::uint64_t size = 0;
    std::uint64_t writeTime = 0;
};

// An open file; closed when destroyed. Every call returns kErrorSuccess or the
// Windows error code.
class OpenFile {
public:
    virtual ~OpenFile() = default;
    // Reads up to `size` bytes; `got` is 0 at the end of the file.
    virtual std::uint32_t read(void* buffer, std::size_t size, std::size_t& got) = 0;
    // Writes all `size` bytes or fails.
    virtual std::uint32_t write(const void* data, std::size_t size) = 0;
    // Pushes written data to the disk (FlushFileBuffers).
    virtual std::uint32_t flush() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Existing file only, sharing reading. Null with `error` set on failure.
    virtual std::unique_ptr<OpenFile> openForReading(const std::u16string& path, std::uint32_t& error) = 0;
    // Creates the file or truncates an existing one, no sharing.
    virtual std::unique_ptr<OpenFile> createForWriting(const std::u16string& path, std::uint32_t& error) = 0;
    // Creates a file that must not exist yet (kErrorFileExists if it does), no
    // sharing: for temporary files, so that two writers never share one.
    virtual std::unique_ptr<OpenFile> createNew(const std::u16string& path, std::uint32_t& error) = 0;
    // Puts the closed file `source` in the place of `target` in one step,
    // replacing it if it exists; `source` must be on the same volume.
    virtual std::uint32_t replaceFile(const std::u16string& source, const std::u16string& target) = 0;
    virtual std::uint32_t deleteFile(const std::u16string& path) = 0;

    // Folders and entries. Paths have no trailing backslash.
    // The entries of `folder` without "." and "..", in the order the system
    // lists them (FindFirstFileW/FindNextFileW).
    virtual std::uint32_t listFolder(const std::u16string& folder, std::vector<FolderEntry>& entries) = 0;
    // Hands `wanted` the entries of `folder` in the order listFolder gives
    // them, until it returns true (then true; false at the end, or when the
    // folder cannot be listed). `suffix` is a hint: an entry whose name does
    // not end in it, in any case, may be passed over. The system is asked for
    // one entry at a time, so a large folder is not read whole for its first
    // few entries.
    virtual bool holdsEntry(const std::u16string& folder, std::u16string_view suffix,
                            const std::function<bool(const FolderEntry&)>& wanted) {
        (void)suffix;
        std::vector<FolderEntry> entries;
        if (listFolder(folder, entries) != kErrorSuccess) return false;
        for (const FolderEntry& entry : entries) {
            if (wanted(entry)) return true;
        }
        return false;
    }
    // The kind of an existing file or folder (its name is the last component);
    // kErrorFileNotFound or kErrorPathNotFound when there is none.
    virtual std::uint32_t queryEntry(const std::u16string& path, FolderEntry& entry) = 0;
    // CreateDirectoryW: kErrorAlreadyExists when anything has that name.
    virtual std::uint32_t createFolder(const std::u16string& path) = 0;
    // RemoveDirectoryW: an empty folder only (kErrorDirNotEmpty otherwise).
    virtual std::uint32_t removeFolder(const std::u16string& path) = 0;
    // MoveFileW: a file or a folder to a new name; fails when `to` exists.
    virtual std::uint32_t moveEntry(const std::u16string& from, const std::u16string& to) = 0;
    // CopyFileW: a file, its bytes; with failIfExists an existing `to` is kErrorFileExists.
    virtual std::uint32_t copyFile(const std::u16string& from, const std::u16string& to, bool failIfExists) = 0;
};

// The adapter of the platform the program was built for.
FileSystem& NativeFileSystem();

}  // namespace tarnwick
