// The registry under HKEY_CURRENT_USER as the programs use it: keys opened or
// created, string and DWORD values, subkeys listed and deleted. Key paths are
// relative to HKEY_CURRENT_USER ("Software\Tarnwick"). The Windows adapter is
// win32/win32_registry.h; on the host a small file stands in (host/host_registry.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class Registry {
public:
    virtual ~Registry() = default;

    // Opens the key, creating it (and its parents) when missing, as
    // RegCreateKeyExW with KEY_READ | KEY_WRITE does. False when it cannot.
    virtual bool createKey(std::u16string_view key) = 0;

    // A REG_SZ value read into a buffer of `bufferChars` characters including
    // the terminator: a longer value comes back cut to bufferChars - 1.
    // Nothing when the key or the value is missing or is not a string.
    virtual std::optional<std::u16string> readString(std::u16string_view key, std::u16string_view value,
                                                     std::size_t bufferChars) = 0;
    // Writes a REG_SZ value, creating the key when missing.
    virtual bool writeString(std::u16string_view key, std::u16string_view value, std::u16string_view text) = 0;
    // A REG_DWORD value; nothing when missing or of another type.
    virtual std::optional<std::uint32_t> readDword(std::u16string_view key, std::u16string_view value) = 0;
    virtual bool writeDword(std::u16string_view key, std::u16string_view value, std::uint32_t data) = 0;

    // The names of the key's direct subkeys in RegEnumKeyExW order (empty
    // when the key is missing).
    virtual std::vector<std::u16string> subkeys(std::u16string_view key) = 0;
    // RegDeleteKeyW: deletes a key that has no subkeys. False when it is
    // missing or still has subkeys.
    virtual bool deleteKey(std::u16string_view key) = 0;
};

// Deletes the key and everything below it, deepest first: repeatedly the first
// subkey, then the key itself. False when the key was missing or a delete failed.
bool DeleteKeyTree(Registry& registry, std::u16string_view key);

}  // namespace tarnwick
