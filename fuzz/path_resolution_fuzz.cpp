// Path resolution under any text another process may send: a path the tray or
// an editor accepts is the path the file system then reads (it resolves to
// itself), agrees with an independent reading of the text, and lies where the
// command needs it below a fixed data root.
//
// The first byte chooses how the rest becomes UTF-16: even, one code unit per
// byte (separators, dots and drive letters come quickly); odd, little-endian
// pairs (every code unit, surrogates included).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/windows_path.h"

namespace {

using tarnwick::PathPlace;

constexpr std::u16string_view kDataRoot = u"C:\\Tarnwick\\data";
constexpr std::size_t kMaxUnits = 2048;

void require(bool holds) {
    if (!holds) std::abort();
}

std::u16string textOf(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    if (size == 0) return text;
    const bool pairs = (data[0] & 1) != 0;
    for (std::size_t i = 1; i < size && text.size() < kMaxUnits; i += pairs ? 2 : 1) {
        if (pairs) {
            if (i + 1 >= size) break;
            text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        } else {
            text += static_cast<char16_t>(data[i]);
        }
    }
    return text;
}

// How Windows reads a drive-absolute path, written independently of the
// resolver and without its refusals: components split at either separator,
// "." dropped, ".." pops (never past the drive), trailing dots and spaces
// stripped from every other component.
std::optional<std::u16string> windowsReads(std::u16string_view path) {
    auto separator = [](char16_t c) { return c == u'\\' || c == u'/'; };
    if (path.size() < 3 || path[1] != u':' || !separator(path[2])) return std::nullopt;
    std::vector<std::u16string> stack;
    std::u16string current;
    auto finish = [&] {
        if (current == u"..") {
            if (!stack.empty()) stack.pop_back();
        } else if (!current.empty() && current != u".") {
            std::size_t end = current.size();
            while (end > 0 && (current[end - 1] == u'.' || current[end - 1] == u' ')) --end;
            stack.push_back(current.substr(0, end));
        }
        current.clear();
    };
    for (std::size_t i = 3; i < path.size(); ++i) {
        if (separator(path[i])) {
            finish();
        } else {
            current += path[i];
        }
    }
    finish();
    std::u16string read(path.substr(0, 2));
    read += u'\\';
    for (std::size_t i = 0; i < stack.size(); ++i) {
        if (i > 0) read += u'\\';
        read += stack[i];
    }
    return read;
}

std::size_t componentCount(std::u16string_view path) {
    std::size_t count = 0;
    for (const char16_t c : path) count += c == u'\\' ? 1 : 0;
    return count;
}

// Every component of a resolved path is a plain name: nothing the file system
// would read otherwise, no separator of the other kind.
void checkResolvedForm(const std::u16string& resolved) {
    require(resolved.find(u'/') == std::u16string::npos);
    require(tarnwick::ResolveWindowsPath(resolved) == resolved);
    const bool unc = resolved.size() > 2 && resolved[0] == u'\\' && resolved[1] == u'\\';
    std::u16string_view rest(resolved);
    rest.remove_prefix(unc ? 2 : 3);
    while (!rest.empty()) {
        const std::size_t slash = rest.find(u'\\');
        require(tarnwick::IsPlainName(rest.substr(0, slash)));
        rest = slash == std::u16string_view::npos ? std::u16string_view() : rest.substr(slash + 1);
    }
}

void checkPlace(const std::u16string& sent, PathPlace place) {
    const auto accepted = tarnwick::ResolveInside(sent, kDataRoot, place);
    if (!accepted) return;
    // The checked path is the acted-on path: the file system reads it as itself.
    checkResolvedForm(*accepted);
    require(windowsReads(*accepted) == *accepted);
    // And it is what the file system makes of the text that was sent.
    if (const auto read = windowsReads(sent)) require(*read == *accepted);
    require(tarnwick::IsSameOrInside(*accepted, kDataRoot));
    if (place != PathPlace::SameOrBelow) require(!tarnwick::SamePath(*accepted, kDataRoot));
    if (place == PathPlace::DirectlyBelow) require(componentCount(*accepted) == componentCount(kDataRoot) + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = textOf(data, size);

    if (const auto resolved = tarnwick::ResolveWindowsPath(text)) {
        checkResolvedForm(*resolved);
        if (const auto read = windowsReads(text)) require(*read == *resolved);
    }
    require(!tarnwick::IsPlainName(text) ||
            tarnwick::ResolveWindowsPath(tarnwick::JoinPath(kDataRoot, text)) == tarnwick::JoinPath(kDataRoot, text));

    // As the commands receive folders: whole paths (remove, switch, the
    // editors' reload) and names joined to the data root (import's target).
    for (const PathPlace place : {PathPlace::SameOrBelow, PathPlace::Below, PathPlace::DirectlyBelow}) {
        checkPlace(text, place);
        checkPlace(tarnwick::JoinPath(kDataRoot, text), place);
    }
    return 0;
}
