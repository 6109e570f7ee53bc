// The registry port over the real HKEY_CURRENT_USER (RegCreateKeyExW with
// KEY_READ | KEY_WRITE, RegQueryValueExW, RegSetValueExW, RegEnumKeyExW,
// RegDeleteKeyW).
#pragma once

#include "platform/registry.h"

namespace tarnwick {

class Win32Registry : public Registry {
public:
    bool createKey(std::u16string_view key) override;
    std::optional<std::u16string> readString(std::u16string_view key, std::u16string_view value,
                                             std::size_t bufferChars) override;
    bool writeString(std::u16string_view key, std::u16string_view value, std::u16string_view text) override;
    std::optional<std::uint32_t> readDword(std::u16string_view key, std::u16string_view value) override;
    bool writeDword(std::u16string_view key, std::u16string_view value, std::uint32_t data) override;
    std::vector<std::u16string> subkeys(std::u16string_view key) override;
    bool deleteKey(std::u16string_view key) override;
};

}  // namespace tarnwick
