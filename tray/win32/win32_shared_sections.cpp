#include "tray/win32/win32_shared_sections.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/wide.h"

namespace tarnwick {
namespace {

class Win32Section : public SharedSection {
public:
    Win32Section(HANDLE handle, std::size_t size) : handle_(handle), size_(size) {}
    ~Win32Section() override { CloseHandle(handle_); }

    bool write(const void* data, std::size_t size) override {
        if (size > size_) return false;
        void* view = MapViewOfFile(handle_, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0);
        if (view == nullptr) return false;
        std::memcpy(view, data, size);
        UnmapViewOfFile(view);
        return true;
    }

private:
    HANDLE handle_;
    std::size_t size_;
};

}  // namespace

std::unique_ptr<SharedSection> Win32SharedSections::create(std::u16string_view name, std::size_t size,
                                                           Outcome& outcome) {
    const std::u16string sectionName(name);
    HANDLE handle = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                       static_cast<DWORD>(static_cast<std::uint64_t>(size) >> 32),
                                       static_cast<DWORD>(size), AsWide(sectionName));
    if (handle == nullptr) {
        outcome = Outcome::Failed;
        return nullptr;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // Another process made it first: its section is not ours to write.
        CloseHandle(handle);
        outcome = Outcome::AlreadyExists;
        return nullptr;
    }
    outcome = Outcome::Created;
    return std::make_unique<Win32Section>(handle, size);
}

}  // namespace tarnwick
