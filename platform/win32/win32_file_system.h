// The file-system port over CreateFileW, ReadFile, WriteFile, FlushFileBuffers,
// MoveFileExW, DeleteFileW and the folder calls (FindFirstFileW, CreateDirectoryW, ...); error codes are
// GetLastError's, passed through.
#pragma once

#include "platform/file_system.h"

namespace tarnwick {

class Win32FileSystem : public FileSystem {
public:
    std::unique_ptr<OpenFile> openForReading(const std::u16string& path, std::uint32_t& error) override;
    std::unique_ptr<OpenFile> createForWriting(const std::u16string& path, std::uint32_t& error) override;
    std::unique_ptr<OpenFile> createNew(const std::u16string& path, std::uint32_t& error) override;
    std::uint32_t replaceFile(const std::u16string& source, const std::u16string& target) override;
    std::uint32_t deleteFile(const std::u16string& path) override;
    std::uint32_t listFolder(const std::u16string& folder, std::vector<FolderEntry>& entries) override;
    bool holdsEntry(const std::u16string& folder, std::u16string_view suffix,
                    const std::function<bool(const FolderEntry&)>& wanted) override;
    std::uint32_t queryEntry(const std::u16string& path, FolderEntry& entry) override;
    std::uint32_t createFolder(const std::u16string& path) override;
    std::uint32_t removeFolder(const std::u16string& path) override;
    std::uint32_t moveEntry(const std::u16string& from, const std::u16string& to) override;
    std::uint32_t copyFile(const std::u16string& from, const std::u16string& to, bool failIfExists) override;
};

}  // namespace tarnwick
