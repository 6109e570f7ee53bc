// A file system held in memory, with Windows paths compared exactly: files as
// bytes with a write time (a counter that every write advances), folders as a set. It records every call that changes
// something, so a test or a fuzz target can see what was asked of it without touching a disk.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tarnwick::testing {

class MemoryFileSystem : public FileSystem {
public:
    // A folder and the folders above it, up to the first component.
    void addFolder(const std::u16string& path);
    // A file with these bytes; its folders are added too.
    void addFile(const std::u16string& path, std::string bytes);
    bool hasFile(const std::u16string& path) const { return files_.count(path) != 0; }
    bool hasFolder(const std::u16string& path) const { return folders_.count(path) != 0; }
    const std::string& bytesOf(const std::u16string& path) const { return files_.at(path).bytes; }

    // "delete <path>", "move <from> <to>", ... in order.
    std::vector<std::u16string> changes;

    std::unique_ptr<OpenFile> openForReading(const std::u16string& path, std::uint32_t& error) override;
    std::unique_ptr<OpenFile> createForWriting(const std::u16string& path, std::uint32_t& error) override;
    std::unique_ptr<OpenFile> createNew(const std::u16string& path, std::uint32_t& error) override;
    std::uint32_t replaceFile(const std::u16string& source, const std::u16string& target) override;
    std::uint32_t deleteFile(const std::u16string& path) override;
    std::uint32_t listFolder(const std::u16string& folder, std::vector<FolderEntry>& entries) override;
    std::uint32_t queryEntry(const std::u16string& path, FolderEntry& entry) override;
    std::uint32_t createFolder(const std::u16string& path) override;
    std::uint32_t removeFolder(const std::u16string& path) override;
    std::uint32_t moveEntry(const std::u16string& from, const std::u16string& to) override;
    std::uint32_t copyFile(const std::u16string& from, const std::u16string& to, bool failIfExists) override;

private:
    bool parentExists(const std::u16string& path) const;
    bool exists(const std::u16string& path) const { return hasFile(path) || hasFolder(path); }
    std::unique_ptr<OpenFile> create(const std::u16string& path, std::uint32_t& error);

    struct Stored {
        std::string bytes;
        std::uint64_t writeTime = 0;
    };

    std::map<std::u16string, Stored> files_;
    std::uint64_t clock_ = 0;
    std::set<std::u16string> folders_;
};

}  // namespace tarnwick::testing
