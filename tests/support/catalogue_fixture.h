// The golden catalogue files: what `tarnwick catalogue PROGRAM` prints for each
// program (tests/unit/fixtures/catalogue_<program>.json), read back as rows.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnwick::testing {

using CatalogueFixtureRows = std::vector<std::pair<std::u16string, std::u16string>>;

// The bytes of the golden file of a program ("identity", "passcard", "tray")
// in `folder`; throws std::runtime_error when it cannot be read.
std::string CatalogueFixtureBytes(const std::string& folder, std::string_view program);

// The rows of a one-line JSON object of strings, in the order written. Throws
// std::runtime_error on anything else, so that a damaged fixture never passes.
CatalogueFixtureRows ParseCatalogueJson(std::string_view json);

}  // namespace tarnwick::testing
