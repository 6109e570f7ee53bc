#include "cardtree/tree_path.h"

#include <algorithm>

namespace tarnwick {
namespace {

// Upper case for the letters of ASCII, Latin-1 and Latin Extended-A, Greek and
// Cyrillic: the scripts library names are written in here. Other units compare as they are.
char16_t upper(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<char16_t>(c - 0x20);
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
        c != 0x17F) {
        const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool lower = oddPairs ? (c % 2 == 0) : (c % 2 == 1);
        return lower ? static_cast<char16_t>(c - 1) : c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return static_cast<char16_t>(c - 0x20);
    if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
    return c;
}

}  // namespace

bool FitsPathBuffer(std::u16string_view path) { return path.size() <= kMaxPathChars; }

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
    std::u16string path(folder);
    if (path.empty() || path.back() != u'\\') path += u'\\';
    path += name;
    return path;
}

std::u16string_view ParentPath(std::u16string_view path) {
    const std::size_t slash = path.find_last_of(u'\\');
    return slash == std::u16string_view::npos ? std::u16string_view() : path.substr(0, slash);
}

std::u16string_view LastComponent(std::u16string_view path) {
    const std::size_t slash = path.find_last_of(u'\\');
    return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

bool SamePath(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return upper(x) == upper(y); });
}

bool IsSameOrInside(std::u16string_view path, std::u16string_view folder) {
    if (SamePath(path, folder)) return true;
    if (folder.empty()) return false;
    // The folder's own name must end where the path goes on with "\": C:\u\Banking
    // is not inside C:\u\Bank.
    const std::size_t length = folder.back() == u'\\' ? folder.size() : folder.size() + 1;
    return path.size() > length && SamePath(path.substr(0, folder.size()), folder) &&
           path[length - 1] == u'\\';
}

bool IsCardFileName(std::u16string_view fileName, std::u16string_view extension) {
    const std::size_t dot = fileName.find_last_of(u'.');
    if (dot == std::u16string_view::npos || dot == 0) return false;
    return fileName.substr(dot) == extension;
}

}  // namespace tarnwick
