// The core's UTF-16 strings as Win32 wide strings (both 16-bit on Windows).
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

inline const wchar_t* AsWide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline const wchar_t* AsWide(std::u16string_view s) { return reinterpret_cast<const wchar_t*>(s.data()); }
inline std::u16string FromWide(const wchar_t* s) { return std::u16string(reinterpret_cast<const char16_t*>(s)); }
inline std::u16string FromWide(const wchar_t* s, std::size_t n) {
    return std::u16string(reinterpret_cast<const char16_t*>(s), n);
}

}  // namespace tarnwick
