// Card files for tests: passcards and identity cards in the system's layout
// (sealed lines, a marker, the check line), user folders with an option file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::testing {

// The lines of a well-formed unprotected passcard with this match key.
std::vector<std::u16string> PasscardLines(std::u16string_view matchKey);
// Writes a passcard (UTF-16 LE) at `path`, which includes the extension.
void WritePasscard(const std::u16string& path, std::u16string_view matchKey);
// Writes a small unprotected identity card at `path`.
void WriteIdentityCard(const std::u16string& path, std::u16string_view name = u"Card");
// Lines joined and ended by a check line of them.
std::vector<std::u16string> WithCheckLine(std::vector<std::u16string> lines);
// A user folder: the folder and its "option.vro" with the given lines.
void MakeUserFolder(const std::u16string& folder, const std::vector<std::u16string>& optionLines = {});

}  // namespace tarnwick::testing
