// Files on Linux behind the core's Windows paths, mapped as Wine maps its Z:
// drive (Z:\tmp\lib\a.vrc is /tmp/lib/a.vrc); failures report the Windows error
// code that the same failure gives there.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tarnwick {

// The host path of a Z: path ("\" and "/" both separate); empty for any other
// drive, a UNC path or a path without a drive.
std::string WindowsPathToHost(std::u16string_view windowsPath);
// The Z: path of a host path; a relative path is taken from the current folder.
// "." and ".." parts and doubled or trailing slashes are resolved by name.
std::u16string HostPathToWindows(std::string_view hostPath);

class HostFileSystem : public FileSystem {
public:
    std::unique_ptr<OpenFile> openForReading(const std::u16string& path, std::uint32_t& error) override;
    std::unique_ptr<OpenFile> createForWriting(const std::u16string& path, std::uint32_t& error) override;
    std::unique_ptr<OpenFile> createNew(const std::u16string& path, std::uint32_t& error) override;
    std::uint32_t replaceFile(const std::u16string& source, const std::u16string& target) override;
    std::uint32_t deleteFile(const std::u16string& path) override;
    // Listed as NTFS lists them: by the upper-cased name, code unit by code unit.
    // Names holding "\\" or bytes that are no UTF-8 are left out (their Windows
    // paths would name something else), and so are symbolic links to folders,
    // which are never followed.
    std::uint32_t listFolder(const std::u16string& folder, std::vector<FolderEntry>& entries) override;
    std::uint32_t queryEntry(const std::u16string& path, FolderEntry& entry) override;
    std::uint32_t createFolder(const std::u16string& path) override;
    std::uint32_t removeFolder(const std::u16string& path) override;
    std::uint32_t moveEntry(const std::u16string& from, const std::u16string& to) override;
    std::uint32_t copyFile(const std::u16string& from, const std::u16string& to, bool failIfExists) override;
};

// The Windows error code for an errno value of a call on `hostPath` (which
// tells a missing file, 2, from a missing folder on the way to it, 3).
std::uint32_t WindowsErrorOf(int errnoValue, const std::string& hostPath);

}  // namespace tarnwick
