// Fakes of the tray program's ports for the host tests: shared sections in
// memory, recorded hot keys, frames shown and hidden, announced settings,
// ended processes, icon calls, a shell copy done with the file-system port,
// and a downloader that writes a prepared file.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/downloader.h"
#include "platform/file_system.h"
#include "platform/hot_keys.h"
#include "platform/internet_settings.h"
#include "platform/notify_icon.h"
#include "platform/processes.h"
#include "platform/shared_sections.h"
#include "platform/shell_copy.h"
#include "platform/window_display.h"

namespace tarnwick::testing {

class MemorySections : public SharedSections {
public:
    // A section that another process already made.
    void makeExisting(std::u16string_view name) { existing_.insert(std::u16string(name)); }
    void failCreation() { failCreation_ = true; }
    // The bytes last written to the section; nothing when it was never created here.
    std::optional<std::vector<unsigned char>> contents(std::u16string_view name) const;
    int creations() const { return creations_; }
    int writes() const { return writes_; }

    std::unique_ptr<SharedSection> create(std::u16string_view name, std::size_t size, Outcome& outcome) override;

private:
    friend class MemorySection;
    std::set<std::u16string> existing_;
    std::map<std::u16string, std::vector<unsigned char>> sections_;
    bool failCreation_ = false;
    int creations_ = 0;
    int writes_ = 0;
};

class RecordingHotKeys : public HotKeys {
public:
    struct Call {
        bool registration;  // false: unregistered
        WindowRef window;
        int id;
        unsigned modifiers;
        unsigned virtualKey;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;
    bool registerHotKey(WindowRef window, int id, unsigned modifiers, unsigned virtualKey) override;
    bool unregisterHotKey(WindowRef window, int id) override;
};

class RecordingDisplay : public WindowDisplay {
public:
    std::vector<std::pair<WindowRef, bool>> calls;
    void setVisible(WindowRef window, bool visible) override { calls.emplace_back(window, visible); }
};

class RecordingInternetSettings : public InternetSettings {
public:
    int announcements = 0;
    void announceChange() override { ++announcements; }
};

class RecordingProcesses : public Processes {
public:
    std::vector<WindowRef> terminated;
    bool terminateOwnerOf(WindowRef window) override {
        terminated.push_back(window);
        return true;
    }
};

class RecordingNotifyIcon : public NotifyIcon {
public:
    std::uint32_t version = 6;
    bool addSucceeds = true;
    std::vector<std::string> calls;  // "add", "version 3", "state 1/1", "remove"
    std::vector<NotifyIconRecord> records;

    std::uint32_t shellMajorVersion() override { return version; }
    bool add(const NotifyIconRecord& record) override;
    bool setVersion(const NotifyIconRecord& record, unsigned v) override;
    bool setState(const NotifyIconRecord& record, unsigned state, unsigned mask) override;
    bool remove(const NotifyIconRecord& record) override;
};

// Copies folders with the file-system port, as the shell would; or answers a
// scripted status without copying.
class FolderCopyShell : public ShellCopy {
public:
    explicit FolderCopyShell(FileSystem& files) : files_(files) {}
    std::optional<ShellCopyResult> scripted;  // when set: no copy, this result
    struct Call {
        WindowRef owner;
        std::u16string from;
        std::u16string to;
    };
    std::vector<Call> calls;
    ShellCopyResult copyFolder(WindowRef owner, const std::u16string& from, const std::u16string& to) override;

private:
    bool copyTree(const std::u16string& from, const std::u16string& to);
    FileSystem& files_;
};

// "Downloads" by writing the prepared bytes to the target file.
class PreparedDownloader : public Downloader {
public:
    std::optional<std::string> bytes;  // nothing: the download fails
    std::vector<std::u16string> addresses;
    std::vector<std::u16string> files;
    int timeLimit = 0;
    bool download(std::u16string_view address, const std::u16string& file, int timeLimitSeconds) override;
};

}  // namespace tarnwick::testing
