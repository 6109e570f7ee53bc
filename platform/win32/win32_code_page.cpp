#include "platform/win32/win32_code_page.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

#include "platform/win32/wide.h"

namespace tarnwick {
namespace {

UINT codePageOf(CodePage::Which which) { return which == CodePage::Which::Thread ? CP_THREAD_ACP : CP_ACP; }

// The API counts in int; a longer text would be cut short silently.
int lengthOf(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) throw std::length_error("text too long for the code page");
    return static_cast<int>(size);
}

}  // namespace

std::string Win32CodePage::toNarrow(std::u16string_view wide, Which which) const {
    if (wide.empty()) return {};
    const UINT codePage = codePageOf(which);
    const int inLength = lengthOf(wide.size());
    const int size = WideCharToMultiByte(codePage, 0, AsWide(wide), inLength, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return {};
    std::string out(static_cast<std::size_t>(size), '\0');
    const int written = WideCharToMultiByte(codePage, 0, AsWide(wide), inLength, out.data(), size, nullptr, nullptr);
    out.resize(static_cast<std::size_t>(written > 0 ? written : 0));
    return out;
}

std::u16string Win32CodePage::toWide(std::string_view narrow, Which which) const {
    if (narrow.empty()) return {};
    const UINT codePage = codePageOf(which);
    const int inLength = lengthOf(narrow.size());
    const int size = MultiByteToWideChar(codePage, 0, narrow.data(), inLength, nullptr, 0);
    if (size <= 0) return {};
    std::u16string out(static_cast<std::size_t>(size), u'\0');
    const int written =
        MultiByteToWideChar(codePage, 0, narrow.data(), inLength, reinterpret_cast<wchar_t*>(out.data()), size);
    out.resize(static_cast<std::size_t>(written > 0 ? written : 0));
    return out;
}

}  // namespace tarnwick
