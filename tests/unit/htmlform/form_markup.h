// What the two editors write into their pages, built here from the same
// pieces, with every name and value escaped: the identity editor's custom
// table and the passcard editor's field table. And the pages themselves.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "htmlform/document.h"

namespace tarnwick::htmlform::test {

using Pairs = std::vector<std::pair<std::u16string, std::u16string>>;

// The custom table of an identity card: one row of two inputs per pair.
std::u16string CustomTable(const Pairs& pairs);

struct PasscardField {
    std::u16string name;
    std::u16string type;
    std::u16string value;
};

// The passcard table: a row per field, label and input, rows never closed.
std::u16string PasscardTable(const std::vector<PasscardField>& fields, bool stars, bool details);

std::u16string ReadPage(const char* path);
std::unique_ptr<Document> IdentityPage();
std::unique_ptr<Document> PasscardPage();

// Narrow ASCII for readable failure messages.
std::string Narrow(std::u16string_view text);

}  // namespace tarnwick::htmlform::test
