#include "support/faulty_file_system.h"

namespace tarnwick::testing {
namespace {

class FaultyFile : public OpenFile {
public:
    FaultyFile(std::unique_ptr<OpenFile> real, FaultyFileSystem& owner) : real_(std::move(real)), owner_(owner) {}

    std::uint32_t read(void* buffer, std::size_t size, std::size_t& got) override {
        return real_->read(buffer, size, got);
    }

    std::uint32_t write(const void* data, std::size_t size) override {
        const std::size_t room = owner_.writeBudget - owner_.bytesWritten;
        if (size > room) {
            // Part of the data reaches the disk, as when the disk fills up.
            real_->write(data, room);
            owner_.bytesWritten += room;
            return owner_.failWriteWith;
        }
        owner_.bytesWritten += size;
        return real_->write(data, size);
    }

    std::uint32_t flush() override {
        return owner_.failFlushWith != kErrorSuccess ? owner_.failFlushWith : real_->flush();
    }

private:
    std::unique_ptr<OpenFile> real_;
    FaultyFileSystem& owner_;
};

}  // namespace

std::unique_ptr<OpenFile> FaultyFileSystem::openForReading(const std::u16string& path, std::uint32_t& error) {
    return real_.openForReading(path, error);
}

std::unique_ptr<OpenFile> FaultyFileSystem::createForWriting(const std::u16string& path, std::uint32_t& error) {
    if (failCreateWith != kErrorSuccess) {
        error = failCreateWith;
        return nullptr;
    }
    auto file = real_.createForWriting(path, error);
    if (!file) return nullptr;
    return std::make_unique<FaultyFile>(std::move(file), *this);
}

std::uint32_t FaultyFileSystem::replaceFile(const std::u16string& source, const std::u16string& target) {
    return failReplaceWith != kErrorSuccess ? failReplaceWith : real_.replaceFile(source, target);
}

std::uint32_t FaultyFileSystem::deleteFile(const std::u16string& path) { return real_.deleteFile(path); }

}  // namespace tarnwick::testing
