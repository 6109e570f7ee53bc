#include "support/memory_file_system.h"

#include <algorithm>
#include <cstring>

namespace tarnwick::testing {
namespace {

std::u16string parentOf(const std::u16string& path) {
    const std::size_t slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

// Reads a copy taken at open; writes go to the file's bytes at once and
// advance its write time.
class MemoryFile : public OpenFile {
public:
    MemoryFile(std::string* target, std::uint64_t* writeTime, std::uint64_t* clock, std::string contents)
        : target_(target),
          writeTime_(writeTime),
          clock_(clock),
          contents_(std::move(contents)) {}

    std::uint32_t read(void* buffer, std::size_t size, std::size_t& got) override {
        got = std::min(size, contents_.size() - position_);
        if (got) std::memcpy(buffer, contents_.data() + position_, got);
        position_ += got;
        return kErrorSuccess;
    }
    std::uint32_t write(const void* data, std::size_t size) override {
        if (!target_) return kErrorAccessDenied;
        target_->append(static_cast<const char*>(data), size);
        *writeTime_ = ++*clock_;
        return kErrorSuccess;
    }
    std::uint32_t flush() override { return kErrorSuccess; }

private:
    std::string* target_;
    std::uint64_t* writeTime_;
    std::uint64_t* clock_;
    std::string contents_;
    std::size_t position_ = 0;
};

}  // namespace

void MemoryFileSystem::addFolder(const std::u16string& path) {
    for (std::u16string folder = path; !folder.empty(); folder = parentOf(folder)) folders_.insert(folder);
}

void MemoryFileSystem::addFile(const std::u16string& path, std::string bytes) {
    addFolder(parentOf(path));
    files_[path] = {std::move(bytes), ++clock_};
}

bool MemoryFileSystem::parentExists(const std::u16string& path) const {
    const std::u16string parent = parentOf(path);
    return parent.empty() || hasFolder(parent);
}

std::unique_ptr<OpenFile> MemoryFileSystem::openForReading(const std::u16string& path, std::uint32_t& error) {
    const auto file = files_.find(path);
    if (file == files_.end()) {
        error = hasFolder(path) ? kErrorAccessDenied : parentExists(path) ? kErrorFileNotFound : kErrorPathNotFound;
        return nullptr;
    }
    error = kErrorSuccess;
    return std::make_unique<MemoryFile>(nullptr, nullptr, nullptr, file->second.bytes);
}

std::unique_ptr<OpenFile> MemoryFileSystem::create(const std::u16string& path, std::uint32_t& error) {
    if (!parentExists(path)) {
        error = kErrorPathNotFound;
        return nullptr;
    }
    if (hasFolder(path)) {
        error = kErrorAccessDenied;
        return nullptr;
    }
    changes.push_back(u"create " + path);
    Stored& file = files_[path];
    file.bytes.clear();
    file.writeTime = ++clock_;
    error = kErrorSuccess;
    return std::make_unique<MemoryFile>(&file.bytes, &file.writeTime, &clock_, std::string());
}

std::unique_ptr<OpenFile> MemoryFileSystem::createForWriting(const std::u16string& path, std::uint32_t& error) {
    return create(path, error);
}

std::unique_ptr<OpenFile> MemoryFileSystem::createNew(const std::u16string& path, std::uint32_t& error) {
    if (exists(path)) {
        error = kErrorFileExists;
        return nullptr;
    }
    return create(path, error);
}

std::uint32_t MemoryFileSystem::replaceFile(const std::u16string& source, const std::u16string& target) {
    changes.push_back(u"replace " + source + u" " + target);
    if (!hasFile(source)) return kErrorFileNotFound;
    if (hasFolder(target)) return kErrorAccessDenied;
    if (!parentExists(target)) return kErrorPathNotFound;
    Stored file = std::move(files_[source]);
    files_.erase(source);
    files_[target] = std::move(file);
    return kErrorSuccess;
}

std::uint32_t MemoryFileSystem::deleteFile(const std::u16string& path) {
    changes.push_back(u"delete " + path);
    if (hasFolder(path)) return kErrorAccessDenied;
    return files_.erase(path) ? kErrorSuccess : kErrorFileNotFound;
}

std::uint32_t MemoryFileSystem::listFolder(const std::u16string& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    if (!hasFolder(folder)) return hasFile(folder) ? kErrorDirectory : kErrorPathNotFound;
    const std::u16string prefix = folder + u'\\';
    const auto direct = [&](const std::u16string& path) {
        return path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0 &&
               path.find(u'\\', prefix.size()) == std::u16string::npos;
    };
    for (const auto& [path, file] : files_) {
        if (direct(path))
            entries.push_back({path.substr(prefix.size()), false, false, file.bytes.size(), file.writeTime});
    }
    for (const std::u16string& path : folders_) {
        if (direct(path)) entries.push_back({path.substr(prefix.size()), true, false});
    }
    return kErrorSuccess;
}

std::uint32_t MemoryFileSystem::queryEntry(const std::u16string& path, FolderEntry& entry) {
    if (!exists(path)) return parentExists(path) ? kErrorFileNotFound : kErrorPathNotFound;
    const std::size_t slash = path.rfind(u'\\');
    entry = {slash == std::u16string::npos ? path : path.substr(slash + 1), hasFolder(path), false};
    return kErrorSuccess;
}

std::uint32_t MemoryFileSystem::createFolder(const std::u16string& path) {
    changes.push_back(u"create folder " + path);
    if (exists(path)) return kErrorAlreadyExists;
    if (!parentExists(path)) return kErrorPathNotFound;
    folders_.insert(path);
    return kErrorSuccess;
}

std::uint32_t MemoryFileSystem::removeFolder(const std::u16string& path) {
    changes.push_back(u"remove folder " + path);
    if (!hasFolder(path)) return hasFile(path) ? kErrorDirectory : kErrorFileNotFound;
    std::vector<FolderEntry> entries;
    listFolder(path, entries);
    if (!entries.empty()) return kErrorDirNotEmpty;
    folders_.erase(path);
    return kErrorSuccess;
}

std::uint32_t MemoryFileSystem::moveEntry(const std::u16string& from, const std::u16string& to) {
    changes.push_back(u"move " + from + u" " + to);
    if (!exists(from)) return kErrorFileNotFound;
    if (exists(to)) return kErrorAlreadyExists;
    if (!parentExists(to)) return kErrorPathNotFound;
    if (hasFile(from)) {
        files_[to] = std::move(files_[from]);
        files_.erase(from);
        return kErrorSuccess;
    }
    // A folder and everything below it.
    if (to.compare(0, from.size() + 1, from + u'\\') == 0) return kErrorInvalidParameter;
    const std::u16string prefix = from + u'\\';
    const auto moved = [&](const std::u16string& path) { return to + path.substr(from.size()); };
    std::map<std::u16string, Stored> files;
    for (auto& [path, file] : files_) {
        files[path.compare(0, prefix.size(), prefix) == 0 ? moved(path) : path] = std::move(file);
    }
    std::set<std::u16string> folders;
    for (const std::u16string& path : folders_) {
        folders.insert(path == from || path.compare(0, prefix.size(), prefix) == 0 ? moved(path) : path);
    }
    files_ = std::move(files);
    folders_ = std::move(folders);
    return kErrorSuccess;
}

std::uint32_t MemoryFileSystem::copyFile(const std::u16string& from, const std::u16string& to, bool failIfExists) {
    changes.push_back(u"copy " + from + u" " + to);
    if (!hasFile(from)) return hasFolder(from) ? kErrorAccessDenied : kErrorFileNotFound;
    if (hasFolder(to)) return kErrorAccessDenied;
    if (failIfExists && hasFile(to)) return kErrorFileExists;
    if (!parentExists(to)) return kErrorPathNotFound;
    // CopyFileW keeps the write time.
    files_[to] = files_[from];
    return kErrorSuccess;
}

}  // namespace tarnwick::testing
