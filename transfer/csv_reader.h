// CSV as RFC 4180 has it: fields split at commas, quoted fields may hold
// commas, doubled quotes and line breaks; CRLF or LF ends a record; a UTF-8
// byte-order mark before the first record is dropped. A record that breaks
// the rules (a quote inside an unquoted field, text after a closing quote, a
// quote never closed, bytes that are not UTF-8) is reported by the line it
// starts on and skipped, never guessed at.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::transfer {

struct CsvRecord {
    std::size_t line = 0;  // where the record starts, counted from 1
    std::vector<std::u16string> fields;
};

struct CsvProblem {
    std::size_t line = 0;
    std::string reason;
};

struct CsvTable {
    std::vector<CsvRecord> records;  // the header first, when the file has one
    std::vector<CsvProblem> problems;
};

CsvTable ReadCsv(std::string_view utf8);

// Text of one field: valid UTF-8 as UTF-16; false for bytes that are not UTF-8.
bool DecodeUtf8(std::string_view utf8, std::u16string& out);
// The one UTF-8 sequence at `at` (not ASCII's), appended to `out` as UTF-16:
// its length, or 0 when it is not valid UTF-8 (overlong, a surrogate, beyond
// U+10FFFF, cut short). The JSON reader shares it.
std::size_t DecodeUtf8Sequence(std::string_view utf8, std::size_t at, std::u16string& out);

}  // namespace tarnwick::transfer
