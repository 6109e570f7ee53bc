#include "cards/card_marker.h"

#include <string>

#include "foundation/sealed_text.h"

namespace tarnwick {

bool IsCardProtected(std::u16string_view markerLine) {
    return UnsealText(markerLine, kAlgorithmBlowfish, KeyModeCommon) != kUnprotectMarker;
}

bool CardBelongsToCurrentUser(std::u16string_view markerLine) {
    return UnsealText(markerLine, kAlgorithmBlowfish, KeyModeUser) == kProtectMarker;
}

}  // namespace tarnwick
