// JSON text for the CLI's output: strings escaped, UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::cli {

// A JSON string literal (quotes included) of UTF-16 text.
std::string JsonString(std::u16string_view text);
std::string JsonStringArray(const std::vector<std::u16string>& items);

}  // namespace tarnwick::cli
