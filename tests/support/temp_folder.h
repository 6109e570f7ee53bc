// A unique temporary folder for one test, removed with everything in it at the
// end; paths in the core's Windows form, and raw byte access for exact checks
// that goes straight to the disk, not through the port under test.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder as the core sees it (Z:\tmp\... on the host, the real temporary
    // folder on Windows).
    const std::u16string& path() const { return path_; }
    // `name` inside the folder, joined with "\".
    std::u16string file(std::u16string_view name) const { return path_ + u"\\" + std::u16string(name); }

private:
    std::u16string path_;
};

// The bytes of a file given by its core path; throws std::runtime_error when it
// cannot be read, so that a missing file never passes for an empty one.
std::string ReadBytes(const std::u16string& path);
void WriteBytes(const std::u16string& path, std::string_view bytes);
bool FileExists(const std::u16string& path);
// The names in a folder (not . and ..), sorted, separated by single spaces.
std::string ListFolder(const std::u16string& path);
void CreateFolder(const std::u16string& path);
// Clears the write permission: the read-only attribute on Windows.
void MakeReadOnly(const std::u16string& path);

}  // namespace tarnwick::testing
