#include "support/temp_folder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include "platform/host/host_file_system.h"
#endif
#include "platform/utf8.h"

namespace tarnwick::testing {
namespace {

namespace fs = std::filesystem;

fs::path native(const std::u16string& path) {
#ifdef _WIN32
    return fs::path(std::wstring(path.begin(), path.end()));
#else
    return fs::path(WindowsPathToHost(path));
#endif
}

std::u16string corePath(const fs::path& path) {
#ifdef _WIN32
    const std::wstring wide = path.wstring();  // GetTempPathW's folder
    return std::u16string(wide.begin(), wide.end());
#else
    return HostPathToWindows(path.string());
#endif
}

std::string hexWord(std::random_device& random) {
    const std::uint32_t word = random();
    std::string hex;
    for (int shift = 28; shift >= 0; shift -= 4) hex += "0123456789abcdef"[(word >> shift) & 0xF];
    return hex;
}

}  // namespace

TempFolder::TempFolder() {
    std::random_device random;
    const fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate = base / ("tarnwick-test-" + hexWord(random) + hexWord(random));
        if (fs::create_directory(candidate)) {
            path_ = corePath(candidate);
            return;
        }
    }
    throw std::runtime_error("no temporary folder could be made in " + base.string());
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    const fs::path root = native(path_);
    // A read-only file would stop the removal on Windows.
    for (auto it = fs::recursive_directory_iterator(root, ignored); it != fs::recursive_directory_iterator();
         it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    fs::remove_all(root, ignored);
}

std::string ReadBytes(const std::u16string& path) {
    std::ifstream in(native(path), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + Utf16ToUtf8(path));
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::u16string& path, std::string_view bytes) {
    std::ofstream out(native(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + Utf16ToUtf8(path));
}

bool FileExists(const std::u16string& path) {
    std::error_code ignored;
    return fs::exists(native(path), ignored);
}

std::string ListFolder(const std::u16string& path) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(native(path))) {
        names.push_back(Utf16ToUtf8(entry.path().filename().u16string()));
    }
    std::sort(names.begin(), names.end());
    std::string out;
    for (const std::string& name : names) out += (out.empty() ? "" : " ") + name;
    return out;
}

void CreateFolder(const std::u16string& path) { fs::create_directories(native(path)); }

void MakeReadOnly(const std::u16string& path) {
    fs::permissions(native(path), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

}  // namespace tarnwick::testing
