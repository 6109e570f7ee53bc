// The file-system port over CreateFileW, ReadFile, WriteFile, FlushFileBuffers,
// MoveFileExW and DeleteFileW; error codes are GetLastError's, passed through.
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
};

}  // namespace tarnwick
