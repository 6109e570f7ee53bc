#include "health/password_strength.h"

#include <cmath>
#include <string>
#include <vector>

#include "health/common_passwords.h"

namespace tarnwick {
namespace {

struct Match {
    std::size_t begin = 0;
    std::size_t end = 0;  // past the last code unit
    double bits = 0;
    WeakPattern pattern = WeakPattern::None;
};

// Patterns found in a longer password each cost the attacker a little: he
// must also guess where they are and how they join.
constexpr double kJoinBits = 1.0;
constexpr std::size_t kLongestWord = 24;

char16_t lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }
bool isUpper(char16_t c) { return c >= u'A' && c <= u'Z'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isLetter(char16_t c) { return (c >= u'a' && c <= u'z') || isUpper(c); }

// The letter a common substitution stands for; 0 when none.
char unLeet(char16_t c) {
    switch (c) {
        case u'4':
        case u'@':
            return 'a';
        case u'3':
            return 'e';
        case u'1':
        case u'!':
            return 'i';
        case u'0':
            return 'o';
        case u'5':
        case u'$':
            return 's';
        case u'7':
        case u'+':
            return 't';
        default:
            return 0;
    }
}

double log2Of(double value) { return value <= 1 ? 0 : std::log2(value); }

// The guesses the letter case of a word adds: none for all lower, one bit
// for the usual capitals, more for a mixture.
double caseBits(std::u16string_view word) {
    std::size_t upper = 0;
    std::size_t letters = 0;
    for (const char16_t c : word) {
        upper += isUpper(c);
        letters += isLetter(c);
    }
    if (upper == 0) return 0;
    if (upper == letters || (upper == 1 && isUpper(word.front()))) return 1;
    return static_cast<double>(upper < letters - upper ? upper : letters - upper) + 1;
}

void findCommon(std::u16string_view text, std::vector<Match>& out) {
    for (std::size_t begin = 0; begin < text.size(); ++begin) {
        std::string plain;
        std::string unleeted;
        int substitutions = 0;
        for (std::size_t end = begin; end < text.size() && end - begin < kLongestWord; ++end) {
            const char16_t c = lower(text[end]);
            if (c > 0x7e) break;
            plain += static_cast<char>(c);
            const char letter = unLeet(c);
            unleeted += letter != 0 ? letter : static_cast<char>(c);
            substitutions += letter != 0;
            if (end - begin < 2) continue;
            std::optional<int> rank = CommonPasswordRank(plain);
            double extra = 0;
            if (!rank && substitutions > 0) {
                rank = CommonPasswordRank(unleeted);
                extra = substitutions;
            }
            if (!rank) continue;
            const std::u16string_view word = text.substr(begin, end + 1 - begin);
            out.push_back({begin, end + 1, log2Of(*rank) + caseBits(word) + extra, WeakPattern::CommonPassword});
        }
    }
}

// The US keyboard as rows of unshifted and shifted keys; row r is offset half
// a key to the right of row r - 1.
constexpr std::u16string_view kRows[] = {u"`1234567890-=", u"qwertyuiop[]\\", u"asdfghjkl;'", u"zxcvbnm,./"};
constexpr std::u16string_view kShiftedRows[] = {u"~!@#$%^&*()_+", u"QWERTYUIOP{}|", u"ASDFGHJKL:\"", u"ZXCVBNM<>?"};
constexpr double kKeyboardStarts = 47;

bool keyAt(char16_t c, int& row, int& column, bool& shifted) {
    for (int r = 0; r < 4; ++r) {
        if (const std::size_t at = kRows[r].find(c); at != std::u16string_view::npos) {
            row = r, column = static_cast<int>(at), shifted = false;
            return true;
        }
        if (const std::size_t at = kShiftedRows[r].find(c); at != std::u16string_view::npos) {
            row = r, column = static_cast<int>(at), shifted = true;
            return true;
        }
    }
    return false;
}

// The direction from one key to a neighbour (1..6), 0 when not neighbours.
int direction(char16_t from, char16_t to) {
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    bool s1 = false, s2 = false;
    if (!keyAt(from, r1, c1, s1) || !keyAt(to, r2, c2, s2)) return 0;
    if (r1 == r2 && c2 == c1 + 1) return 1;
    if (r1 == r2 && c2 == c1 - 1) return 2;
    if (r2 == r1 + 1 && c2 == c1) return 3;
    if (r2 == r1 + 1 && c2 == c1 - 1) return 4;
    if (r2 == r1 - 1 && c2 == c1) return 5;
    if (r2 == r1 - 1 && c2 == c1 + 1) return 6;
    return 0;
}

void findKeyboardWalks(std::u16string_view text, std::vector<Match>& out) {
    std::size_t begin = 0;
    while (begin + 1 < text.size()) {
        std::size_t end = begin + 1;
        int turns = 0;
        int last = 0;
        while (end < text.size()) {
            const int step = direction(text[end - 1], text[end]);
            if (step == 0) break;
            if (last != 0 && step != last) ++turns;
            last = step;
            ++end;
        }
        if (end - begin >= 4) {
            std::size_t shifted = 0;
            for (std::size_t i = begin; i < end; ++i) {
                int row = 0, column = 0;
                bool isShifted = false;
                keyAt(text[i], row, column, isShifted);
                shifted += isShifted;
            }
            const double shiftBits = shifted == 0 || shifted == end - begin ? (shifted == 0 ? 0 : 1) : 2;
            const double bits =
                log2Of(kKeyboardStarts) + log2Of(static_cast<double>(end - begin)) + 3.0 * turns + shiftBits;
            out.push_back({begin, end, bits, WeakPattern::KeyboardWalk});
        }
        begin = end > begin + 1 ? end - 1 : begin + 1;
    }
}

void findSequences(std::u16string_view text, std::vector<Match>& out) {
    std::size_t begin = 0;
    while (begin + 2 < text.size()) {
        const int delta = static_cast<int>(lower(text[begin + 1])) - static_cast<int>(lower(text[begin]));
        const bool sameKind =
            (isDigit(text[begin]) && isDigit(text[begin + 1])) || (isLetter(text[begin]) && isLetter(text[begin + 1]));
        std::size_t end = begin + 1;
        if (sameKind && (delta == 1 || delta == -1 || delta == 2 || delta == -2)) {
            while (end < text.size() &&
                   static_cast<int>(lower(text[end])) - static_cast<int>(lower(text[end - 1])) == delta &&
                   isDigit(text[end]) == isDigit(text[begin])) {
                ++end;
            }
        }
        if (end - begin >= 3) {
            const char16_t first = lower(text[begin]);
            const bool obvious = first == u'a' || first == u'z' || first == u'0' || first == u'1' || first == u'9';
            const double startBits = obvious ? 2 : isDigit(first) ? log2Of(10) : log2Of(26);
            const double bits = startBits + log2Of(static_cast<double>(end - begin)) + (delta < 0 ? 1 : 0) +
                                (delta == 2 || delta == -2 ? 1 : 0) + caseBits(text.substr(begin, end - begin));
            out.push_back({begin, end, bits, WeakPattern::Sequence});
            begin = end - 1;
        } else {
            ++begin;
        }
    }
}

// How a text of `size` code units would be guessed character by character.
double bruteBits(std::u16string_view text);

void findRepeats(std::u16string_view text, std::vector<Match>& out) {
    for (std::size_t begin = 0; begin < text.size(); ++begin) {
        for (std::size_t unit = 1; unit <= 8 && begin + 2 * unit <= text.size(); ++unit) {
            const std::u16string_view base = text.substr(begin, unit);
            std::size_t times = 1;
            while (begin + (times + 1) * unit <= text.size() && text.substr(begin + times * unit, unit) == base) {
                ++times;
            }
            if (times < 2 || times * unit < 3) continue;
            const double baseBits = unit <= 2 ? bruteBits(base) : EstimateStrength(base).bits;
            out.push_back(
                {begin, begin + times * unit, baseBits + log2Of(static_cast<double>(times)), WeakPattern::Repeat});
        }
    }
}

bool plausibleDay(int day, int month) { return month >= 1 && month <= 12 && day >= 1 && day <= 31; }
bool plausibleYear(int year) { return year >= 1900 && year <= 2049; }

// Digits only: a year alone or a whole day in one of the usual orders.
double dateBits(const std::string& digits) {
    const auto number = [&](std::size_t at, std::size_t size) { return std::stoi(digits.substr(at, size)); };
    constexpr double kYears = 7.2;  // log2 of 150 years
    constexpr double kDays = 8.5;   // log2 of 366 days
    if (digits.size() == 4) return plausibleYear(number(0, 4)) ? kYears : -1;
    if (digits.size() == 6) {
        if (plausibleDay(number(0, 2), number(2, 2)) || plausibleDay(number(2, 2), number(0, 2)) ||
            plausibleDay(number(4, 2), number(2, 2))) {
            return kDays + log2Of(100) + 1;
        }
        return -1;
    }
    if (digits.size() == 8) {
        const bool yearLast = plausibleYear(number(4, 4)) &&
                              (plausibleDay(number(0, 2), number(2, 2)) || plausibleDay(number(2, 2), number(0, 2)));
        const bool yearFirst = plausibleYear(number(0, 4)) && plausibleDay(number(6, 2), number(4, 2));
        return yearLast || yearFirst ? kDays + kYears + 1 : -1;
    }
    return -1;
}

void findDates(std::u16string_view text, std::vector<Match>& out) {
    for (std::size_t begin = 0; begin < text.size(); ++begin) {
        if (!isDigit(text[begin])) continue;
        std::string digits;
        char16_t separator = 0;
        int separators = 0;
        for (std::size_t end = begin; end < text.size() && end - begin < 10; ++end) {
            const char16_t c = text[end];
            if (isDigit(c)) {
                digits += static_cast<char>(c);
            } else if ((c == u'/' || c == u'-' || c == u'.' || c == u' ' || c == u'_') &&
                       (separator == 0 || separator == c) && separators < 2) {
                separator = c;
                ++separators;
                continue;
            } else {
                break;
            }
            if (separators == 1) continue;  // a date is written with two separators or none
            const double bits = dateBits(digits);
            if (bits < 0) continue;
            out.push_back({begin, end + 1, bits + (separators > 0 ? 2 : 0), WeakPattern::Date});
        }
    }
}

double characterBits(std::u16string_view text) {
    bool lowerCase = false, upperCase = false, digits = false, symbols = false, other = false;
    for (const char16_t c : text) {
        if (c >= u'a' && c <= u'z') lowerCase = true;
        else if (isUpper(c)) upperCase = true;
        else if (isDigit(c)) digits = true;
        else if (c >= 0x20 && c < 0x7f) symbols = true;
        else other = true;
    }
    const double alphabet =
        (lowerCase ? 26 : 0) + (upperCase ? 26 : 0) + (digits ? 10 : 0) + (symbols ? 33 : 0) + (other ? 100 : 0);
    return log2Of(alphabet < 10 ? 10 : alphabet);
}

double bruteBits(std::u16string_view text) { return characterBits(text) * static_cast<double>(text.size()); }

}  // namespace

StrengthEstimate EstimateStrength(std::u16string_view password) {
    if (password.empty()) return {0, WeakPattern::TooSimple};
    std::vector<Match> matches;
    findCommon(password, matches);
    findKeyboardWalks(password, matches);
    findSequences(password, matches);
    findRepeats(password, matches);
    findDates(password, matches);

    // The cheapest way to cover the password with matches and single
    // characters guessed at the password's own alphabet.
    const double perCharacter = characterBits(password);
    const std::size_t size = password.size();
    std::vector<double> best(size + 1, 0);
    std::vector<const Match*> via(size + 1, nullptr);
    for (std::size_t end = 1; end <= size; ++end) {
        best[end] = best[end - 1] + perCharacter;
        via[end] = nullptr;
        for (const Match& match : matches) {
            if (match.end != end) continue;
            const double cost = best[match.begin] + match.bits + (match.begin > 0 || end < size ? kJoinBits : 0);
            if (cost < best[end]) {
                best[end] = cost;
                via[end] = &match;
            }
        }
    }
    StrengthEstimate estimate{best[size], WeakPattern::None};
    // The kind of pattern that covers most of the password names its weakness.
    std::size_t coveredBy[static_cast<int>(WeakPattern::TooSimple) + 1] = {};
    std::size_t covered = 0;
    for (std::size_t end = size; end > 0;) {
        if (via[end] == nullptr) {
            --end;
            continue;
        }
        const Match& match = *via[end];
        std::size_t& total = coveredBy[static_cast<int>(match.pattern)];
        total += match.end - match.begin;
        if (total > covered) {
            covered = total;
            estimate.pattern = match.pattern;
        }
        end = match.begin;
    }
    if (IsWeak(estimate) && 2 * covered < size) estimate.pattern = WeakPattern::TooSimple;
    return estimate;
}

std::u16string_view DescribePattern(WeakPattern pattern) {
    switch (pattern) {
        case WeakPattern::CommonPassword:
            return u"a common password";
        case WeakPattern::KeyboardWalk:
            return u"a keyboard pattern";
        case WeakPattern::Repeat:
            return u"repeated characters";
        case WeakPattern::Sequence:
            return u"a sequence";
        case WeakPattern::Date:
            return u"a date";
        case WeakPattern::TooSimple:
            return u"too short or too simple";
        case WeakPattern::None:
            break;
    }
    return u"";
}

}  // namespace tarnwick
