#include "cards/identity_tags.h"

#include <algorithm>

namespace tarnwick {

bool IsIdentityTag(std::u16string_view text) {
    return std::find(kIdentityTags.begin(), kIdentityTags.end(), text) != kIdentityTags.end();
}

}  // namespace tarnwick
