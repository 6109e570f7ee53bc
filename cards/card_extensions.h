// The file extensions that make a file a card: what the editors' trees show,
// what the tray program lists for the toolbar, and what the CLI reads.
#pragma once

#include <string_view>

namespace tarnwick {

inline constexpr std::u16string_view kIdentityCardExtension = u".vrt";
inline constexpr std::u16string_view kPasscardExtension = u".vrc";

}  // namespace tarnwick
