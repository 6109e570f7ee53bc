#include "tray/win32/hkcu_registry.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace tarnwick {
namespace {

// An open key, closed when it goes.
class Key {
public:
    // Opened or created with KEY_READ | KEY_WRITE, as the programs open every key.
    static Key create(std::u16string_view path) {
        Key key;
        const std::u16string name(path);
        if (RegCreateKeyExW(HKEY_CURRENT_USER, AsWide(name), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                            nullptr, &key.handle_, nullptr) != ERROR_SUCCESS) {
            key.handle_ = nullptr;
        }
        return key;
    }
    static Key open(std::u16string_view path) {
        Key key;
        const std::u16string name(path);
        if (RegOpenKeyExW(HKEY_CURRENT_USER, AsWide(name), 0, KEY_READ | KEY_WRITE, &key.handle_) !=
            ERROR_SUCCESS) {
            key.handle_ = nullptr;
        }
        return key;
    }
    Key() = default;
    Key(Key&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    Key& operator=(Key&&) = delete;
    ~Key() {
        if (handle_) RegCloseKey(handle_);
    }
    explicit operator bool() const { return handle_ != nullptr; }
    HKEY get() const { return handle_; }

private:
    HKEY handle_ = nullptr;
};

}  // namespace

bool HkcuRegistry::createKey(std::u16string_view key) { return static_cast<bool>(Key::create(key)); }

std::optional<std::u16string> HkcuRegistry::readString(std::u16string_view key,
                                                       std::u16string_view value,
                                                       std::size_t bufferChars) {
    if (bufferChars == 0) return std::nullopt;
    const Key opened = Key::open(key);
    if (!opened) return std::nullopt;
    const std::u16string name(value);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(opened.get(), AsWide(name), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    // The whole value, then cut to the caller's buffer as the programs' buffers cut it.
    std::u16string text(size / sizeof(wchar_t) + 1, u'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(opened.get(), AsWide(name), nullptr, &type,
                         reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(std::min<std::size_t>(size / sizeof(wchar_t), text.size()));
    const std::size_t end = text.find(u'\0');
    if (end != std::u16string::npos) text.resize(end);
    if (text.size() > bufferChars - 1) text.resize(bufferChars - 1);
    return text;
}

bool HkcuRegistry::writeString(std::u16string_view key, std::u16string_view value,
                               std::u16string_view text) {
    const Key opened = Key::create(key);
    if (!opened) return false;
    const std::u16string name(value);
    const std::u16string data(text);
    return RegSetValueExW(opened.get(), AsWide(name), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::optional<std::uint32_t> HkcuRegistry::readDword(std::u16string_view key,
                                                     std::u16string_view value) {
    const Key opened = Key::open(key);
    if (!opened) return std::nullopt;
    const std::u16string name(value);
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof(data);
    if (RegQueryValueExW(opened.get(), AsWide(name), nullptr, &type, reinterpret_cast<BYTE*>(&data),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD) {
        return std::nullopt;
    }
    return data;
}

bool HkcuRegistry::writeDword(std::u16string_view key, std::u16string_view value,
                              std::uint32_t data) {
    const Key opened = Key::create(key);
    if (!opened) return false;
    const std::u16string name(value);
    const DWORD dword = data;
    return RegSetValueExW(opened.get(), AsWide(name), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&dword), sizeof(dword)) == ERROR_SUCCESS;
}

std::vector<std::u16string> HkcuRegistry::subkeys(std::u16string_view key) {
    std::vector<std::u16string> names;
    const Key opened = Key::open(key);
    if (!opened) return names;
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(opened.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        names.push_back(FromWide(name, length));
    }
    return names;
}

bool HkcuRegistry::deleteKey(std::u16string_view key) {
    const std::u16string name(key);
    return RegDeleteKeyW(HKEY_CURRENT_USER, AsWide(name)) == ERROR_SUCCESS;
}

}  // namespace tarnwick
