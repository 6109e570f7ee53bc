#include "platform/host/host_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include "platform/utf8.h"

namespace tarnwick {
namespace {

class HostOpenFile : public OpenFile {
public:
    HostOpenFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~HostOpenFile() override { ::close(fd_); }

    std::uint32_t read(void* buffer, std::size_t size, std::size_t& got) override {
        got = 0;
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, size);
            if (n >= 0) {
                got = static_cast<std::size_t>(n);
                return kErrorSuccess;
            }
            if (errno != EINTR) return errno == EISDIR ? kErrorAccessDenied : kErrorReadFault;
        }
    }

    std::uint32_t write(const void* data, std::size_t size) override {
        const auto* p = static_cast<const unsigned char*>(data);
        while (size > 0) {
            const ssize_t n = ::write(fd_, p, size);
            if (n < 0) {
                if (errno == EINTR) continue;
                return WindowsErrorOf(errno, path_);
            }
            p += n;
            size -= static_cast<std::size_t>(n);
        }
        return kErrorSuccess;
    }

    std::uint32_t flush() override {
        return ::fsync(fd_) == 0 ? kErrorSuccess : WindowsErrorOf(errno, path_);
    }

private:
    int fd_;
    std::string path_;
};

bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool parentIsFolder(const std::string& hostPath) {
    const std::size_t slash = hostPath.find_last_of('/');
    if (slash == std::string::npos || slash == 0) return true;
    struct stat st {};
    return ::stat(hostPath.substr(0, slash).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

std::uint32_t WindowsErrorOf(int errnoValue, const std::string& hostPath) {
    switch (errnoValue) {
        case ENOENT: return parentIsFolder(hostPath) ? kErrorFileNotFound : kErrorPathNotFound;
        case ENOTDIR: return kErrorPathNotFound;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS: return kErrorAccessDenied;
        case ENOSPC:
        case EDQUOT: return kErrorDiskFull;
        case ENAMETOOLONG: return kErrorFilenameExcedRange;
        case EEXIST: return kErrorAlreadyExists;
        case EBUSY: return kErrorSharingViolation;
        default: return kErrorWriteFault;
    }
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
        absolute = absolute.empty() ? base : base + "/" + absolute;
    }
    std::u16string out = u"Z:";
    for (char16_t c : Utf8ToUtf16(absolute)) out.push_back(c == u'/' ? u'\\' : c);
    // "Z:\tmp\" and "Z:\tmp" name the same folder; keep the form without the slash.
    while (out.size() > 3 && out.back() == u'\\') out.pop_back();
    return out;
}

std::unique_ptr<OpenFile> HostFileSystem::openForReading(const std::u16string& path, std::uint32_t& error) {
    const std::string host = WindowsPathToHost(path);
    if (host.empty()) {
        error = kErrorPathNotFound;
        return nullptr;
    }
    const int fd = ::open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = WindowsErrorOf(errno, host);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        error = kErrorAccessDenied;
        return nullptr;
    }
    error = kErrorSuccess;
    return std::make_unique<HostOpenFile>(fd, host);
}

std::unique_ptr<OpenFile> HostFileSystem::createForWriting(const std::u16string& path, std::uint32_t& error) {
    const std::string host = WindowsPathToHost(path);
    if (host.empty()) {
        error = kErrorPathNotFound;
        return nullptr;
    }
    const int fd = ::open(host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = WindowsErrorOf(errno, host);
        return nullptr;
    }
    error = kErrorSuccess;
    return std::make_unique<HostOpenFile>(fd, host);
}

std::uint32_t HostFileSystem::replaceFile(const std::u16string& source, const std::u16string& target) {
    const std::string from = WindowsPathToHost(source);
    const std::string to = WindowsPathToHost(target);
    if (from.empty() || to.empty()) return kErrorPathNotFound;
    struct stat st {};
    if (::stat(to.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return kErrorAccessDenied;
    return ::rename(from.c_str(), to.c_str()) == 0 ? kErrorSuccess : WindowsErrorOf(errno, to);
}

std::uint32_t HostFileSystem::deleteFile(const std::u16string& path) {
    const std::string host = WindowsPathToHost(path);
    if (host.empty()) return kErrorPathNotFound;
    return ::unlink(host.c_str()) == 0 ? kErrorSuccess : WindowsErrorOf(errno, host);
}

}  // namespace tarnwick
