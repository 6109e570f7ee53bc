// A unique temporary folder for one test, removed with everything in it at the
// end; paths in the core's Windows form, and raw byte access for exact checks.
#pragma once

#include <string>

namespace tarnwick::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder as the core sees it (Z:\tmp\... on the host).
    const std::u16string& path() const { return path_; }
    std::u16string file(const std::u16string& name) const { return path_ + u"\\" + name; }

private:
    std::u16string path_;
};

// The bytes of a file given by its core path; empty when it cannot be read.
std::string ReadBytes(const std::u16string& path);
void WriteBytes(const std::u16string& path, const std::string& bytes);
bool FileExists(const std::u16string& path);
// The names in a folder (not . and ..), sorted.
std::string ListFolder(const std::u16string& path);

}  // namespace tarnwick::testing
