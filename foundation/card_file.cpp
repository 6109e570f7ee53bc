#include "foundation/card_file.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "foundation/md5.h"
#include "foundation/sealed_text.h"

namespace tarnwick {

namespace {

bool isAscii(const std::u16string& line) {
    return std::all_of(line.begin(), line.end(), [](char16_t c) { return c < 0x80; });
}

}  // namespace

std::u16string CardCheckLine(const std::vector<std::u16string>& lines, std::size_t count) {
    count = std::min(count, lines.size());
    // Sealed lines are ASCII, whose narrow form is the same in every ANSI code
    // page: the digest then takes them line by line, without joining them.
    if (std::all_of(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(count), isAscii)) {
        Md5Digest digest;
        std::array<char, 256> narrow;
        for (std::size_t i = 0; i < count; ++i) {
            const std::u16string& line = lines[i];
            for (std::size_t done = 0; done < line.size(); done += narrow.size()) {
                const std::size_t piece = std::min(narrow.size(), line.size() - done);
                for (std::size_t k = 0; k < piece; ++k) narrow[k] = static_cast<char>(line[done + k]);
                digest.update(narrow.data(), piece);
            }
        }
        return CheckTextOfDigest(digest.finish());
    }
    std::u16string sealed;
    for (std::size_t i = 0; i < count && i < lines.size(); ++i) sealed += lines[i];
    return MakeCheckText(sealed);
}

bool CardCheckLineMatches(const std::vector<std::u16string>& lines) {
    if (lines.size() < 2) return false;
    return CardCheckLine(lines, lines.size() - 1) == lines.back();
}

}  // namespace tarnwick
