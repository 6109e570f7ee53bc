// The form pages travel inside the programs as HTML resources (type 23): this
// finds one and turns its bytes into the document's UTF-16 text.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// Resource type of the form pages (the system's RT_HTML).
constexpr WORD kHtmlResourceType = 23;
// Resource number of each editor's form page.
constexpr int kFormPageResourceId = 208;

// The page text of HTML resource `id` in `module`, or nothing when the module
// has no such resource.
std::optional<std::u16string> LoadHtmlResource(HMODULE module, int id = kFormPageResourceId);

// Page bytes to text: UTF-16 when they start with its byte-order mark (either
// order), otherwise UTF-8 (of which the pages' plain ASCII is a part), a UTF-8
// mark dropped. Malformed bytes become U+FFFD, never an error.
std::u16string DecodeHtmlBytes(std::string_view bytes);

}  // namespace tarnwick
