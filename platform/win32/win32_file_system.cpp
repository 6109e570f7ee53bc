#include "platform/win32/win32_file_system.h"

#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <utility>

#include "platform/win32/wide.h"

namespace tarnwick {
namespace {

// ReadFile and WriteFile take a DWORD count.
constexpr std::size_t kMaxTransfer = 1u << 30;

using QueryDirectory = NTSTATUS(NTAPI*)(HANDLE, HANDLE, PIO_APC_ROUTINE, PVOID, PIO_STATUS_BLOCK, PVOID, ULONG,
                                        FILE_INFORMATION_CLASS, BOOLEAN, PUNICODE_STRING, BOOLEAN);

// The system's own directory query, which can hand out one entry at a time:
// FindNextFileW fetches (and so looks up) a buffer's worth of entries at once.
QueryDirectory queryDirectory() {
    static const QueryDirectory query = [] {
        const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
        return ntdll == nullptr ? nullptr
                                : reinterpret_cast<QueryDirectory>(
                                      reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryDirectoryFile")));
    }();
    return query;
}

class Win32OpenFile : public OpenFile {
public:
    explicit Win32OpenFile(HANDLE handle) : handle_(handle) {}
    ~Win32OpenFile() override { CloseHandle(handle_); }
    Win32OpenFile(const Win32OpenFile&) = delete;
    Win32OpenFile& operator=(const Win32OpenFile&) = delete;

    std::uint32_t read(void* buffer, std::size_t size, std::size_t& got) override {
        DWORD n = 0;
        got = 0;
        if (!ReadFile(handle_, buffer, static_cast<DWORD>(std::min(size, kMaxTransfer)), &n, nullptr)) {
            return GetLastError();
        }
        got = n;
        return kErrorSuccess;
    }

    std::uint32_t write(const void* data, std::size_t size) override {
        const auto* p = static_cast<const unsigned char*>(data);
        while (size > 0) {
            DWORD n = 0;
            if (!WriteFile(handle_, p, static_cast<DWORD>(std::min(size, kMaxTransfer)), &n, nullptr)) {
                return GetLastError();
            }
            if (n == 0) return kErrorWriteFault;
            p += n;
            size -= n;
        }
        return kErrorSuccess;
    }

    std::uint32_t flush() override { return FlushFileBuffers(handle_) ? kErrorSuccess : GetLastError(); }

private:
    HANDLE handle_;
};

std::unique_ptr<OpenFile> open(const std::u16string& path, DWORD access, DWORD share, DWORD disposition,
                               std::uint32_t& error) {
    HANDLE h = CreateFileW(AsWide(path), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return nullptr;
    }
    error = kErrorSuccess;
    return std::make_unique<Win32OpenFile>(h);
}

}  // namespace

std::unique_ptr<OpenFile> Win32FileSystem::openForReading(const std::u16string& path, std::uint32_t& error) {
    return open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, error);
}

std::unique_ptr<OpenFile> Win32FileSystem::createForWriting(const std::u16string& path, std::uint32_t& error) {
    return open(path, GENERIC_WRITE, 0, CREATE_ALWAYS, error);
}

std::unique_ptr<OpenFile> Win32FileSystem::createNew(const std::u16string& path, std::uint32_t& error) {
    return open(path, GENERIC_WRITE, 0, CREATE_NEW, error);
}

std::uint32_t Win32FileSystem::replaceFile(const std::u16string& source, const std::u16string& target) {
    return MoveFileExW(AsWide(source), AsWide(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? kErrorSuccess
               : GetLastError();
}

std::uint32_t Win32FileSystem::deleteFile(const std::u16string& path) {
    return DeleteFileW(AsWide(path)) ? kErrorSuccess : GetLastError();
}

namespace {

// A folder opened for the directory query, shared like a listing.
HANDLE openFolder(const std::u16string& folder) {
    return CreateFileW(AsWide(folder), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// The whole folder, 64 KB of entries at a time, straight from the system:
// under Wine the find-file functions also make up each long name's short
// name, which a folder of a large library pays for in every change notice.
// False, with nothing to say why, when the folder does not list this way.
bool listDirectly(const std::u16string& folder, std::vector<FolderEntry>& entries) {
    const QueryDirectory query = queryDirectory();
    if (query == nullptr) return false;
    HANDLE handle = openFolder(folder);
    if (handle == INVALID_HANDLE_VALUE) return false;
    constexpr NTSTATUS kNoMoreFiles = static_cast<NTSTATUS>(0x80000006L);
    constexpr NTSTATUS kNoSuchFile = static_cast<NTSTATUS>(0xC000000FL);
    std::vector<unsigned char> buffer(64 * 1024);
    bool listed = false;
    for (bool first = true;; first = false) {
        IO_STATUS_BLOCK status{};
        const NTSTATUS result =
            query(handle, nullptr, nullptr, nullptr, &status, buffer.data(), static_cast<ULONG>(buffer.size()),
                  FileDirectoryInformation, FALSE, nullptr, first);
        if (!NT_SUCCESS(result)) {
            listed = result == kNoMoreFiles || (first && result == kNoSuchFile);
            break;
        }
        for (std::size_t offset = 0;;) {
            const auto& found = *reinterpret_cast<const FILE_DIRECTORY_INFORMATION*>(buffer.data() + offset);
            std::u16string name(reinterpret_cast<const char16_t*>(found.FileName),
                                found.FileNameLength / sizeof(char16_t));
            if (name != u"." && name != u"..") {
                FolderEntry entry{std::move(name), (found.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                  (found.FileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0};
                if (!entry.isFolder) {
                    entry.size = static_cast<std::uint64_t>(found.EndOfFile.QuadPart);
                    entry.writeTime = static_cast<std::uint64_t>(found.LastWriteTime.QuadPart);
                }
                entries.push_back(std::move(entry));
            }
            if (found.NextEntryOffset == 0) break;
            offset += found.NextEntryOffset;
        }
    }
    CloseHandle(handle);
    return listed;
}

// The find-file way, which reports why a folder does not list.
std::uint32_t listByFind(const std::u16string& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    // A drive root keeps its "\"; it gets no second one.
    const std::u16string pattern = folder + (!folder.empty() && folder.back() == u'\\' ? u"*" : u"\\*");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(AsWide(pattern), &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? kErrorSuccess : error;  // an empty drive root
    }
    do {
        const std::u16string name = FromWide(found.cFileName);
        if (name == u"." || name == u"..") continue;
        FolderEntry entry{name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                          (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0};
        if (!entry.isFolder) {
            entry.size = (std::uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
            entry.writeTime =
                (std::uint64_t{found.ftLastWriteTime.dwHighDateTime} << 32) | found.ftLastWriteTime.dwLowDateTime;
        }
        entries.push_back(std::move(entry));
    } while (FindNextFileW(search, &found));
    const DWORD error = GetLastError();
    FindClose(search);
    return error == ERROR_NO_MORE_FILES ? kErrorSuccess : error;
}

}  // namespace

std::uint32_t Win32FileSystem::listFolder(const std::u16string& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    if (listDirectly(folder, entries)) return kErrorSuccess;
    return listByFind(folder, entries);  // starts again from no entries
}

bool Win32FileSystem::holdsEntry(const std::u16string& folder, std::u16string_view suffix,
                                 const std::function<bool(const FolderEntry&)>& wanted) {
    const QueryDirectory query = queryDirectory();
    if (query == nullptr) return FileSystem::holdsEntry(folder, suffix, wanted);
    HANDLE handle = openFolder(folder);
    if (handle == INVALID_HANDLE_VALUE) return false;
    // The pattern lets the system pass over other names before it looks an entry up.
    std::u16string pattern = u"*" + std::u16string(suffix);
    UNICODE_STRING mask{static_cast<USHORT>(pattern.size() * sizeof(char16_t)),
                        static_cast<USHORT>(pattern.size() * sizeof(char16_t)),
                        reinterpret_cast<PWSTR>(pattern.data())};
    alignas(8) unsigned char buffer[sizeof(FILE_DIRECTORY_INFORMATION) + MAX_PATH * sizeof(WCHAR)];
    bool held = false;
    for (bool first = true; !held; first = false) {
        IO_STATUS_BLOCK status{};
        if (!NT_SUCCESS(query(handle, nullptr, nullptr, nullptr, &status, buffer, sizeof buffer,
                              FileDirectoryInformation, TRUE, first ? &mask : nullptr, first)))
            break;  // no more entries, or none that match
        const auto& found = *reinterpret_cast<const FILE_DIRECTORY_INFORMATION*>(buffer);
        const std::u16string name(reinterpret_cast<const char16_t*>(found.FileName),
                                  found.FileNameLength / sizeof(char16_t));
        if (name == u"." || name == u"..") continue;
        held = wanted(FolderEntry{name, (found.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                  (found.FileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0});
    }
    CloseHandle(handle);
    return held;
}

std::uint32_t Win32FileSystem::queryEntry(const std::u16string& path, FolderEntry& entry) {
    const DWORD attributes = GetFileAttributesW(AsWide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES) return GetLastError();
    const std::size_t slash = path.find_last_of(u"\\/");
    entry.name = slash == std::u16string::npos ? path : path.substr(slash + 1);
    entry.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isHidden = (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    return kErrorSuccess;
}

std::uint32_t Win32FileSystem::createFolder(const std::u16string& path) {
    return CreateDirectoryW(AsWide(path), nullptr) ? kErrorSuccess : GetLastError();
}

std::uint32_t Win32FileSystem::removeFolder(const std::u16string& path) {
    return RemoveDirectoryW(AsWide(path)) ? kErrorSuccess : GetLastError();
}

std::uint32_t Win32FileSystem::moveEntry(const std::u16string& from, const std::u16string& to) {
    return MoveFileW(AsWide(from), AsWide(to)) ? kErrorSuccess : GetLastError();
}

std::uint32_t Win32FileSystem::copyFile(const std::u16string& from, const std::u16string& to, bool failIfExists) {
    return CopyFileW(AsWide(from), AsWide(to), failIfExists) ? kErrorSuccess : GetLastError();
}

}  // namespace tarnwick
