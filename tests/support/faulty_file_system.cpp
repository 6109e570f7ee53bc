#include "support/faulty_file_system.h"

#include <algorithm>

namespace tarnwick::testing {
namespace {

class FaultyFile : public OpenFile {
public:
    FaultyFile(std::unique_ptr<OpenFile> real, FaultyFileSystem& owner) : real_(std::move(real)), owner_(owner) {}

    std::uint32_t read(void* buffer, std::size_t size, std::size_t& got) override {
        owner_.readSizes.push_back(size);
        got = 0;
        if (std::uint32_t error = 0; owner_.callFails(error)) return error;
        if (owner_.bytesRead >= owner_.readBudget) return owner_.failReadWith;
        size = std::min({size, owner_.maxReadSize, owner_.readBudget - owner_.bytesRead});
        const std::uint32_t error = real_->read(buffer, size, got);
        owner_.bytesRead += got;
        return error;
    }

    std::uint32_t write(const void* data, std::size_t size) override {
        owner_.writeSizes.push_back(size);
        if (std::uint32_t error = 0; owner_.callFails(error)) return error;
        const std::size_t room = owner_.writeBudget - std::min(owner_.writeBudget, owner_.bytesWritten);
        if (size > room) {
            if (room > 0 && real_->write(data, room) == kErrorSuccess) owner_.bytesWritten += room;
            return owner_.failWriteWith;
        }
        const std::uint32_t error = real_->write(data, size);
        if (error == kErrorSuccess) owner_.bytesWritten += size;
        return error;
    }

    std::uint32_t flush() override {
        if (std::uint32_t error = 0; owner_.callFails(error)) return error;
        return owner_.failFlushWith != kErrorSuccess ? owner_.failFlushWith : real_->flush();
    }

private:
    std::unique_ptr<OpenFile> real_;
    FaultyFileSystem& owner_;
};

}  // namespace

bool FaultyFileSystem::callFails(std::uint32_t& error) {
    if (++calls != failCallNumber) return false;
    error = failCallWith;
    return true;
}

bool FaultyFileSystem::createFails(std::uint32_t& error) {
    if (failCreateWith == kErrorSuccess || failCreateTimes == 0) return false;
    if (failCreateTimes > 0) --failCreateTimes;
    error = failCreateWith;
    return true;
}

std::unique_ptr<OpenFile> FaultyFileSystem::wrapCreated(const std::u16string& path, std::unique_ptr<OpenFile> file) {
    if (!file) return nullptr;
    created.push_back(path);
    return std::make_unique<FaultyFile>(std::move(file), *this);
}

std::unique_ptr<OpenFile> FaultyFileSystem::openForReading(const std::u16string& path, std::uint32_t& error) {
    if (callFails(error)) return nullptr;
    if (failOpenForReadingWith != kErrorSuccess) {
        error = failOpenForReadingWith;
        return nullptr;
    }
    auto file = real_.openForReading(path, error);
    if (!file) return nullptr;
    return std::make_unique<FaultyFile>(std::move(file), *this);
}

std::unique_ptr<OpenFile> FaultyFileSystem::createForWriting(const std::u16string& path, std::uint32_t& error) {
    if (callFails(error)) return nullptr;
    if (createFails(error)) return nullptr;
    return wrapCreated(path, real_.createForWriting(path, error));
}

std::unique_ptr<OpenFile> FaultyFileSystem::createNew(const std::u16string& path, std::uint32_t& error) {
    if (callFails(error)) return nullptr;
    if (createFails(error)) return nullptr;
    return wrapCreated(path, real_.createNew(path, error));
}

std::uint32_t FaultyFileSystem::replaceFile(const std::u16string& source, const std::u16string& target) {
    ++replaceCalls;
    if (std::uint32_t error = 0; callFails(error)) return error;
    if (failReplaceWith != kErrorSuccess) return failReplaceWith;
    const std::uint32_t error = real_.replaceFile(source, target);
    if (error == kErrorSuccess) replacedTargets.push_back(target);
    return error;
}

std::uint32_t FaultyFileSystem::deleteFile(const std::u16string& path) {
    if (std::uint32_t error = 0; callFails(error)) return error;
    return failDeleteWith != kErrorSuccess ? failDeleteWith : real_.deleteFile(path);
}

std::uint32_t FaultyFileSystem::listFolder(const std::u16string& folder, std::vector<FolderEntry>& entries) {
    if (std::uint32_t error = 0; callFails(error)) return error;
    if (failFolderOperationsWith != kErrorSuccess) return failFolderOperationsWith;
    return real_.listFolder(folder, entries);
}

std::uint32_t FaultyFileSystem::createFolder(const std::u16string& path) {
    if (std::uint32_t error = 0; callFails(error)) return error;
    if (failFolderOperationsWith != kErrorSuccess) return failFolderOperationsWith;
    return real_.createFolder(path);
}

std::uint32_t FaultyFileSystem::removeFolder(const std::u16string& path) {
    if (std::uint32_t error = 0; callFails(error)) return error;
    if (failFolderOperationsWith != kErrorSuccess) return failFolderOperationsWith;
    return real_.removeFolder(path);
}

std::uint32_t FaultyFileSystem::moveEntry(const std::u16string& from, const std::u16string& to) {
    if (std::uint32_t error = 0; callFails(error)) return error;
    if (failFolderOperationsWith != kErrorSuccess) return failFolderOperationsWith;
    return real_.moveEntry(from, to);
}

std::uint32_t FaultyFileSystem::copyFile(const std::u16string& from, const std::u16string& to, bool failIfExists) {
    if (std::uint32_t error = 0; callFails(error)) return error;
    if (failFolderOperationsWith != kErrorSuccess) return failFolderOperationsWith;
    return real_.copyFile(from, to, failIfExists);
}

std::uint32_t FaultyFileSystem::queryEntry(const std::u16string& path, FolderEntry& entry) {
    if (std::uint32_t error = 0; callFails(error)) return error;
    return real_.queryEntry(path, entry);
}

}  // namespace tarnwick::testing
