// The text a search looks for, and how it is compared: without regard to
// case (ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic letters, which
// covers the letters of every ANSI code page the cards are sealed in), but
// with accents as typed: "e" finds neither "é" nor "É", "é" finds both.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// The lower-case partner of a letter; anything else as it is.
char16_t FoldCase(char16_t c);

class SearchText {
public:
    explicit SearchText(std::u16string_view text);
    ~SearchText();
    SearchText(const SearchText&) = delete;
    SearchText& operator=(const SearchText&) = delete;

    bool empty() const { return folded_.empty(); }
    // Whether `text` holds the search text anywhere. Compares in place, so a
    // secret searched leaves no folded copy behind.
    bool foundIn(std::u16string_view text) const;

private:
    std::u16string folded_;
};

}  // namespace tarnwick
