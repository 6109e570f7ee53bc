#include "support/temp_folder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/host/host_file_system.h"
#endif

namespace tarnwick::testing {
namespace {

std::filesystem::path native(const std::u16string& path) {
#ifdef _WIN32
    return std::filesystem::path(std::wstring(path.begin(), path.end()));
#else
    return std::filesystem::path(WindowsPathToHost(path));
#endif
}

}  // namespace

TempFolder::TempFolder() {
    std::random_device random;
#ifdef _WIN32
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    std::wstring folder = std::wstring(base) + L"tarnwick-test-" + std::to_wstring(random());
    CreateDirectoryW(folder.c_str(), nullptr);
    path_.assign(folder.begin(), folder.end());
#else
    const std::string folder = "/tmp/tarnwick-test-" + std::to_string(random()) + std::to_string(random());
    std::filesystem::create_directories(folder);
    path_ = HostPathToWindows(folder);
#endif
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(native(path_), ignored);
}

std::string ReadBytes(const std::u16string& path) {
    std::ifstream in(native(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::u16string& path, const std::string& bytes) {
    std::ofstream out(native(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool FileExists(const std::u16string& path) { return std::filesystem::exists(native(path)); }

std::string ListFolder(const std::u16string& path) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(native(path))) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::string out;
    for (const std::string& name : names) out += (out.empty() ? "" : " ") + name;
    return out;
}

}  // namespace tarnwick::testing
