// The protection marker that every card file holds in its second-to-last
// line: "UNPROTECT" sealed with the common key, or "PROTECT" sealed with the
// current user's key.
#pragma once

#include <string_view>

namespace tarnwick {

inline constexpr std::u16string_view kProtectMarker = u"PROTECT";
inline constexpr std::u16string_view kUnprotectMarker = u"UNPROTECT";

// True unless the line unseals with the common key to exactly "UNPROTECT".
bool IsCardProtected(std::u16string_view markerLine);
// True when the line unseals with the current user's key to exactly "PROTECT".
bool CardBelongsToCurrentUser(std::u16string_view markerLine);

}  // namespace tarnwick
