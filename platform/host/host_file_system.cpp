#include "platform/host/host_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/utf8.h"

namespace tarnwick {
namespace {

std::uint32_t errorOf(int errnoValue, const std::string& hostPath, std::uint32_t otherwise) {
    switch (errnoValue) {
        case ENOENT: {
            // Windows tells a missing file (its folder exists) from a missing folder.
            const std::size_t slash = hostPath.find_last_of('/');
            if (slash == std::string::npos || slash == 0) return kErrorFileNotFound;
            struct stat st {};
            const bool folderExists = ::stat(hostPath.substr(0, slash).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
            return folderExists ? kErrorFileNotFound : kErrorPathNotFound;
        }
        case ENOTDIR:
            return kErrorPathNotFound;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
        case ETXTBSY:
            return kErrorAccessDenied;
        case ENOSPC:
        case EDQUOT:
            return kErrorDiskFull;
        case ENAMETOOLONG:
            return kErrorFilenameExcedRange;
        case EEXIST:
            return kErrorFileExists;
        case EBUSY:
            return kErrorSharingViolation;
        case EMFILE:
        case ENFILE:
            return kErrorTooManyOpenFiles;
        case ENOMEM:
            return kErrorNotEnoughMemory;
        case EXDEV:
            return kErrorNotSameDevice;
        case EBADF:
            return kErrorInvalidHandle;
        case EINVAL:
            return kErrorInvalidParameter;
        default:
            return otherwise;
    }
}

class HostOpenFile : public OpenFile {
public:
    HostOpenFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~HostOpenFile() override { ::close(fd_); }
    HostOpenFile(const HostOpenFile&) = delete;
    HostOpenFile& operator=(const HostOpenFile&) = delete;

    std::uint32_t read(void* buffer, std::size_t size, std::size_t& got) override {
        got = 0;
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, size);
            if (n >= 0) {
                got = static_cast<std::size_t>(n);
                return kErrorSuccess;
            }
            if (errno != EINTR) return errorOf(errno, path_, kErrorReadFault);
        }
    }

    std::uint32_t write(const void* data, std::size_t size) override {
        const auto* p = static_cast<const unsigned char*>(data);
        while (size > 0) {
            const ssize_t n = ::write(fd_, p, size);
            if (n < 0) {
                if (errno == EINTR) continue;
                return errorOf(errno, path_, kErrorWriteFault);
            }
            p += n;
            size -= static_cast<std::size_t>(n);
        }
        return kErrorSuccess;
    }

    std::uint32_t flush() override {
        return ::fsync(fd_) == 0 ? kErrorSuccess : errorOf(errno, path_, kErrorWriteFault);
    }

private:
    int fd_;
    std::string path_;
};

bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

// The host has no read-only attribute; a file without any write bit is what
// Wine shows as read-only, and Windows refuses to replace or delete it.
bool isReadOnlyFile(const std::string& hostPath) {
    struct stat st {};
    return ::stat(hostPath.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool isFolder(const std::string& hostPath) {
    struct stat st {};
    return ::stat(hostPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// A name the core can act on: joined to its folder's Windows path it must map
// back to this entry. A "\\" would split it into several components (leaving
// the folder with ".."), and bytes that are no UTF-8 would map to another name.
bool listable(std::string_view name, const std::u16string& wide) {
    return name.find('\\') == std::string_view::npos && Utf16ToUtf8(wide) == name;
}

// The later of the modification and status-change times, in nanoseconds: a
// copy or an unpacked backup may carry an old modification time, but its
// status changes when it is written or renamed.
std::uint64_t changeTime(const struct stat& st) {
    const auto nanoseconds = [](const timespec& time) {
        return static_cast<std::uint64_t>(time.tv_sec) * 1'000'000'000u + static_cast<std::uint64_t>(time.tv_nsec);
    };
    return std::max(nanoseconds(st.st_mtim), nanoseconds(st.st_ctim));
}

std::unique_ptr<OpenFile> openHost(const std::u16string& path, int flags, std::uint32_t& error) {
    const std::string host = WindowsPathToHost(path);
    if (host.empty()) {
        error = kErrorPathNotFound;
        return nullptr;
    }
    const int fd = ::open(host.c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errorOf(errno, host, kErrorAccessDenied);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        // CreateFileW refuses a folder as a file.
        ::close(fd);
        error = kErrorAccessDenied;
        return nullptr;
    }
    error = kErrorSuccess;
    return std::make_unique<HostOpenFile>(fd, host);
}

}  // namespace

std::uint32_t WindowsErrorOf(int errnoValue, const std::string& hostPath) {
    return errorOf(errnoValue, hostPath, kErrorWriteFault);
}

std::string WindowsPathToHost(std::u16string_view path) {
    if (path.size() < 3 || (path[0] != u'Z' && path[0] != u'z') || path[1] != u':' || !isSeparator(path[2])) {
        return {};
    }
    std::u16string mapped(path.substr(2));
    for (char16_t& c : mapped) {
        if (c == u'\\') c = u'/';
    }
    return Utf16ToUtf8(mapped);
}

std::u16string HostPathToWindows(std::string_view hostPath) {
    std::string absolute(hostPath);
    if (absolute.empty() || absolute[0] != '/') {
        char cwd[PATH_MAX];
        const std::string base = ::getcwd(cwd, sizeof cwd) ? cwd : "/";
        absolute = base + "/" + absolute;
    }
    std::vector<std::string_view> parts;
    const std::string_view all(absolute);
    std::size_t start = 0;
    while (start <= all.size()) {
        std::size_t end = all.find('/', start);
        if (end == std::string_view::npos) end = all.size();
        const std::string_view part = all.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::u16string out = u"Z:";
    for (const std::string_view part : parts) out += u'\\' + Utf8ToUtf16(part);
    if (parts.empty()) out += u'\\';
    return out;
}

std::unique_ptr<OpenFile> HostFileSystem::openForReading(const std::u16string& path, std::uint32_t& error) {
    return openHost(path, O_RDONLY, error);
}

std::unique_ptr<OpenFile> HostFileSystem::createForWriting(const std::u16string& path, std::uint32_t& error) {
    const std::string host = WindowsPathToHost(path);
    if (!host.empty() && isReadOnlyFile(host)) {
        error = kErrorAccessDenied;
        return nullptr;
    }
    return openHost(path, O_WRONLY | O_CREAT | O_TRUNC, error);
}

std::unique_ptr<OpenFile> HostFileSystem::createNew(const std::u16string& path, std::uint32_t& error) {
    return openHost(path, O_WRONLY | O_CREAT | O_EXCL, error);
}

std::uint32_t HostFileSystem::replaceFile(const std::u16string& source, const std::u16string& target) {
    const std::string from = WindowsPathToHost(source);
    const std::string to = WindowsPathToHost(target);
    if (from.empty() || to.empty()) return kErrorPathNotFound;
    if (isFolder(to) || isReadOnlyFile(to)) return kErrorAccessDenied;
    if (::rename(from.c_str(), to.c_str()) == 0) return kErrorSuccess;
    const int failure = errno;
    struct stat st {};
    const bool sourceMissing = failure == ENOENT && ::lstat(from.c_str(), &st) != 0;
    return errorOf(failure, sourceMissing ? from : to, kErrorAccessDenied);
}

std::uint32_t HostFileSystem::deleteFile(const std::u16string& path) {
    const std::string host = WindowsPathToHost(path);
    if (host.empty()) return kErrorPathNotFound;
    if (isReadOnlyFile(host)) return kErrorAccessDenied;
    return ::unlink(host.c_str()) == 0 ? kErrorSuccess : errorOf(errno, host, kErrorAccessDenied);
}

namespace {

std::u16string upperCased(std::u16string_view name) {
    std::u16string upper(name);
    for (char16_t& c : upper) {
        if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    }
    return upper;
}

std::u16string lastComponent(std::u16string_view path) {
    const std::size_t slash = path.find_last_of(u"\\/");
    return std::u16string(slash == std::u16string_view::npos ? path : path.substr(slash + 1));
}

// Removes what a failed copy left behind.
std::uint32_t failCopy(int in, int out, const std::string& target, std::uint32_t error) {
    ::close(in);
    if (out >= 0) {
        ::close(out);
        ::unlink(target.c_str());
    }
    return error;
}

}  // namespace

std::uint32_t HostFileSystem::listFolder(const std::u16string& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    const std::string host = WindowsPathToHost(folder);
    if (host.empty()) return kErrorPathNotFound;
    DIR* dir = ::opendir(host.c_str());
    if (!dir) {
        // FindFirstFileW("{folder}\*") misses a folder as a path, never as a file,
        // and takes a file's name followed by "\*" for an invalid name.
        if (errno == ENOENT) return kErrorPathNotFound;
        return errno == ENOTDIR ? kErrorInvalidName : errorOf(errno, host, kErrorAccessDenied);
    }
    // Each entry with its sort key: the name upper-cased once, not per comparison.
    std::vector<std::pair<std::u16string, FolderEntry>> found;
    while (const dirent* item = ::readdir(dir)) {
        if (std::strcmp(item->d_name, ".") == 0 || std::strcmp(item->d_name, "..") == 0) continue;
        FolderEntry entry;
        entry.name = Utf8ToUtf16(item->d_name);
        if (!listable(item->d_name, entry.name)) continue;
        // Relative to the open folder: no walk of the whole path per entry.
        struct stat st {};
        bool known = ::fstatat(::dirfd(dir), item->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0;
        if (known && S_ISLNK(st.st_mode)) {
            // Links to files are followed, linked folders are not: a link to a
            // folder above would make every walk of the library endless, and
            // one to a folder elsewhere would take deletes and card lists out of it.
            known = ::fstatat(::dirfd(dir), item->d_name, &st, 0) == 0;
            if (known && S_ISDIR(st.st_mode)) continue;
        }
        entry.isFolder = known && S_ISDIR(st.st_mode);
        entry.isHidden = item->d_name[0] == '.';
        if (known && !entry.isFolder) {
            entry.size = static_cast<std::uint64_t>(st.st_size);
            entry.writeTime = changeTime(st);
        }
        std::u16string key = upperCased(entry.name);
        found.emplace_back(std::move(key), std::move(entry));
    }
    ::closedir(dir);
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    entries.reserve(found.size());
    for (auto& item : found) entries.push_back(std::move(item.second));
    return kErrorSuccess;
}

std::uint32_t HostFileSystem::queryEntry(const std::u16string& path, FolderEntry& entry) {
    const std::string host = WindowsPathToHost(path);
    if (host.empty()) return kErrorPathNotFound;
    struct stat st {};
    if (::stat(host.c_str(), &st) != 0) return errorOf(errno, host, kErrorFileNotFound);
    entry.name = lastComponent(path);
    entry.isFolder = S_ISDIR(st.st_mode);
    entry.isHidden = !entry.name.empty() && entry.name[0] == u'.';
    return kErrorSuccess;
}

std::uint32_t HostFileSystem::createFolder(const std::u16string& path) {
    const std::string host = WindowsPathToHost(path);
    if (host.empty()) return kErrorPathNotFound;
    if (::mkdir(host.c_str(), 0777) == 0) return kErrorSuccess;
    return errno == EEXIST ? kErrorAlreadyExists : errorOf(errno, host, kErrorAccessDenied);
}

std::uint32_t HostFileSystem::removeFolder(const std::u16string& path) {
    const std::string host = WindowsPathToHost(path);
    if (host.empty()) return kErrorPathNotFound;
    if (::rmdir(host.c_str()) == 0) return kErrorSuccess;
    switch (errno) {
        case ENOTEMPTY:
        case EEXIST:
            return kErrorDirNotEmpty;
        case ENOTDIR:
            return kErrorDirectory;
        default:
            return errorOf(errno, host, kErrorAccessDenied);
    }
}

std::uint32_t HostFileSystem::moveEntry(const std::u16string& from, const std::u16string& to) {
    const std::string source = WindowsPathToHost(from);
    const std::string target = WindowsPathToHost(to);
    if (source.empty() || target.empty()) return kErrorPathNotFound;
    struct stat st {};
    if (::lstat(source.c_str(), &st) != 0) return errorOf(errno, source, kErrorFileNotFound);
    // MoveFileW never replaces; a folder cannot move below itself.
    if (::lstat(target.c_str(), &st) == 0) return kErrorAlreadyExists;
    if (target.size() > source.size() && target.compare(0, source.size(), source) == 0 &&
        target[source.size()] == '/') {
        return kErrorSharingViolation;
    }
    return ::rename(source.c_str(), target.c_str()) == 0 ? kErrorSuccess : errorOf(errno, target, kErrorAccessDenied);
}

std::uint32_t HostFileSystem::copyFile(const std::u16string& from, const std::u16string& to, bool failIfExists) {
    const std::string source = WindowsPathToHost(from);
    const std::string target = WindowsPathToHost(to);
    if (source.empty() || target.empty()) return kErrorPathNotFound;
    if (isFolder(source)) return kErrorAccessDenied;
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return errorOf(errno, source, kErrorFileNotFound);
    // A file copied onto itself would be truncated before it is read; CopyFileW
    // cannot open the target while the source is open.
    struct stat sourceStat {};
    struct stat targetStat {};
    if (::fstat(in, &sourceStat) == 0 && ::stat(target.c_str(), &targetStat) == 0 &&
        sourceStat.st_dev == targetStat.st_dev && sourceStat.st_ino == targetStat.st_ino) {
        return failCopy(in, -1, target, failIfExists ? kErrorFileExists : kErrorSharingViolation);
    }
    if (isFolder(target) || (!failIfExists && isReadOnlyFile(target))) {
        return failCopy(in, -1, target, kErrorAccessDenied);
    }
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (failIfExists ? O_EXCL : O_TRUNC);
    const int out = ::open(target.c_str(), flags, 0666);
    if (out < 0) return failCopy(in, -1, target, errorOf(errno, target, kErrorAccessDenied));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            return failCopy(in, out, target, errorOf(errno, source, kErrorReadFault));
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buffer + done, static_cast<std::size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR) continue;
                return failCopy(in, out, target, errorOf(errno, target, kErrorWriteFault));
            }
            done += w;
        }
    }
    ::close(in);
    return ::close(out) == 0 ? kErrorSuccess : errorOf(errno, target, kErrorWriteFault);
}

}  // namespace tarnwick
