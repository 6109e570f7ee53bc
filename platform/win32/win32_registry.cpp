#include "platform/win32/win32_registry.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace tarnwick {
namespace {

// An open key, closed when dropped.
class Key {
public:
    // Opens or creates the key, as the programs always do.
    explicit Key(std::u16string_view path) {
        const std::u16string name(path);
        if (RegCreateKeyExW(HKEY_CURRENT_USER, AsWide(name), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                            nullptr, &key_, nullptr) != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

bool Win32Registry::createKey(std::u16string_view key) { return static_cast<bool>(Key(key)); }

std::optional<std::u16string> Win32Registry::readString(std::u16string_view key, std::u16string_view value,
                                                        std::size_t bufferChars) {
    Key open(key);
    if (!open || bufferChars == 0) return std::nullopt;
    std::u16string buffer(bufferChars, u'\0');
    DWORD type = 0;
    DWORD bytes = static_cast<DWORD>(bufferChars * sizeof(char16_t));
    const std::u16string name(value);
    const LSTATUS status =
        RegQueryValueExW(open.get(), AsWide(name), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    if (status == ERROR_MORE_DATA) {
        // The programs read into a fixed buffer: a longer value is cut there.
        std::u16string whole(bytes / sizeof(char16_t) + 1, u'\0');
        DWORD wholeBytes = static_cast<DWORD>(whole.size() * sizeof(char16_t));
        if (RegQueryValueExW(open.get(), AsWide(name), nullptr, &type, reinterpret_cast<BYTE*>(whole.data()),
                             &wholeBytes) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        whole.resize(wholeBytes / sizeof(char16_t));
        buffer = whole;
    } else if (status != ERROR_SUCCESS) {
        return std::nullopt;
    } else {
        buffer.resize(bytes / sizeof(char16_t));
    }
    // The data may or may not hold its terminator; the text ends at the first zero.
    const std::size_t zero = buffer.find(u'\0');
    if (zero != std::u16string::npos) buffer.resize(zero);
    if (buffer.size() > bufferChars - 1) buffer.resize(bufferChars - 1);
    return buffer;
}

bool Win32Registry::writeString(std::u16string_view key, std::u16string_view value, std::u16string_view text) {
    Key open(key);
    if (!open) return false;
    const std::u16string name(value);
    const std::u16string data(text);
    return RegSetValueExW(open.get(), AsWide(name), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(char16_t))) == ERROR_SUCCESS;
}

std::optional<std::uint32_t> Win32Registry::readDword(std::u16string_view key, std::u16string_view value) {
    Key open(key);
    if (!open) return std::nullopt;
    DWORD type = 0;
    DWORD data = 0;
    DWORD bytes = sizeof data;
    const std::u16string name(value);
    if (RegQueryValueExW(open.get(), AsWide(name), nullptr, &type, reinterpret_cast<BYTE*>(&data), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_DWORD) {
        return std::nullopt;
    }
    return data;
}

bool Win32Registry::writeDword(std::u16string_view key, std::u16string_view value, std::uint32_t data) {
    Key open(key);
    if (!open) return false;
    const std::u16string name(value);
    const DWORD dword = data;
    return RegSetValueExW(open.get(), AsWide(name), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dword),
                          sizeof dword) == ERROR_SUCCESS;
}

std::vector<std::u16string> Win32Registry::subkeys(std::u16string_view key) {
    std::vector<std::u16string> names;
    HKEY open = nullptr;
    const std::u16string path(key);
    // Listing must not create the key.
    if (RegOpenKeyExW(HKEY_CURRENT_USER, AsWide(path), 0, KEY_READ, &open) != ERROR_SUCCESS) return names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(open, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.push_back(FromWide(name, length));
    }
    RegCloseKey(open);
    return names;
}

bool Win32Registry::deleteKey(std::u16string_view key) {
    const std::u16string path(key);
    return RegDeleteKeyW(HKEY_CURRENT_USER, AsWide(path)) == ERROR_SUCCESS;
}

}  // namespace tarnwick
