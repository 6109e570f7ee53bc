#include "platform/host/host_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
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
        case ENOTDIR: return kErrorPathNotFound;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
        case ETXTBSY: return kErrorAccessDenied;
        case ENOSPC:
        case EDQUOT: return kErrorDiskFull;
        case ENAMETOOLONG: return kErrorFilenameExcedRange;
        case EEXIST: return kErrorFileExists;
        case EBUSY: return kErrorSharingViolation;
        case EMFILE:
        case ENFILE: return kErrorTooManyOpenFiles;
        case ENOMEM: return kErrorNotEnoughMemory;
        case EXDEV: return kErrorNotSameDevice;
        case EBADF: return kErrorInvalidHandle;
        case EINVAL: return kErrorInvalidParameter;
        default: return otherwise;
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

}  // namespace tarnwick
