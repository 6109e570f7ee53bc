#include "foundation/card_file.h"

#include "foundation/sealed_text.h"

namespace tarnwick {

std::u16string CardCheckLine(const std::vector<std::u16string>& lines, std::size_t count) {
    std::u16string sealed;
    for (std::size_t i = 0; i < count && i < lines.size(); ++i) sealed += lines[i];
    return MakeCheckText(sealed);
}

bool CardCheckLineMatches(const std::vector<std::u16string>& lines) {
    if (lines.size() < 2) return false;
    return CardCheckLine(lines, lines.size() - 1) == lines.back();
}

}  // namespace tarnwick
