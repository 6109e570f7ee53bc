#include "cards/card_file.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "foundation/md5.h"
#include "foundation/sealed_text.h"
#include "foundation/text_file.h"

namespace tarnwick {

std::u16string CardCheckLine(const std::vector<std::u16string>& lines, std::size_t count) {
    return CardCheckLine(lines, count, NativeCodePage());
}

std::u16string CardCheckLine(const std::vector<std::u16string>& lines, std::size_t count, const CodePage& codePage) {
    count = std::min(count, lines.size());
    // Sealed lines are ASCII, whose narrow form is the same in every ANSI code
    // page: the digest then takes them as they come, in one pass and without
    // joining them. A line with any other character takes the general way.
    Md5Digest digest;
    std::array<char, 4096> narrow;
    std::size_t used = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t* units = lines[i].data();
        std::size_t left = lines[i].size();
        while (left > 0) {
            // A stretch at a time, the test for other characters folded into
            // one OR, so that the loop has no branch per character.
            const std::size_t take = std::min(left, narrow.size() - used);
            char16_t seen = 0;
            for (std::size_t k = 0; k < take; ++k) {
                seen |= units[k];
                narrow[used + k] = static_cast<char>(units[k]);
            }
            if (seen >= 0x80) {
                std::u16string sealed;
                for (std::size_t k = 0; k < count; ++k) sealed += lines[k];
                return MakeCheckText(sealed, codePage);
            }
            used += take;
            units += take;
            left -= take;
            if (used == narrow.size()) {
                digest.update(narrow.data(), used);
                used = 0;
            }
        }
    }
    digest.update(narrow.data(), used);
    return CheckTextOfDigest(digest.finish());
}

std::vector<std::u16string> ReadCardLines(const std::u16string& path, FileSystem& files) {
    CTextFileReader reader(files);
    if (!reader.open(path)) throw CTextFileException(reader.openError(), path, "open");
    std::vector<std::u16string> lines;
    std::u16string line;
    while (reader.readLine(line)) lines.push_back(std::move(line));
    return lines;
}

bool CardCheckLineMatches(const std::vector<std::u16string>& lines) {
    if (lines.size() < 2) return false;
    return CardCheckLine(lines, lines.size() - 1) == lines.back();
}

}  // namespace tarnwick
