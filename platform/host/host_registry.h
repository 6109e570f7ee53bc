// HKEY_CURRENT_USER on the host: keys and values in memory, kept in a small
// text file when one is given, so that the CLI and the tests run on Linux.
// Key names compare case-insensitively (ASCII), as the registry's do.
#pragma once

#include <map>
#include <string>
#include <variant>

#include "platform/file_system.h"
#include "platform/registry.h"

namespace tarnwick {

class HostRegistry : public Registry {
public:
    // In memory only.
    HostRegistry() = default;
    // Loaded from `storeFile`, a core path (a missing file is an empty
    // registry), and written back through `files` after every change into a new
    // file that then replaces it; a change whose write fails returns false and
    // leaves the old store whole.
    HostRegistry(std::u16string storeFile, FileSystem& files);

    bool createKey(std::u16string_view key) override;
    std::optional<std::u16string> readString(std::u16string_view key, std::u16string_view value,
                                             std::size_t bufferChars) override;
    bool writeString(std::u16string_view key, std::u16string_view value, std::u16string_view text) override;
    std::optional<std::uint32_t> readDword(std::u16string_view key, std::u16string_view value) override;
    bool writeDword(std::u16string_view key, std::u16string_view value, std::uint32_t data) override;
    std::vector<std::u16string> subkeys(std::u16string_view key) override;
    bool deleteKey(std::u16string_view key) override;

private:
    using Data = std::variant<std::u16string, std::uint32_t>;
    struct Key {
        std::u16string name;                    // as created
        std::map<std::u16string, Data> values;  // by upper-cased name
    };
    Key* find(std::u16string_view key);
    Key& create(std::u16string_view key);
    std::string text() const;
    bool save();
    void load();

    std::u16string storeFile_;
    FileSystem* files_ = nullptr;
    bool unreadable_ = false;             // the store exists but could not be read
    std::map<std::u16string, Key> keys_;  // by upper-cased full path
};

}  // namespace tarnwick
