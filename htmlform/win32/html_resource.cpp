#include "htmlform/win32/html_resource.h"

#include "platform/utf8.h"

namespace tarnwick {
namespace {

std::u16string fromUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    return text;
}

bool startsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

}  // namespace

std::u16string DecodeHtmlBytes(std::string_view bytes) {
    if (startsWith(bytes, "\xFF\xFE")) return fromUtf16(bytes.substr(2), false);
    if (startsWith(bytes, "\xFE\xFF")) return fromUtf16(bytes.substr(2), true);
    if (startsWith(bytes, "\xEF\xBB\xBF")) bytes.remove_prefix(3);
    return Utf8ToUtf16(bytes);
}

std::optional<std::u16string> LoadHtmlResource(HMODULE module, int id) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(kHtmlResourceType));
    if (found == nullptr) return std::nullopt;
    HGLOBAL loaded = LoadResource(module, found);
    const DWORD size = SizeofResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) return std::nullopt;
    return DecodeHtmlBytes(std::string_view(static_cast<const char*>(data), size));
}

}  // namespace tarnwick
