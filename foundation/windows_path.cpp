#include "foundation/windows_path.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tarnwick {
namespace {

// A component may be no longer than this in any Windows file system.
constexpr std::size_t kMaxComponentChars = 255;

// Upper case for the letters of ASCII, Latin-1 and Latin Extended-A, Greek and
// Cyrillic: the scripts library names are written in here. Other units compare as they are.
char16_t upper(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return static_cast<char16_t>(c - 0x20);
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
        const bool oddPairs = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool lower = oddPairs ? (c % 2 == 0) : (c % 2 == 1);
        return lower ? static_cast<char16_t>(c - 1) : c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return static_cast<char16_t>(c - 0x20);
    if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 0x50);
    return c;
}

bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool isDriveLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// Characters no Windows name may hold: they are wildcards, stream or drive
// markers, or separators.
bool isForbidden(char16_t c) {
    return c < 0x20 || std::u16string_view(u"<>:\"/\\|?*").find(c) != std::u16string_view::npos;
}

bool sameAscii(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return upper(x) == upper(y); });
}

// Names that Win32 turns into a device wherever they stand, with any
// extension and trailing spaces: "C:\data\nul.txt" is the null device.
bool isDeviceName(std::u16string_view name) {
    std::u16string_view base = name.substr(0, std::min(name.find(u'.'), name.size()));
    while (!base.empty() && base.back() == u' ') base.remove_suffix(1);
    static constexpr std::array<std::u16string_view, 7> kDevices = {u"CON",    u"PRN",     u"AUX",   u"NUL",
                                                                    u"CONIN$", u"CONOUT$", u"CLOCK$"};
    for (const std::u16string_view device : kDevices) {
        if (sameAscii(base, device)) return true;
    }
    if (base.size() != 4) return false;
    const std::u16string_view stem = base.substr(0, 3);
    const char16_t digit = base[3];
    const bool numbered = (digit >= u'0' && digit <= u'9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
    return numbered && (sameAscii(stem, u"COM") || sameAscii(stem, u"LPT"));
}

// A component as the file system reads it: trailing dots and spaces dropped.
// Nothing when what remains cannot name an entry of a folder.
std::optional<std::u16string_view> entryName(std::u16string_view component) {
    while (!component.empty() && (component.back() == u'.' || component.back() == u' ')) {
        component.remove_suffix(1);
    }
    if (component.empty() || component.size() > kMaxComponentChars) return std::nullopt;
    if (std::any_of(component.begin(), component.end(), isForbidden)) return std::nullopt;
    if (isDeviceName(component)) return std::nullopt;
    return component;
}

// The text up to the next separator, from `at`.
std::u16string_view componentAt(std::u16string_view path, std::size_t at) {
    std::size_t end = at;
    while (end < path.size() && !isSeparator(path[end])) ++end;
    return path.substr(at, end - at);
}

struct Root {
    std::u16string text;   // "X:" or "\\server\share"
    std::size_t rest = 0;  // where the components begin
};

// "X:\" or "\\server\share"; anything else depends on the process's current
// folder or names a device, and is not resolved.
std::optional<Root> rootOf(std::u16string_view path) {
    if (path.size() >= 3 && isDriveLetter(path[0]) && path[1] == u':' && isSeparator(path[2])) {
        return Root{std::u16string(path.substr(0, 2)), 3};
    }
    if (path.size() < 3 || !isSeparator(path[0]) || !isSeparator(path[1])) return std::nullopt;
    // "\\?\", "\\.\" and their forms with "/" reach devices and raw names.
    const std::u16string_view server = componentAt(path, 2);
    const std::size_t shareAt = 2 + server.size() + 1;
    if (shareAt >= path.size()) return std::nullopt;
    const std::u16string_view share = componentAt(path, shareAt);
    if (!IsPlainName(server) || !IsPlainName(share)) return std::nullopt;
    return Root{u"\\\\" + std::u16string(server) + u"\\" + std::u16string(share), shareAt + share.size()};
}

bool isBelow(std::u16string_view path, std::u16string_view folder) {
    return !SamePath(path, folder) && IsSameOrInside(path, folder);
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

bool SamePath(std::u16string_view a, std::u16string_view b) { return sameAscii(a, b); }

bool IsSameOrInside(std::u16string_view path, std::u16string_view folder) {
    if (SamePath(path, folder)) return true;
    if (folder.empty()) return false;
    // The folder's own name must end where the path goes on with "\": C:\u\Banking
    // is not inside C:\u\Bank.
    const std::size_t length = folder.back() == u'\\' ? folder.size() : folder.size() + 1;
    return path.size() > length && SamePath(path.substr(0, folder.size()), folder) && path[length - 1] == u'\\';
}

std::optional<std::u16string> ResolveWindowsPath(std::u16string_view path) {
    const std::optional<Root> root = rootOf(path);
    if (!root) return std::nullopt;
    std::vector<std::u16string_view> names;
    for (std::size_t at = root->rest; at < path.size();) {
        const std::u16string_view component = componentAt(path, at);
        at += component.size() + 1;
        if (component.empty() || component == u".") continue;
        if (component == u"..") {
            if (!names.empty()) names.pop_back();
            continue;
        }
        const auto name = entryName(component);
        if (!name) return std::nullopt;
        names.push_back(*name);
    }
    std::u16string resolved = root->text;
    for (const std::u16string_view name : names) resolved += u'\\' + std::u16string(name);
    // A drive root keeps its "\": "C:" alone is the current folder of drive C.
    if (names.empty() && resolved.size() == 2) resolved += u'\\';
    return resolved;
}

std::optional<std::u16string> ResolveInside(std::u16string_view path, std::u16string_view folder, PathPlace place) {
    const auto resolvedFolder = ResolveWindowsPath(folder);
    auto resolved = ResolveWindowsPath(path);
    if (!resolvedFolder || !resolved) return std::nullopt;
    bool inPlace = false;
    switch (place) {
        case PathPlace::SameOrBelow:
            inPlace = IsSameOrInside(*resolved, *resolvedFolder);
            break;
        case PathPlace::Below:
            inPlace = isBelow(*resolved, *resolvedFolder);
            break;
        case PathPlace::DirectlyBelow:
            inPlace = isBelow(*resolved, *resolvedFolder) &&
                      SamePath(JoinPath(*resolvedFolder, LastComponent(*resolved)), *resolved);
            break;
    }
    if (!inPlace) return std::nullopt;
    return resolved;
}

bool IsPlainName(std::u16string_view name) {
    const auto entry = entryName(name);
    return entry && entry->size() == name.size();
}

}  // namespace tarnwick
