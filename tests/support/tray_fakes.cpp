#include "support/tray_fakes.h"

#include <algorithm>
#include <cstring>

#include "support/temp_folder.h"

namespace tarnwick::testing {

class MemorySection : public SharedSection {
public:
    MemorySection(MemorySections& owner, std::u16string name) : owner_(owner), name_(std::move(name)) {}
    bool write(const void* data, std::size_t size) override {
        auto& bytes = owner_.sections_[name_];
        if (size > bytes.size()) return false;
        std::memcpy(bytes.data(), data, size);
        ++owner_.writes_;
        return true;
    }

private:
    MemorySections& owner_;
    std::u16string name_;
};

std::optional<std::vector<unsigned char>> MemorySections::contents(std::u16string_view name) const {
    const auto it = sections_.find(std::u16string(name));
    if (it == sections_.end()) return std::nullopt;
    return it->second;
}

std::unique_ptr<SharedSection> MemorySections::create(std::u16string_view name, std::size_t size, Outcome& outcome) {
    ++creations_;
    const std::u16string key(name);
    if (failCreation_) {
        outcome = Outcome::Failed;
        return nullptr;
    }
    if (existing_.count(key) || sections_.count(key)) {
        outcome = Outcome::AlreadyExists;
        return nullptr;
    }
    sections_[key].assign(size, 0);
    outcome = Outcome::Created;
    return std::make_unique<MemorySection>(*this, key);
}

bool RecordingHotKeys::registerHotKey(WindowRef window, int id, unsigned modifiers, unsigned virtualKey) {
    calls.push_back({true, window, id, modifiers, virtualKey});
    return virtualKey != 0;
}

bool RecordingHotKeys::unregisterHotKey(WindowRef window, int id) {
    calls.push_back({false, window, id, 0, 0});
    return true;
}

bool RecordingNotifyIcon::add(const NotifyIconRecord& record) {
    calls.push_back("add");
    records.push_back(record);
    return addSucceeds;
}

bool RecordingNotifyIcon::setVersion(const NotifyIconRecord& record, unsigned v) {
    calls.push_back("version " + std::to_string(v));
    records.push_back(record);
    return true;
}

bool RecordingNotifyIcon::setState(const NotifyIconRecord& record, unsigned state, unsigned mask) {
    calls.push_back("state " + std::to_string(state) + "/" + std::to_string(mask));
    records.push_back(record);
    return true;
}

bool RecordingNotifyIcon::remove(const NotifyIconRecord& record) {
    calls.push_back("remove");
    records.push_back(record);
    return true;
}

bool FolderCopyShell::copyTree(const std::u16string& from, const std::u16string& to) {
    if (files_.createFolder(to) != kErrorSuccess) return false;
    std::vector<FolderEntry> entries;
    if (files_.listFolder(from, entries) != kErrorSuccess) return false;
    for (const FolderEntry& entry : entries) {
        const std::u16string source = from + u"\\" + entry.name;
        const std::u16string target = to + u"\\" + entry.name;
        const bool copied =
            entry.isFolder ? copyTree(source, target) : files_.copyFile(source, target, true) == kErrorSuccess;
        if (!copied) return false;
    }
    return true;
}

ShellCopyResult FolderCopyShell::copyFolder(WindowRef owner, const std::u16string& from, const std::u16string& to) {
    calls.push_back({owner, from, to});
    if (scripted) return *scripted;
    return ShellCopyResult{copyTree(from, to) ? 0 : 1, false};
}

bool PreparedDownloader::download(std::u16string_view address, const std::u16string& file, int timeLimitSeconds) {
    addresses.emplace_back(address);
    files.push_back(file);
    timeLimit = timeLimitSeconds;
    if (!bytes) return false;
    WriteBytes(file, *bytes);
    return true;
}

}  // namespace tarnwick::testing
