// The passphrase words shipped inside the programs, so that no extra file has
// to be found at run time: lower-case English words of four or five letters,
// taken from the English word list of the SCOWL collection (see
// generator/WORD_LIST_LICENSE and scripts/make_word_list).
#pragma once

#include <span>
#include <string_view>

namespace tarnwick {

// Sorted, without repeats, each word of ASCII letters a-z only.
std::span<const std::string_view> PassphraseWords();

}  // namespace tarnwick
