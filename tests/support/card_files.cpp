#include "support/card_files.h"

#include "foundation/sealed_text.h"
#include "foundation/text_file.h"
#include "support/temp_folder.h"

namespace tarnwick::testing {
namespace {

std::u16string common(std::u16string_view text) { return SealText(text, kAlgorithmBlowfish, KeyModeCommon); }

}  // namespace

std::vector<std::u16string> WithCheckLine(std::vector<std::u16string> lines) {
    std::u16string joined;
    for (const auto& line : lines) joined += line;
    lines.push_back(MakeCheckText(joined));
    return lines;
}

std::vector<std::u16string> PasscardLines(std::u16string_view matchKey) {
    // matchKey, address, one field (name, value, type), default, marker.
    return WithCheckLine({common(matchKey), common(u"http://example.com/login"), common(u"user"), common(u"alice"),
                          common(u"0"), common(u"UNDEFAULT"), common(u"UNPROTECT")});
}

void WritePasscard(const std::u16string& path, std::u16string_view matchKey) {
    WriteTextLines(path, PasscardLines(matchKey));
}

void WriteIdentityCard(const std::u16string& path, std::u16string_view name) {
    WriteTextLines(path, WithCheckLine({common(name), common(u"UNPROTECT")}));
}

void MakeUserFolder(const std::u16string& folder, const std::vector<std::u16string>& optionLines) {
    CreateFolder(folder);
    WriteTextLines(folder + u"\\option.vro",
                   optionLines.empty() ? std::vector<std::u16string>{u"[KEY]", u"0"} : optionLines);
}

}  // namespace tarnwick::testing
