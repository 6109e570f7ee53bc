// The form host's output: one JSON object per line, texts escaped so that
// every UTF-16 code unit of a name or value comes back as it was.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// `text` as a JSON string literal (quotes included), UTF-8. Quotes, backslashes
// and control characters are escaped; a lone surrogate is written as its \u
// escape, so even a broken UTF-16 text survives.
std::string JsonString(std::u16string_view text);

// {"event":"edit","id":ID,"name":NAME,"value":VALUE}
std::string EditEventLine(std::u16string_view id, std::u16string_view name, std::u16string_view value);
// {"event":"focus","id":ID}
std::string FocusEventLine(std::u16string_view id);

}  // namespace tarnwick
